#include <QApplication>

#include "form1.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  toric::Form1 window;
  window.show();
  return app.exec();
}
