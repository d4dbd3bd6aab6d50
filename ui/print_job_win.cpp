// The page to the default printer through Qt's print support, on the GUI
// thread, as Qt's own examples print one small page: right after the press
// has returned, the window is drawn straight onto the printer, centred at
// its size on screen on the printer's own paper and at its resolution.
// While it prints nothing else runs, so no second job starts, no failure is
// told before the printer has answered (a printer that asks for a file
// name asks here), and the program cannot end under the painter.
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>

#include "print_job.h"
#include "print_messages.h"
#include "window_printer.h"

namespace toric {

namespace {

const QString kNotSent = print_messages::not_sent();
const QString kNoDefaultPrinter = print_messages::no_default_printer();
const QString kRefused =
    QStringLiteral("プリンターがページを受け付けませんでした。");

// The page on the default printer, or why not.
QString print_window(QWidget& window) {
  const QPrinterInfo printer_info = QPrinterInfo::defaultPrinter();
  if (printer_info.isNull()) return kNoDefaultPrinter;
  QPrinter printer(printer_info, QPrinter::HighResolution);
  printer.setDocName(window.windowTitle());
  QPainter painter;
  if (!painter.begin(&printer)) {
    return print_messages::with_detail(kNotSent, kRefused);
  }
  draw_window_page(window, painter, printer.pageLayout(), printer.resolution(),
                   PagePlacement::kCentred);
  if (!painter.end()) return print_messages::with_detail(kNotSent, kRefused);
  return {};
}

}  // namespace

struct PrintJob::Submission {};

void PrintJob::SubmissionEnd::operator()(Submission* submission) const {
  delete submission;
}

QString PrintJob::submit(QWidget& window) {
  submission_.reset(new Submission);
  QTimer::singleShot(0, this, [this, target = QPointer<QWidget>(&window)] {
    if (!submission_) return;
    // The printer answers in its own time, in a dialog of its own if it
    // asks for a file name: no bound while it does.
    bound_.stop();
    const QString failure = target ? print_window(*target) : QString();
    // A press queued while it printed is the double-click's second.
    since_last_print_.start();
    finish(failure);
  });
  return {};
}

}  // namespace toric
