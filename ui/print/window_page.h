#pragma once
// The printed page: the window drawn at its size on screen, at the page's
// resolution rather than as a screen picture, so that captions and the
// result line print sharp. Linux draws it into a PDF for lp, Windows
// straight onto the printer.

#include <QPageLayout>
#include <QPainter>
#include <QWidget>

namespace toric {

// The window is printed at its size on screen, 96 pixels an inch.
inline constexpr int kWindowDpi = 96;

// Where the window goes on the page's printable area.
enum class PagePlacement { kTopLeft, kCentred };

// Draws `window` as it is now with `painter`, which paints a page of
// `layout` at `resolution` dots an inch: at the window's size on screen,
// smaller only if the page is.
void draw_window_page(QWidget& window, QPainter& painter,
                      const QPageLayout& layout, int resolution,
                      PagePlacement placement);

}  // namespace toric
