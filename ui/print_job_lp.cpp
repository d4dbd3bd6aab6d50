// The page to the print service through lp: written from memory to its
// standard input, so no prescription ever reaches the disk. lp runs in a
// process group of its own, and ends with this program however it ends.
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <QProcess>
#include <QProcessEnvironment>

#include "print_job.h"
#include "print_messages.h"
#include "window_printer.h"

namespace toric {

namespace {

const QString kPageNotMade =
    QStringLiteral("印刷するページを作れませんでした。");
const QString kNotSent = print_messages::not_sent();
const QString kNoDefaultPrinter = print_messages::no_default_printer();
const QString kServiceUnreachable =
    QStringLiteral("印刷サービス（CUPS）に接続できません。");
const QString kNoLp =
    QStringLiteral("印刷に使う lp コマンドが見つかりません。");
const QString kLpEnded = QStringLiteral("lp が途中で終了しました。");

using print_messages::with_detail;

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

}  // namespace

// The process under way: lp, or lpstat asked about the service after lp
// found no default destination.
struct PrintJob::Submission {
  QProcess* process = nullptr;
};

void PrintJob::SubmissionEnd::operator()(Submission* submission) const {
  if (submission->process != nullptr) stop(submission->process);
  delete submission;
}

namespace {

// Runs `program` in a process group of its own, with `input` on its
// standard input; `done` gets its exit code (-1 when a signal ended it) and
// what it wrote, `not_found` is called when it cannot be started.
template <class Done, class NotFound>
QProcess* run(QObject* owner, const QString& program,
              const QStringList& arguments, const QByteArray& input, Done done,
              NotFound not_found) {
  auto* process = new QProcess(owner);
  // lp's messages in English whatever the user's language, so that the
  // usual faults are recognised and told in Japanese.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  process->setProcessEnvironment(environment);
  process->setProcessChannelMode(QProcess::MergedChannels);
  const pid_t parent = getpid();
  process->setChildProcessModifier([parent] {
    // A group of its own, so that the bound ends whatever lp started; and
    // lp ends with this program however it ends, even when the display
    // goes away and Qt exits at once. A parent that died before the death
    // signal was asked for has left the child to another process.
    setpgid(0, 0);
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != parent) _exit(1);
  });
  QObject::connect(
      process, &QProcess::finished, owner,
      [process, done](int exit_code, QProcess::ExitStatus status) {
        done(status == QProcess::NormalExit ? exit_code : -1,
             QString::fromLocal8Bit(process->readAllStandardOutput()));
      });
  QObject::connect(process, &QProcess::errorOccurred, owner,
                   [not_found](QProcess::ProcessError error) {
                     // Other errors are followed by `finished`.
                     if (error == QProcess::FailedToStart) not_found();
                   });
  process->start(program, arguments);
  // The page goes to lp's standard input as lp reads it.
  process->write(input);
  process->closeWriteChannel();
  return process;
}

}  // namespace

QString PrintJob::submit(QWidget& window) {
  const QByteArray page = window_page_pdf(window);
  if (page.isEmpty()) return kPageNotMade;
  submission_.reset(new Submission);
  const auto ask_service = [this] {
    // lp says "No default destination" both when no printer is set up and
    // when the print service is not running; the service's own state tells
    // the two apart.
    stop(submission_->process);
    submission_->process = run(
        this, QStringLiteral("lpstat"), {QStringLiteral("-r")}, {},
        [this](int, const QString& output) {
          finish(output.contains(QStringLiteral("not running"))
                     ? kServiceUnreachable
                     : kNoDefaultPrinter);
        },
        [this] { finish(kNoDefaultPrinter); });
  };
  submission_->process = run(
      this, QStringLiteral("lp"), {QStringLiteral("-t"), window.windowTitle()},
      page,
      [this, ask_service](int exit_code, const QString& output) {
        if (exit_code == 0) {
          finish({});  // the service has the job
        } else if (exit_code < 0) {
          finish(with_detail(kNotSent, kLpEnded));
        } else if (output.contains(QStringLiteral("No default destination"))) {
          ask_service();
        } else {
          finish(with_detail(kNotSent, output));
        }
      },
      [this] { finish(kNoLp); });
  return {};
}

}  // namespace toric
