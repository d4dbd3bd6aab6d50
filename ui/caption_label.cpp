#include "caption_label.h"

#include <QFontInfo>
#include <QPainter>
#include <QTextLayout>

namespace toric {

namespace {
// Where the baseline sits below the top of a line, in ems: the bottom of
// the ideographic em box is 0.12 em below the baseline.
constexpr qreal kBaselineInEms = 0.88;
}  // namespace

void CaptionLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  drawFrame(&painter);
  // The result line starts empty: no text, no font to load.
  if (text().isEmpty()) return;
  const QRect area = contentsRect();
  const qreal em = QFontInfo(font()).pixelSize();

  QTextLayout layout(text(), font(), this);
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.beginLayout();
  qreal top = area.top();
  for (QTextLine line = layout.createLine(); line.isValid();
       line = layout.createLine()) {
    line.setLineWidth(area.width());
    qreal left = area.left();
    if (alignment() & Qt::AlignHCenter) {
      left += (area.width() - line.naturalTextWidth()) / 2;
    }
    line.setPosition({left, top + kBaselineInEms * em - line.ascent()});
    top += em;
  }
  layout.endLayout();

  painter.setPen(palette().color(foregroundRole()));
  painter.setClipRect(area);
  layout.draw(&painter, {0, 0});
}

}  // namespace toric
