#include "print_job.h"

#include <QProcessEnvironment>

#include "window_printer.h"

namespace toric {

namespace {

// lp's own words for the usual faults, in the user's language.
QString reason_from_lp(const QString& lp_error) {
  if (lp_error.contains(QStringLiteral("No default destination"))) {
    return QStringLiteral("プリンターが設定されていません。");
  }
  return QStringLiteral("プリンターに送れませんでした（%1）。")
      .arg(lp_error.trimmed());
}

}  // namespace

PrintJob::PrintJob(QObject* parent) : QObject(parent) {
  bound_.setSingleShot(true);
  bound_.setInterval(kAcceptBoundMs);
  connect(&bound_, &QTimer::timeout, this, &PrintJob::on_bound_passed);
}

PrintJob::~PrintJob() {
  // At exit nothing waits for the print service: lp is stopped and the page
  // removed with the scratch folder.
  if (lp_ != nullptr) {
    lp_->disconnect(this);
    lp_->kill();
    delete lp_;
  }
}

void PrintJob::start(QWidget& window) {
  if (pending()) return;
  scratch_ = std::make_unique<QTemporaryDir>();
  const QString page = scratch_->filePath(QStringLiteral("page.pdf"));
  if (!scratch_->isValid() || !render_window_to_pdf(window, page)) {
    finish(QStringLiteral("印刷するページを作れませんでした。"));
    return;
  }
  lp_ = new QProcess(this);
  // lp's messages in English whatever the user's language, so that the
  // usual faults are recognised and told in Japanese.
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
  lp_->setProcessEnvironment(environment);
  connect(lp_, &QProcess::finished, this, &PrintJob::on_lp_finished);
  connect(lp_, &QProcess::errorOccurred, this, &PrintJob::on_lp_error);
  bound_.start();
  lp_->start(QStringLiteral("lp"), {QStringLiteral("-t"), window.windowTitle(),
                                    QStringLiteral("--"), page});
}

void PrintJob::on_lp_finished(int exit_code, QProcess::ExitStatus status) {
  if (status == QProcess::NormalExit && exit_code == 0) {
    finish({});  // the service has the job
  } else {
    finish(reason_from_lp(QString::fromLocal8Bit(lp_->readAllStandardError())));
  }
}

void PrintJob::on_lp_error(QProcess::ProcessError error) {
  // Other errors are followed by `finished`.
  if (error == QProcess::FailedToStart) {
    finish(QStringLiteral("印刷に使う lp コマンドが見つかりません。"));
  }
}

void PrintJob::on_bound_passed() {
  finish(QStringLiteral("プリンターが応答しません。"));
}

void PrintJob::finish(const QString& failure) {
  bound_.stop();
  if (lp_ != nullptr) {
    lp_->disconnect(this);
    lp_->kill();
    lp_->deleteLater();
    lp_ = nullptr;
  }
  scratch_.reset();
  if (!failure.isEmpty()) emit failed(failure);
}

}  // namespace toric
