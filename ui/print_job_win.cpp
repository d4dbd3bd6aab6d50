// The page to the default printer through Qt's print support. The window is
// drawn here, on the GUI thread, as a picture; a thread of its own replays
// it on the printer, so that a slow spooler or a printer on the network
// never holds up the window.
#include <QPicture>
#include <QPrinter>
#include <QPrinterInfo>
#include <QThread>
#include <memory>

#include "print_job.h"
#include "print_messages.h"
#include "window_printer.h"

namespace toric {

namespace {

const QString kNotSent = print_messages::not_sent();
const QString kNoDefaultPrinter = print_messages::no_default_printer();
const QString kRefused =
    QStringLiteral("プリンターがページを受け付けませんでした。");

// Runs on the print thread: the page on the default printer, or why not.
QString print_picture(const QPicture& page, const QString& title) {
  const QPrinterInfo printer_info = QPrinterInfo::defaultPrinter();
  if (printer_info.isNull()) return kNoDefaultPrinter;
  QPrinter printer(printer_info, QPrinter::HighResolution);
  printer.setDocName(title);
  printer.setPageLayout(window_page_layout());
  QPainter painter;
  if (!painter.begin(&printer))
    return print_messages::with_detail(kNotSent, kRefused);
  const double scale = printer.resolution() / static_cast<double>(kWindowDpi);
  painter.scale(scale, scale);
  painter.drawPicture(0, 0, page);
  if (!painter.end()) return print_messages::with_detail(kNotSent, kRefused);
  return {};
}

}  // namespace

struct PrintJob::Submission {
  QThread* thread = nullptr;
};

// A thread still with the spooler cannot be stopped: it is left to finish,
// and its result goes nowhere.
void PrintJob::SubmissionEnd::operator()(Submission* submission) const {
  delete submission;
}

QString PrintJob::submit(QWidget& window) {
  // Drawn at the window's own resolution; the printer's painter scales it.
  QPicture page;
  {
    QPainter painter(&page);
    draw_window_page(window, painter, window_page_layout(), kWindowDpi);
  }
  auto failure = std::make_shared<QString>();
  QThread* thread =
      QThread::create([page, failure, title = window.windowTitle()] {
        *failure = print_picture(page, title);
      });
  submission_.reset(new Submission{thread});
  connect(thread, &QThread::finished, this, [this, thread, failure] {
    if (submission_ && submission_->thread == thread) finish(*failure);
  });
  connect(thread, &QThread::finished, thread, &QObject::deleteLater);
  thread->start();
  return {};
}

}  // namespace toric
