#pragma once
// The dotted ring that marks the control with the keyboard focus, drawn the
// same on the buttons and the scroll bars. The style's own focus marks
// either tint a face or, on a scroll bar, draw nothing at all.

#include <QPainter>
#include <QPen>
#include <QRect>
#include <QWidget>

namespace toric {

inline void draw_focus_ring(QPainter& painter, const QWidget& control,
                            const QRect& ring) {
  painter.setPen(
      QPen(control.palette().color(QPalette::ButtonText), 1, Qt::DotLine));
  painter.drawRect(ring);
}

}  // namespace toric
