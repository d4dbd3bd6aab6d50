#include "window_printer.h"

#include <QPainter>
#include <QPixmap>
#include <QPrinter>
#include <QPrinterInfo>
#include <algorithm>

namespace toric {

namespace {
// The image is printed at its size on screen, 96 pixels an inch.
constexpr double kScreenDpi = 96.0;
}  // namespace

QString print_window(QWidget& window) {
  const QPrinterInfo default_printer = QPrinterInfo::defaultPrinter();
  if (default_printer.isNull()) {
    return QStringLiteral("プリンターが設定されていません。");
  }
  const QPixmap image = window.grab();

  QPrinter printer(default_printer, QPrinter::HighResolution);
  printer.setDocName(window.windowTitle());
  QPainter painter;
  if (!painter.begin(&printer)) {
    return QStringLiteral("印刷ジョブを開始できませんでした（%1）。")
        .arg(default_printer.printerName());
  }
  const QSizeF size = image.deviceIndependentSize();
  const QRect page = painter.viewport();
  const double scale =
      std::min({printer.resolution() / kScreenDpi, page.width() / size.width(),
                page.height() / size.height()});
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  painter.drawPixmap(QRectF(0, 0, size.width() * scale, size.height() * scale),
                     image, QRectF(image.rect()));
  if (!painter.end() || printer.printerState() == QPrinter::Error) {
    return QStringLiteral("印刷ジョブが失敗しました（%1）。")
        .arg(default_printer.printerName());
  }
  return {};
}

}  // namespace toric
