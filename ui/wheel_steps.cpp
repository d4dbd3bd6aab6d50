#include "wheel_steps.h"

namespace toric {

WheelTurn WheelSteps::add(const QWheelEvent& event, bool inverted_controls) {
  // Which way, as Qt's own bar reads it: a sideways turn to the right is
  // negative, natural scrolling turns the sign round, and so do inverted
  // controls. Positive: towards the maximum.
  const QPoint angle = event.angleDelta();
  int delta = angle.y() != 0 ? angle.y() : -angle.x();
  if (event.inverted()) delta = -delta;
  if (inverted_controls) delta = -delta;
  // A turn the other way starts afresh.
  if ((rest_ < 0 && delta > 0) || (rest_ > 0 && delta < 0)) rest_ = 0;
  rest_ += delta;
  const int steps = rest_ / kNotch;
  rest_ -= steps * kNotch;
  // With Ctrl or Shift a notch is a large step, as in Qt.
  const bool pages =
      event.modifiers() & (Qt::ControlModifier | Qt::ShiftModifier);
  return {steps, pages};
}

}  // namespace toric
