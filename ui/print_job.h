#pragma once
// Printing the window without ever blocking it. At the press the page is
// drawn, on this thread, into memory and written to `lp`'s standard input,
// so no prescription ever reaches the disk. lp gives it to the default
// queue in a process group of its own, which may wait on the print service
// as long as it likes, within a bound. One print at a time.

#include <QElapsedTimer>
#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <chrono>

namespace toric {

struct PrintLimits {
  // How long the print service has to accept the job.
  std::chrono::milliseconds accept_bound{20000};
  // A second press this soon after one that printed is taken for the second
  // click of a double-click, and prints nothing more.
  std::chrono::milliseconds repeat_guard{1000};
};

class PrintJob : public QObject {
  Q_OBJECT

 public:
  explicit PrintJob(QObject* parent, PrintLimits limits = {});
  ~PrintJob() override;

  bool pending() const { return process_ != nullptr; }

  // Prints `window` as it is now. Ignored while a print is pending and
  // right after a press that printed.
  void start(QWidget& window);

 signals:
  // The job did not reach the print service; `reason` is for the user.
  void failed(const QString& reason);

 private:
  // What the running process is doing for the print.
  enum class Step { kSubmit, kAskService };

  // Runs lp (kSubmit) or lpstat (kAskService) in a process group of its own;
  // its end goes to on_lp_finished or on_service_state with its exit code
  // (-1 when a signal ended it) and what it wrote.
  void run(Step step, const QStringList& arguments,
           const QByteArray& standard_input);
  void on_lp_finished(int exit_code, const QString& output);
  void on_service_state(int exit_code, const QString& output);
  // Ends the pending print: stops the running process and reports a
  // failure unless `failure` is empty.
  void finish(const QString& failure);
  void stop_process();

  PrintLimits limits_;
  QElapsedTimer since_last_print_;
  QProcess* process_ = nullptr;
  QTimer bound_;
};

}  // namespace toric
