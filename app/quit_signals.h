#pragma once
// Logging out, Ctrl+C in a terminal and a polite kill end the program the
// way END does: the event loop returns, and the window and a pending print
// are cleaned up. On Linux these are SIGHUP, SIGINT and SIGTERM, and the
// status tells which (128 + its number). A Windows window program has no
// signals to watch: logging off reaches it as WM_QUERYENDSESSION and
// WM_ENDSESSION, on which Qt quits the event loop itself, and it has no
// console whose Ctrl+C could reach it; there the watch is nothing.

#include <QtGlobal>
#include <memory>

namespace toric {

#ifdef Q_OS_WIN
class QuitOnSignals {
 public:
  // Made by hand, so that the object main() keeps is no unused variable.
  QuitOnSignals() {}
};
#else
class QuitOnSignals {
 public:
  QuitOnSignals();
  ~QuitOnSignals();
  QuitOnSignals(const QuitOnSignals&) = delete;
  QuitOnSignals& operator=(const QuitOnSignals&) = delete;

 private:
  struct Watch;
  std::unique_ptr<Watch> watch_;
};
#endif

}  // namespace toric
