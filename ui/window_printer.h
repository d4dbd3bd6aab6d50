#pragma once
// The printed page: the window drawn on one A4 page at its size on screen,
// at the resolution of the page rather than as a screen picture, so that
// captions and the result line print sharp. The same drawing goes to a PDF
// for the print service and to a printer directly.

#include <QByteArray>
#include <QPageLayout>
#include <QPainter>
#include <QWidget>

namespace toric {

// The window is printed at its size on screen, 96 pixels an inch.
inline constexpr int kWindowDpi = 96;

// A4 portrait, with margins inside what every office printer reaches.
QPageLayout window_page_layout();

// Where the window goes on the page's printable area.
enum class PagePlacement { kTopLeft, kCentred };

// Draws `window` as it is now with `painter`, which paints a page of
// `layout` at `resolution` dots an inch: at the window's size on screen,
// smaller only if the page is.
void draw_window_page(QWidget& window, QPainter& painter,
                      const QPageLayout& layout, int resolution,
                      PagePlacement placement = PagePlacement::kTopLeft);

// The page as a PDF, in memory; empty when it could not be drawn.
QByteArray window_page_pdf(QWidget& window);

}  // namespace toric
