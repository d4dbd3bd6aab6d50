#include <windows.h>

#include "console_output.h"

namespace toric {

// The console shows the system's ANSI code page unless told otherwise;
// standard output redirected to a file gets the UTF-8 bytes as they are.
void prepare_console_output() { SetConsoleOutputCP(CP_UTF8); }

// Pipes and consoles cannot be asked here without waiting: the results so
// far go out before every read.
bool input_waiting(int /*fd*/) { return false; }

}  // namespace toric
