#include "print_job.h"

#include "page_sender.h"

namespace toric {

PrintJob::PrintJob(QObject* parent, PrintLimits limits)
    : QObject(parent), limits_(limits) {}

PrintJob::~PrintJob() = default;

void PrintJob::start(QWidget& window) {
  if (pending()) return;
  if (since_last_print_.isValid() &&
      std::chrono::milliseconds(since_last_print_.elapsed()) <
          limits_.repeat_guard) {
    return;
  }
  since_last_print_.start();
  sender_ = platform_page_sender(this, limits_.accept_bound);
  sender_->send(window, [this](const QString& failure) { finish(failure); });
}

void PrintJob::finish(const QString& failure) {
  // Where the window took no press while it printed (Windows), the presses
  // made meanwhile arrive now: the guard counts from here too.
  since_last_print_.start();
  sender_.reset();
  if (!failure.isEmpty()) emit failed(failure);
}

}  // namespace toric
