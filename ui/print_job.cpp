#include "print_job.h"

namespace toric {

PrintJob::PrintJob(QObject* parent, PrintLimits limits)
    : QObject(parent), limits_(limits) {
  bound_.setSingleShot(true);
  bound_.setInterval(limits_.accept_bound);
  connect(&bound_, &QTimer::timeout, this,
          [this] { finish(QStringLiteral("プリンターが応答しません。")); });
}

// At exit nothing waits for the print service: the submission is stopped.
PrintJob::~PrintJob() = default;

void PrintJob::start(QWidget& window) {
  if (pending()) return;
  if (since_last_print_.isValid() &&
      std::chrono::milliseconds(since_last_print_.elapsed()) <
          limits_.repeat_guard) {
    return;
  }
  const QString not_started = submit(window);
  if (!not_started.isEmpty()) {
    finish(not_started);
    return;
  }
  if (!pending()) return;     // it ended as it started (no lp, say)
  since_last_print_.start();  // only a print that started guards
  bound_.start();
}

void PrintJob::finish(const QString& failure) {
  bound_.stop();
  submission_.reset();
  if (!failure.isEmpty()) emit failed(failure);
}

}  // namespace toric
