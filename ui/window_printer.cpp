#include "window_printer.h"

#include <QFile>
#include <QMarginsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <algorithm>

namespace toric {

namespace {

// The window is printed at its size on screen, 96 pixels an inch.
constexpr double kScreenDpi = 96.0;
// Inside what every office printer can reach.
constexpr QMarginsF kMarginsMm{10, 10, 10, 10};

bool draw_page(QWidget& window, QFile& file) {
  QPdfWriter writer(&file);
  writer.setTitle(window.windowTitle());
  writer.setCreator(window.windowTitle());
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                   QPageLayout::Portrait, kMarginsMm,
                                   QPageLayout::Millimeter));
  QPainter painter;
  if (!painter.begin(&writer)) return false;
  const QRect printable =
      writer.pageLayout().paintRectPixels(writer.resolution());
  const double scale =
      std::min({writer.resolution() / kScreenDpi,
                printable.width() / static_cast<double>(window.width()),
                printable.height() / static_cast<double>(window.height())});
  // The painter starts at the top left of the printable area; the widgets
  // draw themselves at the page's resolution, text as text.
  painter.scale(scale, scale);
  window.render(&painter, QPoint(), QRegion(),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
  return painter.end();
}

}  // namespace

QString render_window_to_pdf(QWidget& window, const QString& path) {
  // The writer reports no failed write and its painter ends well on a full
  // disk, so the file is ours to open and to check after closing.
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    return file.errorString();
  }
  const bool drawn = draw_page(window, file);
  // A failed write stays the file's error only until a later flush
  // succeeds, so it is looked at before closing as well as after.
  file.flush();
  QString error =
      file.error() == QFileDevice::NoError ? QString() : file.errorString();
  file.close();
  if (error.isEmpty() && file.error() != QFileDevice::NoError) {
    error = file.errorString();
  }
  if (error.isEmpty() && !drawn) error = QStringLiteral("PDF");
  return error;
}

}  // namespace toric
