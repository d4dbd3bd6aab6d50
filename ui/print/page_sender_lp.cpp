// Linux: the page to the print service through lp, written from memory to
// its standard input, so no prescription ever reaches the disk. lp runs
// beside the event loop in a process group of its own, ends with this
// program however it ends, and has the bound to hand the job over.
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QBuffer>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

#include "page_sender.h"
#include "window_page.h"
#include "window_texts.h"

namespace toric {

namespace {

namespace texts = window_texts;

// The page as a PDF in memory: the window at the top left of an A4
// portrait page, with margins inside what every office printer reaches.
// Empty when it could not be drawn.
QByteArray window_page_pdf(QWidget& window) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(window.windowTitle());
    writer.setCreator(window.windowTitle());
    writer.setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                    QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    draw_window_page(window, painter, writer.pageLayout(), writer.resolution(),
                     PagePlacement::kTopLeft);
    if (!painter.end()) return {};
  }
  return pdf;
}

// Stops `process` and whatever it started, and lets it go.
void stop(QProcess* process) {
  process->disconnect();
  if (process->state() != QProcess::NotRunning) {
    const auto pid = static_cast<pid_t>(process->processId());
    if (pid > 0) ::kill(-pid, SIGKILL);  // the group: lp and its children
    process->kill();                 // in case it had not yet made its group
    process->waitForFinished(5000);  // reaps it: a killed process ends at once
  }
  process->deleteLater();
}

class LpSender : public QObject, public PageSender {
 public:
  explicit LpSender(QObject* owner, std::chrono::milliseconds bound)
      : owner_(owner), bound_(bound) {}

  ~LpSender() override {
    if (process_ != nullptr) stop(process_);
  }

  void send(QWidget& window, Done done) override {
    done_ = std::move(done);
    const QByteArray page = window_page_pdf(window);
    if (page.isEmpty()) {
      QTimer::singleShot(0, this,
                         [this] { end(texts::text(texts::kPageNotMade)); });
      return;
    }
    // Gone with the sender, as everything it connects to `this`.
    QTimer::singleShot(bound_, this,
                       [this] { end(texts::text(texts::kNoAnswer)); });
    run(QStringLiteral("lp"), {QStringLiteral("-t"), window.windowTitle()},
        page, &LpSender::lp_ended, texts::kNoLp);
  }

 private:
  // Runs `program` in a process group of its own with `input` on its
  // standard input; `ended` gets its exit code (-1 when a signal ended it)
  // and what it wrote, and `not_found` is the failure when it cannot be
  // started. Both come from the event loop.
  void run(const QString& program, const QStringList& arguments,
           const QByteArray& input,
           void (LpSender::*ended)(int, const QString&),
           const char* not_found) {
    // The owner's child, not the sender's: stopped, it is deleted later,
    // when none of its signals is being delivered, at the latest with the
    // owner.
    auto* process = new QProcess(owner_);
    process_ = process;
    // lp's messages in English whatever the user's language, so that the
    // usual faults are recognised and told in Japanese.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    process->setProcessEnvironment(environment);
    process->setProcessChannelMode(QProcess::MergedChannels);
    const pid_t parent = getpid();
    process->setChildProcessModifier([parent] {
      // A group of its own, so that the bound ends whatever lp started;
      // and lp ends with this program however it ends, even when the
      // display goes away and Qt exits at once. A parent that died before
      // the death signal was asked for has left the child to another.
      setpgid(0, 0);
      prctl(PR_SET_PDEATHSIG, SIGKILL);
      if (getppid() != parent) _exit(1);
    });
    connect(process, &QProcess::finished, this,
            [this, process, ended](int exit_code, QProcess::ExitStatus status) {
              (this->*ended)(
                  status == QProcess::NormalExit ? exit_code : -1,
                  QString::fromLocal8Bit(process->readAllStandardOutput()));
            });
    // A program that cannot start says so inside start(): queued, the
    // failure ends the print only once send() has returned. Other errors
    // are followed by `finished`.
    connect(
        process, &QProcess::errorOccurred, this,
        [this, not_found](QProcess::ProcessError error) {
          if (error == QProcess::FailedToStart) end(texts::text(not_found));
        },
        Qt::QueuedConnection);
    process->start(program, arguments);
    // The page goes to lp's standard input as lp reads it.
    process->write(input);
    process->closeWriteChannel();
  }

  void lp_ended(int exit_code, const QString& output) {
    if (exit_code == 0) {
      end({});  // the service has the job
    } else if (exit_code < 0) {
      end(texts::with_detail(texts::kNotSent, texts::text(texts::kLpEnded)));
    } else if (output.contains(QStringLiteral("No default destination"))) {
      // lp says so both when no printer is set up and when the print
      // service is not running; the service's own state tells them apart.
      stop(process_);
      run(QStringLiteral("lpstat"), {QStringLiteral("-r")}, {},
          &LpSender::lpstat_ended, texts::kNoDefaultPrinter);
    } else {
      end(texts::with_detail(texts::kNotSent, output));
    }
  }

  void lpstat_ended(int /*exit_code*/, const QString& output) {
    end(texts::text(output.contains(QStringLiteral("not running"))
                        ? texts::kServiceUnreachable
                        : texts::kNoDefaultPrinter));
  }

  // Ends the print; the sender may be gone once `done` returns.
  void end(const QString& failure) {
    const Done done = std::move(done_);
    if (done) done(failure);
  }

  QObject* owner_;
  std::chrono::milliseconds bound_;
  QProcess* process_ = nullptr;
  Done done_;
};

}  // namespace

std::unique_ptr<PageSender> platform_page_sender(
    QObject* owner, std::chrono::milliseconds accept_bound) {
  return std::make_unique<LpSender>(owner, accept_bound);
}

}  // namespace toric
