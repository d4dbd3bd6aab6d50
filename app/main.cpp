#include "application_start.h"
#include "command_line.h"
#include "font_warmup.h"
#include "form1.h"
#include "quit_signals.h"

int main(int argc, char* argv[]) {
  if (const auto status = toric::answer_command_line(argc, argv)) {
    return *status;
  }
  const toric::FontWarmup fonts;  // overlaps the connection to the display
  const auto app = toric::start_application(argc, argv);
  const toric::QuitOnSignals quit_on_signals;
  toric::Form1 window;
  window.show();
  return app->exec();
}
