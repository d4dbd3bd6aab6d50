// What a screen reader gets from the window: each bar as a spin button
// whose text is its readout, and what is announced after calculate and
// reset. (The window's name and the events are heard by the screen reader
// test, on a real display.)
#include <QAccessible>
#include <QPushButton>
#include <QTest>

#include "accessibility.h"
#include "announcer.h"
#include "form1_support.h"

using toric::test::bar;
using toric::test::caption;
using toric::test::find;

class Form1AccessibilityTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { toric::install_accessibility(); }  // as main does

  void bar_text_is_its_readout_at_every_position_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("readout");
    QTest::addColumn<QString>("name");
    QTest::newRow("lens 1 sphere") << "HScroll1"
                                   << "Label7"
                                   << "レンズ１ 球面度数";
    QTest::newRow("lens 1 cylinder") << "HScroll2"
                                     << "Label8"
                                     << "レンズ１ 円柱度数";
    QTest::newRow("lens 1 axis") << "HScroll3"
                                 << "Label9"
                                 << "レンズ１ 軸度";
    QTest::newRow("lens 2 sphere") << "HScroll4"
                                   << "Label10"
                                   << "レンズ２ 球面度数";
    QTest::newRow("lens 2 cylinder") << "HScroll5"
                                     << "Label11"
                                     << "レンズ２ 円柱度数";
    QTest::newRow("lens 2 axis") << "HScroll6"
                                 << "Label12"
                                 << "レンズ２ 軸度";
  }

  void bar_text_is_its_readout_at_every_position() {
    QFETCH(QString, bar);
    QFETCH(QString, readout);
    QFETCH(QString, name);
    toric::Form1 window;
    QScrollBar* scroll = toric::test::bar(window, qPrintable(bar));
    QAccessibleInterface* spoken =
        QAccessible::queryAccessibleInterface(scroll);
    QCOMPARE(spoken->role(), QAccessible::SpinBox);
    QCOMPARE(spoken->text(QAccessible::Name), name);
    QAccessibleValueInterface* value = spoken->valueInterface();
    QVERIFY(value != nullptr);  // value events still go
    QAccessibleTextInterface* text = spoken->textInterface();
    QVERIFY(text != nullptr);
    double lowest = 1e9, highest = -1e9;
    for (int position = scroll->maximum(); position >= 0; --position) {
      scroll->setValue(position);
      const QString shown = caption(window, qPrintable(readout));
      QCOMPARE(text->text(0, text->characterCount()), shown);
      QCOMPARE(spoken->text(QAccessible::Value), shown);
      // The value is the readout's number, as a reader that speaks values
      // says it.
      QString number = shown;
      number.replace(u'＋', u'+').remove(u'Ｄ').remove(u'°');
      QCOMPARE(value->currentValue().toDouble(), number.toDouble());
      lowest = qMin(lowest, number.toDouble());
      highest = qMax(highest, number.toDouble());
    }
    // The range a tool is told is the readouts' own, end to end.
    QCOMPARE(value->minimumValue().toDouble(), lowest);
    QCOMPARE(value->maximumValue().toDouble(), highest);
    // No tool moves a bar to a raw position.
    value->setCurrentValue(2);
    QCOMPARE(scroll->value(), 0);
  }

  void calculate_and_reset_are_announced() {
    // Qt sends no events on the offscreen platform: the end-to-end screen
    // reader test hears them; here, what they carry.
    toric::Form1 window;
    auto* announcer = window.findChild<toric::Announcer*>();
    QAccessibleInterface* spoken =
        QAccessible::queryAccessibleInterface(announcer);
    QCOMPARE(spoken->role(), QAccessible::Notification);
    // Its parent is the window, and the window lists it among its children.
    QAccessibleInterface* parent = spoken->parent();
    QCOMPARE(parent->object(), &window);
    const int index = parent->indexOfChild(spoken);
    QVERIFY(index >= 0 && index < parent->childCount());
    QCOMPARE(parent->child(index)->object(), announcer);
    QList<int> positions = toric::test::start_positions();
    positions[0] += 4;
    bar(window, "HScroll1")->setValue(positions[0]);
    find<QPushButton>(window, "Command1")->click();
    QCOMPARE(spoken->text(QAccessible::Name),
             toric::test::result_at(positions));
    find<QPushButton>(window, "Command2")->click();
    QCOMPARE(spoken->text(QAccessible::Name),
             QStringLiteral("リセットしました。"));
  }
};

QTEST_MAIN(Form1AccessibilityTest)
#include "form1_accessibility_test.moc"
