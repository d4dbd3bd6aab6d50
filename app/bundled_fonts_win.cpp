#include <QApplication>
#include <QDir>
#include <QFontDatabase>

#include "bundled_fonts.h"

namespace toric {

// Every font file in the fonts folder beside toric.exe. A face Windows has
// itself is still preferred: the window asks for it by name first.
void add_bundled_fonts() {
  const QDir fonts(QCoreApplication::applicationDirPath() +
                   QStringLiteral("/fonts"));
  const QStringList files = fonts.entryList(
      {QStringLiteral("*.ttf"), QStringLiteral("*.otf")}, QDir::Files);
  for (const QString& file : files) {
    QFontDatabase::addApplicationFont(fonts.filePath(file));
  }
  // The controls without a face of their own ("print", "ＥＮＤ") use the
  // desktop's sans-serif face; where Windows' own is missing (wine without
  // Windows fonts falls back to a serif one), the one Linux uses.
  QFont font = QApplication::font();
  font.setFamilies({QStringLiteral("Segoe UI"), QStringLiteral("Tahoma"),
                    QStringLiteral("DejaVu Sans"), font.family()});
  QApplication::setFont(font);
}

}  // namespace toric
