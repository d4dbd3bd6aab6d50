#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

#include "synthetic_bold.h"

namespace toric {

void keep_regular_advance(QFont& bold) {
  if (QFontDatabase::styles(bold.family()).contains(QStringLiteral("Bold"))) {
    return;  // a bold face of its own, with its own advances
  }
  QFont regular = bold;
  regular.setWeight(QFont::Normal);
  const QString sample = QStringLiteral("合");
  const qreal widened = QFontMetricsF(bold).horizontalAdvance(sample) -
                        QFontMetricsF(regular).horizontalAdvance(sample);
  if (widened > 0) bold.setLetterSpacing(QFont::AbsoluteSpacing, -widened);
}

}  // namespace toric
