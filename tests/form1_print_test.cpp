// Printing on a real default printer; run by print_cups_test.py, which
// provides the print service and checks the page that arrives.
#include <QElapsedTimer>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "form1_support.h"
#include "print_job.h"

using toric::test::bar;
using toric::test::caption;
using toric::test::find;

class Form1PrintTest : public QObject {
  Q_OBJECT

 private slots:
  void print_sends_the_window_to_the_default_printer_without_a_dialog() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    // Lens 1 -1.00 at 10 degrees with lens 2 -0.50 at 30 degrees.
    bar(window, "HScroll2")->setValue(4);
    bar(window, "HScroll3")->setValue(170);
    bar(window, "HScroll5")->setValue(2);
    bar(window, "HScroll6")->setValue(150);
    find<QPushButton>(window, "Command1")->click();
    const QString result = QStringLiteral("Ｓ-0.06Ｄ Ｃ-1.39Ｄ Ａ17°");
    QCOMPARE(caption(window, "Label6"), result);

    QElapsedTimer clock;
    clock.start();
    find<QPushButton>(window, "print")->click();
    const qint64 returned = clock.elapsed();
    const auto* job = window.findChild<toric::PrintJob*>();
    QTRY_VERIFY_WITH_TIMEOUT(!job->pending(), 60000);
    qInfo("print handler returned after %lld ms, job accepted after %lld ms",
          returned, clock.elapsed());

    QCOMPARE(QApplication::topLevelWidgets().size(), 1);
    QVERIFY(window.findChild<QMessageBox*>() == nullptr);
    QCOMPARE(caption(window, "Label6"), result);
    QCOMPARE(bar(window, "HScroll3")->value(), 170);
  }
};

QTEST_MAIN(Form1PrintTest)
#include "form1_print_test.moc"
