// The application as the program starts it: named after its menu entry, so
// that docks and Wayland compositors match the window to its launcher.
#include "application_start.h"

#include <QApplication>
#include <QTest>

class ApplicationStartTest : public QObject {
  Q_OBJECT

 private slots:
  void is_named_after_its_menu_entry() {
    QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral(TORIC_APP_ID));
  }
};

int main(int argc, char* argv[]) {
  const auto application = toric::start_application(argc, argv);
  ApplicationStartTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "application_start_test.moc"
