#pragma once
// Fonts for the window's controls. The window asks for Japanese Windows
// faces by name. Where such a face is installed it is used; elsewhere an
// installed face from Debian's packages stands in for it, without touching
// the user's font configuration.

#include <QFont>
#include <QHash>
#include <QString>

#include "control_table.h"

namespace toric {

// Builds the fonts of one window. Whether a requested face is installed is
// looked up once per face: each lookup asks the font configuration, which
// is slow enough to show in the start-up time if done for every control.
class FontFaces {
 public:
  // The font for a request with a face, sized in device-independent pixels
  // (points at 96 dpi) so that it scales with the twip geometry.
  QFont font_for(const FontRequest& request);

 private:
  QString installed_face(const QString& requested);

  QHash<QString, QString> chosen_;  // requested face -> face used
};

}  // namespace toric
