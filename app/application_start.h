#pragma once
// Starting the application where a window may not be possible. Qt meets a
// missing or unreachable display with warnings, a fatal message, a core
// dump and the advice to reinstall; the user gets one line naming the
// problem and exit status 1 instead.

#include <QApplication>
#include <memory>

namespace toric {

// Creates the application, or ends the process with status 1 after writing
// "toric: cannot open a window: ..." when no window can be opened.
std::unique_ptr<QApplication> start_application(int& argc, char** argv);

}  // namespace toric
