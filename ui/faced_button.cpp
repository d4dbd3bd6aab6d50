#include "faced_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

#include "focus_ring.h"

namespace toric {

namespace {
// The style's frame is two pixels wide; the face is everything inside it.
constexpr int kFrameWidth = 2;
}  // namespace

FacedButton::FacedButton(const QString& caption, QColor face, QWidget* parent)
    : QPushButton(caption, parent), face_(face) {}

void FacedButton::paintEvent(QPaintEvent* /*event*/) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  painter.drawControl(QStyle::CE_PushButtonBevel, option);
  const QRect face =
      rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
  painter.fillRect(face, isDown() ? face_.darker(115) : face_);
  painter.drawControl(QStyle::CE_PushButtonLabel, option);
  if (hasFocus()) {
    // Around the caption: the style's own focus frame is filled with a
    // tint, which would change the face colour.
    draw_focus_ring(
        painter, *this,
        style()
            ->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this)
            .adjusted(0, 0, -1, -1));
  }
}

}  // namespace toric
