#pragma once
// Where --help, --version and the command line's complaints are written.
// A Windows GUI program has no standard output of its own: it writes to
// the console it was started from (console_win.cpp). On Linux standard
// output and error are the terminal's, or wherever they were sent.

#include <QtGlobal>

namespace toric {

#ifdef Q_OS_WIN
void attach_console();
#else
inline void attach_console() {}
#endif

}  // namespace toric
