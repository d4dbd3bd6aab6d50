#include <QApplication>
#include <cstdio>

#include "accessibility.h"
#include "application_start.h"
#include "command_line.h"
#include "form1.h"
#include "light_palette.h"
#include "platform_steps.h"

namespace {

int tell(const toric::CommandLineAnswer& answer) {
  toric::attach_console();
  std::fputs(answer.out.toLocal8Bit().constData(), stdout);
  std::fputs(answer.err.toLocal8Bit().constData(), stderr);
  return *answer.status;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (toric::asks_for_help_or_version(argc, argv)) {
    const QCoreApplication no_display(argc, argv);
    return tell(toric::answer_command_line(QCoreApplication::arguments()));
  }
  const toric::FontWarmup fonts;  // overlaps the connection to the display
  const auto app = toric::start_application(argc, argv);
  const auto answer = toric::answer_command_line(QCoreApplication::arguments());
  if (answer.status) return tell(answer);
  // The design's colours were chosen against a light desktop: the window
  // and the boxes it opens keep it, whatever the desktop's palette,
  // and the same widget style on every platform.
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setPalette(toric::light_palette());
  toric::add_bundled_fonts();
  toric::install_accessibility();
  const toric::QuitOnSignals quit_on_signals;
  toric::Form1 window;
  window.show();
  return app->exec();
}
