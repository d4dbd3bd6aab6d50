#include "window_page.h"

#include <algorithm>

namespace toric {

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

}  // namespace toric
