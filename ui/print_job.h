#pragma once
// Printing the window without ever blocking it. At the press the page is
// drawn on this thread; handing it to the printer, which may wait on the
// print service as long as it likes, happens beside the event loop, within
// a bound. One print at a time. How the page reaches the printer is the
// platform's: on Linux it is written from memory to lp's standard input
// (print_job_lp.cpp), on Windows it goes through Qt's print support to the
// default printer (print_job_win.cpp).

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <memory>

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

  bool pending() const { return submission_ != nullptr; }

  // Prints `window` as it is now. Ignored while a print is pending and
  // right after a press that printed.
  void start(QWidget& window);

 signals:
  // The job did not reach the print service; `reason` is for the user.
  void failed(const QString& reason);

 private:
  // The platform's hand-over of the page, under way while it exists;
  // destroying it stops whatever still runs for it.
  struct Submission;
  struct SubmissionEnd {
    void operator()(Submission* submission) const;
  };

  // Starts handing `window`'s page to the printer; the submission ends by
  // calling finish(). Returns why it could not start, or an empty string.
  QString submit(QWidget& window);
  // Ends the pending print, and reports a failure unless `failure` is empty.
  void finish(const QString& failure);

  PrintLimits limits_;
  QElapsedTimer since_last_print_;
  QTimer bound_;
  std::unique_ptr<Submission, SubmissionEnd> submission_;
};

}  // namespace toric
