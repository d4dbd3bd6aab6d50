#include "faced_button.h"

#include <QStyleOptionButton>
#include <QStylePainter>

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
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    focus.rect =
        style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
  }
}

}  // namespace toric
