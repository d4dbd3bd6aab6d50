#pragma once
// Printing the window without ever blocking it. At the press the page is
// drawn, on this thread, into a private scratch folder; `lp` then hands it
// to the default queue in a process of its own, which may wait on the print
// service as long as it likes. One print at a time.

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QTimer>
#include <QWidget>
#include <memory>

namespace toric {

class PrintJob : public QObject {
  Q_OBJECT

 public:
  // How long the print service has to accept the job.
  static constexpr int kAcceptBoundMs = 20000;

  explicit PrintJob(QObject* parent);
  ~PrintJob() override;

  bool pending() const { return lp_ != nullptr; }

  // Prints `window` as it is now. Ignored while a print is pending: a
  // second press would only print the same page twice.
  void start(QWidget& window);

 signals:
  // The job did not reach the print service; `reason` is for the user.
  void failed(const QString& reason);

 private:
  void on_lp_finished(int exit_code, QProcess::ExitStatus status);
  void on_lp_error(QProcess::ProcessError error);
  void on_bound_passed();
  // Ends the pending print: stops lp, removes the page, reports a failure.
  void finish(const QString& failure);

  std::unique_ptr<QTemporaryDir> scratch_;  // owner-only, holds the page
  QProcess* lp_ = nullptr;
  QTimer bound_;
};

}  // namespace toric
