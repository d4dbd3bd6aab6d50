#include "font_faces.h"

#include <QFontDatabase>
#include <cmath>

#include "font_stand_ins.h"
#include "synthetic_bold.h"

namespace toric {

namespace {

constexpr double kPixelsPerPoint = 96.0 / 72.0;

// The installed face that stands in for `requested`, or an empty string
// when the window asks for no such face.
QString stand_in_face(const QString& requested) {
  for (const auto& s : kStandIns) {
    if (requested == QString::fromUtf8(s.requested)) {
      return QString::fromUtf8(s.installed);
    }
  }
  return {};
}

}  // namespace

QString FontFaces::installed_face(const QString& requested) {
  auto chosen = chosen_.constFind(requested);
  if (chosen == chosen_.constEnd()) {
    const QString stand_in = stand_in_face(requested);
    const bool use_requested =
        stand_in.isEmpty() || QFontDatabase::hasFamily(requested);
    chosen = chosen_.insert(requested, use_requested ? requested : stand_in);
  }
  return *chosen;
}

QFont FontFaces::font_for(const FontRequest& request) {
  const QString face = installed_face(QString::fromUtf8(request.face));
  QFont font(face);
  font.setPixelSize(
      static_cast<int>(std::lround(request.points * kPixelsPerPoint)));
  font.setWeight(request.bold ? QFont::Bold : QFont::Normal);
  font.setItalic(request.italic);
  if (request.bold) keep_regular_advance(font);
  return font;
}

}  // namespace toric
