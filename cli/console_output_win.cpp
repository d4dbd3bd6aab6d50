#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

#include "console_output.h"

namespace toric {

// The console shows the system's ANSI code page unless told otherwise;
// standard output redirected to a file gets the UTF-8 bytes as they are.
// Both standard streams are binary: a list's line ends, LF or CRLF, go
// through as they came, and a Ctrl+Z byte is no end of the list.
void prepare_console_output() {
  SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
}

// Pipes and consoles cannot be asked here without waiting: the results so
// far go out before every read.
bool input_waiting(int /*fd*/) { return false; }

}  // namespace toric
