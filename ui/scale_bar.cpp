#include "scale_bar.h"

#include <QKeyEvent>
#include <QWheelEvent>
#include <cstdlib>

#include "focus_ring.h"

namespace toric {

ScaleBar::ScaleBar(QWidget* parent) : QScrollBar(Qt::Horizontal, parent) {
  setFocusPolicy(Qt::StrongFocus);
  // The value changes when a dragged thumb is released, not while it moves.
  setTracking(false);
}

QString ScaleBar::readout_text() const {
  if (readout_ == nullptr) return QString::number(value());
  return QString::fromStdString(readout_(static_cast<std::int16_t>(value())));
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
  // Which way, as Qt's own bar reads it: a sideways turn to the right is
  // negative, and the bar's controls are inverted. Positive: towards Max.
  const QPoint angle = event->angleDelta();
  int delta = angle.y() != 0 ? angle.y() : -angle.x();
  if (event->inverted()) delta = -delta;
  if (invertedControls()) delta = -delta;
  // Touchpads and fine wheels slice a notch into many small events: they
  // add up, and every whole notch is one step, however it was sliced. A
  // turn the other way starts afresh.
  if ((wheel_rest_ < 0 && delta > 0) || (wheel_rest_ > 0 && delta < 0)) {
    wheel_rest_ = 0;
  }
  wheel_rest_ += delta;
  const int notches = wheel_rest_ / kWheelNotch;
  wheel_rest_ -= notches * kWheelNotch;
  // With Ctrl or Shift a notch is a large step, as in Qt.
  const bool large =
      event->modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  const SliderAction towards_max =
      large ? SliderPageStepAdd : SliderSingleStepAdd;
  const SliderAction towards_min =
      large ? SliderPageStepSub : SliderSingleStepSub;
  for (int i = 0; i < std::abs(notches); ++i) {
    triggerAction(notches > 0 ? towards_max : towards_min);
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
