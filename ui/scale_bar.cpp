#include "scale_bar.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWheelEvent>
#include <algorithm>

#include "focus_ring.h"

namespace toric {

ScaleBar::ScaleBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setFocusPolicy(Qt::StrongFocus);
  // The value changes when a dragged thumb is released, not while it moves.
  setTracking(false);
}

void ScaleBar::keyPressEvent(QKeyEvent* event) {
  SliderAction action = SliderNoAction;
  switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Down:
      action = SliderSingleStepAdd;
      break;
    case Qt::Key_Left:
    case Qt::Key_Up:
      action = SliderSingleStepSub;
      break;
    case Qt::Key_PageDown:
      action = SliderPageStepAdd;
      break;
    case Qt::Key_PageUp:
      action = SliderPageStepSub;
      break;
    case Qt::Key_Home:
      action = SliderToMinimum;
      break;
    case Qt::Key_End:
      action = SliderToMaximum;
      break;
    default:
      QScrollBar::keyPressEvent(event);
      return;
  }
  triggerAction(action);
  event->accept();
}

void ScaleBar::wheelEvent(QWheelEvent* event) {
  // Qt moves the desktop's number of lines per notch (three by default);
  // the same event scaled down by that number moves one step per notch, with
  // Qt's direction, accumulation of fine wheels and modifiers kept.
  const int lines = std::max(1, QApplication::wheelScrollLines());
  QWheelEvent one_step(event->position(), event->globalPosition(),
                       event->pixelDelta() / lines, event->angleDelta() / lines,
                       event->buttons(), event->modifiers(), event->phase(),
                       event->inverted(), event->source());
  QScrollBar::wheelEvent(&one_step);
  event->setAccepted(one_step.isAccepted());
}

void ScaleBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus()) return;
  // Just inside the frame: it shows which bar the keys move.
  QPainter painter(this);
  draw_focus_ring(painter, *this, rect().adjusted(2, 2, -3, -3));
}

}  // namespace toric
