#pragma once
// A horizontal scroll bar with the keys desktop users know: Right and Down
// one small step towards the maximum, Left and Up towards the minimum, Page
// Down and Page Up one large step, Home and End to the ends. Qt's own bar
// maps several of these the other way round. One wheel notch is one small
// step, as one arrow click, however finely a touchpad slices it; and the
// bar with the keyboard focus shows a dotted ring like the buttons'.

#include <QScrollBar>

#include "bar_readouts.h"
#include "wheel_steps.h"

namespace toric {

class ScaleBar : public QScrollBar {
  Q_OBJECT

 public:
  // `scale` is the kind of bar: the text of the readout above it, which is
  // also what a screen reader says for the bar, and the number in it.
  ScaleBar(const BarScale& scale, QWidget* parent);

  const BarScale& scale() const { return scale_; }
  QString readout_text() const;

  // The position the bar starts at, and goes back to on reset.
  void set_start_value(int position) {
    start_value_ = position;
    setValue(position);
  }
  int start_value() const { return start_value_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  WheelSteps wheel_;
  const BarScale& scale_;
  int start_value_ = 0;
};

}  // namespace toric
