// The floor any Qt Widgets program pays: a window of the calculator's size
// holding one label with the calculator's title. The start-up and memory
// benchmark compares the calculator against it.
#include <QApplication>
#include <QLabel>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.resize(555, 379);
  QLabel label(QStringLiteral("トーリックレンズの合成"), &window);
  label.setGeometry(16, 8, 273, 25);
  window.show();
  return app.exec();
}
