#include <windows.h>

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <cstdio>

#include "platform_steps.h"

namespace toric {

// No fontconfig: Windows' font list is the system's own.
FontWarmup::FontWarmup() {}
FontWarmup::~FontWarmup() {}

// No signals to watch: Qt quits on WM_ENDSESSION.
struct QuitOnSignals::Watch {};
QuitOnSignals::QuitOnSignals() {}
QuitOnSignals::~QuitOnSignals() {}

// Standard handles that were redirected (to a file or a pipe) are kept;
// otherwise the text goes to the console of the command prompt that started
// the program, if there is one.
void attach_console() {
  const HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
  if (out != nullptr && out != INVALID_HANDLE_VALUE) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  std::freopen("CONOUT$", "w", stdout);
  std::freopen("CONOUT$", "w", stderr);
}

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
