#include "scale_bar.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <cstdlib>

#include "focus_ring.h"

namespace toric {

ScaleBar::ScaleBar(const BarScale& scale, QWidget* parent)
    : QScrollBar(Qt::Horizontal, parent), scale_(scale) {
  setFocusPolicy(Qt::StrongFocus);
  // The value changes when a dragged thumb is released, not while it moves.
  setTracking(false);
}

QString ScaleBar::readout_text() const {
  return QString::fromStdString(
      scale_.readout(static_cast<std::int16_t>(value())));
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
  const WheelTurn turn = wheel_.add(*event, invertedControls());
  const SliderAction towards_max =
      turn.pages ? SliderPageStepAdd : SliderSingleStepAdd;
  const SliderAction towards_min =
      turn.pages ? SliderPageStepSub : SliderSingleStepSub;
  for (int i = 0; i < std::abs(turn.steps); ++i) {
    triggerAction(turn.steps > 0 ? towards_max : towards_min);
  }
  event->accept();
}

void ScaleBar::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (!hasFocus()) return;
  // Just inside the frame: it shows which bar the keys move.
  QPainter painter(this);
  draw_focus_ring(painter, *this, rect().adjusted(2, 2, -3, -3));
}

}  // namespace toric
