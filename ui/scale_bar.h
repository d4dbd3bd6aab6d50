#pragma once
// A horizontal scroll bar with the keys desktop users know: Right and Down
// one small step towards the maximum, Left and Up towards the minimum, Page
// Down and Page Up one large step, Home and End to the ends. Qt's own bar
// maps several of these the other way round. One wheel notch is one small
// step, as one arrow click, and the bar with the keyboard focus shows a
// dotted ring like the buttons'.

#include <QScrollBar>

namespace toric {

class ScaleBar : public QScrollBar {
 public:
  explicit ScaleBar(QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace toric
