#include "application_start.h"
#include "form1.h"

int main(int argc, char* argv[]) {
  const auto app = toric::start_application(argc, argv);
  toric::Form1 window;
  window.show();
  return app->exec();
}
