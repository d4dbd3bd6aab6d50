#include "application_start.h"
#include "font_warmup.h"
#include "form1.h"

int main(int argc, char* argv[]) {
  const toric::FontWarmup fonts;  // overlaps the connection to the display
  const auto app = toric::start_application(argc, argv);
  toric::Form1 window;
  window.show();
  return app->exec();
}
