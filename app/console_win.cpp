#include <windows.h>

#include <cstdio>

#include "console.h"

namespace toric {

// Standard handles that were redirected (to a file or a pipe) are kept;
// otherwise the text goes to the console of the command prompt that started
// the program, if there is one.
void attach_console() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

}  // namespace toric
