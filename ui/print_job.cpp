#include "print_job.h"

#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QProcessEnvironment>

#include "window_printer.h"

namespace toric {

namespace {

const QString kPageNotMade =
    QStringLiteral("印刷するページを作れませんでした。");
const QString kNotSent = QStringLiteral("プリンターに送れませんでした。");
const QString kNoDefaultPrinter =
    QStringLiteral("プリンターが設定されていません。");
const QString kServiceUnreachable =
    QStringLiteral("印刷サービス（CUPS）に接続できません。");
const QString kNoAnswer = QStringLiteral("プリンターが応答しません。");
const QString kNoLp =
    QStringLiteral("印刷に使う lp コマンドが見つかりません。");
const QString kLpEnded = QStringLiteral("lp が途中で終了しました。");

// A Japanese sentence, then the program's own words as a detail line.
QString with_detail(const QString& sentence, const QString& detail) {
  const QString trimmed = detail.trimmed();
  return trimmed.isEmpty() ? sentence : sentence + u'\n' + trimmed;
}

}  // namespace

PrintJob::PrintJob(QObject* parent, PrintLimits limits)
    : QObject(parent), limits_(limits) {
  bound_.setSingleShot(true);
  bound_.setInterval(limits_.accept_bound);
  connect(&bound_, &QTimer::timeout, this, [this] { finish(kNoAnswer); });
}

PrintJob::~PrintJob() {
  // At exit nothing waits for the print service: lp is stopped.
  stop_process();
}

void PrintJob::start(QWidget& window) {
  if (pending()) return;
  if (since_last_print_.isValid() &&
      std::chrono::milliseconds(since_last_print_.elapsed()) <
          limits_.repeat_guard) {
    return;
  }
  const QByteArray page = window_page_pdf(window);
  if (page.isEmpty()) {
    finish(kPageNotMade);
    return;
  }
  since_last_print_.start();
  bound_.start();
  run(Step::kSubmit, {QStringLiteral("-t"), window.windowTitle()}, page);
}

void PrintJob::run(Step step, const QStringList& arguments,
                   const QByteArray& standard_input) {
  process_ = new QProcess(this);
  // lp's messages in English whatever the user's language, so that the
  // usual faults are recognised and told in Japanese.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  process_->setProcessEnvironment(environment);
  process_->setProcessChannelMode(QProcess::MergedChannels);
  const pid_t parent = getpid();
  process_->setChildProcessModifier([parent] {
    // A group of its own, so that the bound ends whatever lp started; and
    // lp ends with this program however it ends, even when the display
    // goes away and Qt exits at once. A parent that died before the death
    // signal was asked for has left the child to another process.
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
  });
  connect(process_, &QProcess::finished, this,
          [this, step](int exit_code, QProcess::ExitStatus status) {
            const QString output =
                QString::fromLocal8Bit(process_->readAllStandardOutput());
            if (status != QProcess::NormalExit) exit_code = -1;
            if (step == Step::kSubmit) {
              on_lp_finished(exit_code, output);
            } else {
              on_service_state(exit_code, output);
            }
          });
  connect(process_, &QProcess::errorOccurred, this,
          [this, step](QProcess::ProcessError error) {
            // Other errors are followed by `finished`.
            if (error == QProcess::FailedToStart) {
              finish(step == Step::kSubmit ? kNoLp : kNoDefaultPrinter);
            }
          });
  process_->start(
      step == Step::kSubmit ? QStringLiteral("lp") : QStringLiteral("lpstat"),
      arguments);
  // The page goes to lp's standard input as lp reads it: it never touches
  // the disk.
  process_->write(standard_input);
  process_->closeWriteChannel();
}

void PrintJob::on_lp_finished(int exit_code, const QString& output) {
  if (exit_code == 0) {
    finish({});  // the service has the job
  } else if (exit_code < 0) {
    finish(with_detail(kNotSent, kLpEnded));
  } else if (output.contains(QStringLiteral("No default destination"))) {
    // lp says so both when no printer is set up and when the print service
    // is not running; the service's own state tells the two apart.
    stop_process();
    run(Step::kAskService, {QStringLiteral("-r")}, {});
  } else {
    finish(with_detail(kNotSent, output));
  }
}

void PrintJob::on_service_state(int /*exit_code*/, const QString& output) {
  finish(output.contains(QStringLiteral("not running")) ? kServiceUnreachable
                                                        : kNoDefaultPrinter);
}

void PrintJob::stop_process() {
  if (process_ == nullptr) return;
  process_->disconnect(this);
  if (process_->state() != QProcess::NotRunning) {
    const auto pid = static_cast<pid_t>(process_->processId());
    if (pid > 0) ::kill(-pid, SIGKILL);  // lp and whatever it started
    process_->kill();                 // in case it had not yet made its group
    process_->waitForFinished(5000);  // reaps it: a killed process ends at once
  }
  process_->deleteLater();
  process_ = nullptr;
}

void PrintJob::finish(const QString& failure) {
  bound_.stop();
  stop_process();
  if (!failure.isEmpty()) emit failed(failure);
}

}  // namespace toric
