#include "window_printer.h"

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
}  // namespace

bool render_window_to_pdf(QWidget& window, const QString& path) {
  QPdfWriter writer(path);
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

}  // namespace toric
