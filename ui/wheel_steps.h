#pragma once
// Wheel turns as whole steps of a bar. A mouse notch is 120 units of
// angle; touchpads and fine wheels slice a notch into many small events,
// which add up here so that every whole notch is one step however it was
// sliced, as Qt's own slider and Konsole keep them. Kept apart from the bar
// so that a table of events can drive it.

#include <QWheelEvent>

namespace toric {

struct WheelTurn {
  int steps = 0;       // towards the bar's maximum; negative: its minimum
  bool pages = false;  // large steps: Ctrl or Shift was held
};

class WheelSteps {
 public:
  // The whole steps `event` completes on a bar whose controls are
  // `inverted_controls` (a horizontal scroll bar's are).
  WheelTurn add(const QWheelEvent& event, bool inverted_controls);

 private:
  static constexpr int kNotch = 120;
  int rest_ = 0;  // turned but not yet a whole notch
};

}  // namespace toric
