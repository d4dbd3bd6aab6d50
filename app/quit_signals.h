#pragma once
// Logging out, Ctrl+C in a terminal and a polite kill end the program the
// way END does: the event loop returns, and the window and a pending print
// are cleaned up. On Linux these are SIGHUP, SIGINT and SIGTERM, and the
// status tells which (128 + its number). Each platform watches in a file of
// its own.

#include <memory>

namespace toric {

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

}  // namespace toric
