#pragma once
// The print button's job: one print at a time, the window as it is at the
// press handed to the printer in the platform's way (page_sender.h), and a
// failure told once the printer has answered. A press while a print is
// under way, or right after one, is the second click of a double-click
// and prints nothing more.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QWidget>
#include <chrono>
#include <memory>

namespace toric {

class PageSender;

struct PrintLimits {
  // How long the print service has to accept the job, where the page goes
  // beside the event loop (Linux).
  std::chrono::milliseconds accept_bound{20000};
  // A press this soon after a print started or ended prints nothing.
  std::chrono::milliseconds repeat_guard{1000};
};

class PrintJob : public QObject {
  Q_OBJECT

 public:
  explicit PrintJob(QObject* parent, PrintLimits limits = {});
  // At exit nothing waits for the printer: what still runs is stopped.
  ~PrintJob() override;

  bool pending() const { return sender_ != nullptr; }

  // Prints `window` as it is now, unless the press is a double-click's
  // second.
  void start(QWidget& window);

 signals:
  // The page did not reach the printer; `reason` is for the user.
  void failed(const QString& reason);

 private:
  void finish(const QString& failure);

  PrintLimits limits_;
  QElapsedTimer since_last_print_;
  std::unique_ptr<PageSender> sender_;  // while a print is under way
};

}  // namespace toric
