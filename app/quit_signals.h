#pragma once
// Logging out (SIGHUP), Ctrl+C in a terminal (SIGINT) and a polite kill
// (SIGTERM) end the program the way END does: the event loop returns, the
// window and a pending print are cleaned up, and the status tells which
// signal it was (128 + its number). The signal handler only writes the
// signal's number to a socket; the event loop reads it.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace toric {

class QuitOnSignals : public QObject {
 public:
  QuitOnSignals();
  ~QuitOnSignals() override;
  QuitOnSignals(const QuitOnSignals&) = delete;
  QuitOnSignals& operator=(const QuitOnSignals&) = delete;

 private:
  void on_signal();

  int sockets_[2] = {-1, -1};  // [0] read by the event loop, [1] written
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace toric
