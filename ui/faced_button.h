#pragma once
// A push button whose face is one flat colour. The default style draws a
// gradient from the palette's button colour, which is not the colour asked
// for; this keeps the style's frame, caption and focus and fills the face.

#include <QColor>
#include <QPushButton>

namespace toric {

class FacedButton : public QPushButton {
 public:
  FacedButton(const QString& caption, QColor face, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor face_;
};

}  // namespace toric
