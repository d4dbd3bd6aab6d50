// Windows: the page to the default printer through Qt's print support, on
// the GUI thread, as Qt's own examples print one small page. Right after
// the press has returned, the window is drawn straight onto the printer,
// centred at its size on screen on the printer's own paper and at its
// resolution. While it prints nothing else runs, so no second job starts,
// no failure is told before the printer has answered, and the program
// cannot end under the painter.
#include <QPointer>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTimer>

#include "page_sender.h"
#include "window_page.h"
#include "window_texts.h"

namespace toric {

namespace {

namespace texts = window_texts;

// The page on the default printer, or why not.
QString print_window(QWidget& window) {
  const QPrinterInfo printer_info = QPrinterInfo::defaultPrinter();
  if (printer_info.isNull()) return texts::text(texts::kNoDefaultPrinter);
  QPrinter printer(printer_info, QPrinter::HighResolution);
  printer.setDocName(window.windowTitle());
  QPainter painter;
  const QString refused =
      texts::with_detail(texts::kNotSent, texts::text(texts::kPageRefused));
  if (!painter.begin(&printer)) return refused;
  draw_window_page(window, painter, printer.pageLayout(), printer.resolution(),
                   PagePlacement::kCentred);
  if (!painter.end()) return refused;
  return {};
}

class PrinterSender : public QObject, public PageSender {
 public:
  void send(QWidget& window, Done done) override {
    done_ = std::move(done);
    QTimer::singleShot(0, this, [this, target = QPointer<QWidget>(&window)] {
      const QString failure = target ? print_window(*target) : QString();
      const Done done = std::move(done_);
      done(failure);  // the sender may be gone now
    });
  }

 private:
  Done done_;
};

}  // namespace

std::unique_ptr<PageSender> platform_page_sender(
    QObject* /*owner*/, std::chrono::milliseconds /*accept_bound*/) {
  return std::make_unique<PrinterSender>();
}

}  // namespace toric
