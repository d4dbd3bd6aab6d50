#include "window_printer.h"

#include <QBuffer>
#include <QMarginsF>
#include <QPageSize>
#include <QPdfWriter>
#include <algorithm>

namespace toric {

QPageLayout window_page_layout() {
  return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

void draw_window_page(QWidget& window, QPainter& painter,
                      const QPageLayout& layout, int resolution,
                      PagePlacement placement) {
  const QRect printable = layout.paintRectPixels(resolution);
  const double scale =
      std::min({resolution / static_cast<double>(kWindowDpi),
                printable.width() / static_cast<double>(window.width()),
                printable.height() / static_cast<double>(window.height())});
  // The painter starts at the top left of the printable area; the widgets
  // draw themselves at the page's resolution, text as text.
  if (placement == PagePlacement::kCentred) {
    painter.translate((printable.width() - window.width() * scale) / 2,
                      (printable.height() - window.height() * scale) / 2);
  }
  painter.scale(scale, scale);
  window.render(&painter, QPoint(), QRegion(),
                QWidget::DrawWindowBackground | QWidget::DrawChildren);
}

QByteArray window_page_pdf(QWidget& window) {
  QByteArray pdf;
  QBuffer buffer(&pdf);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(window.windowTitle());
    writer.setCreator(window.windowTitle());
    writer.setPageLayout(window_page_layout());
    QPainter painter;
    if (!painter.begin(&writer)) return {};
    draw_window_page(window, painter, writer.pageLayout(), writer.resolution());
    if (!painter.end()) return {};
  }
  return pdf;
}

}  // namespace toric
