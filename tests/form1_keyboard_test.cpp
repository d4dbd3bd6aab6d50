// The window driven by the keyboard: keys go to the window and reach the
// focused control the way the platform routes them.
#include <QTest>

#include "form1_support.h"

using toric::test::bar;
using toric::test::caption;
using toric::test::focused_name;

namespace {

const QStringList kTabCycle{"Command1", "Command2", "Command3", "HScroll1",
                            "HScroll2", "HScroll3", "HScroll4", "HScroll5",
                            "HScroll6", "print"};

void press(QWidget& window, Qt::Key key,
           Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(window.windowHandle(), key, modifiers);
}

// Tabs from the start until `name` has the focus.
bool tab_to(QWidget& window, const QString& name) {
  for (int i = 0; i < kTabCycle.size() && focused_name() != name; ++i) {
    press(window, Qt::Key_Tab);
  }
  return focused_name() == name;
}

}  // namespace

class Form1KeyboardTest : public QObject {
  Q_OBJECT

 private slots:
  void focus_starts_on_calculate() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    QCOMPARE(focused_name(), QStringLiteral("Command1"));
  }

  void tab_walks_the_cycle_and_never_lands_on_a_label() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    for (int i = 1; i <= kTabCycle.size(); ++i) {
      press(window, Qt::Key_Tab);
      QCOMPARE(focused_name(), kTabCycle[i % kTabCycle.size()]);
    }
  }

  void shift_tab_walks_the_cycle_backwards() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    for (int i = 1; i <= kTabCycle.size(); ++i) {
      press(window, Qt::Key_Tab, Qt::ShiftModifier);
      QCOMPARE(focused_name(),
               kTabCycle[(kTabCycle.size() - i) % kTabCycle.size()]);
    }
  }

  void enter_return_and_space_press_the_focused_button_data() {
    QTest::addColumn<int>("key");
    QTest::newRow("Return") << int(Qt::Key_Return);
    QTest::newRow("Enter") << int(Qt::Key_Enter);
    QTest::newRow("Space") << int(Qt::Key_Space);
  }

  void enter_return_and_space_press_the_focused_button() {
    QFETCH(int, key);
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    const QList<int> start = toric::test::start_positions();
    press(window, Qt::Key(key));
    QCOMPARE(caption(window, "Label6"), toric::test::result_at(start));

    // On the reset button the same key resets.
    bar(window, "HScroll1")->setValue(start[0] + 4);
    QVERIFY(tab_to(window, "Command2"));
    press(window, Qt::Key(key));
    QCOMPARE(caption(window, "Label6"), QString());
    QCOMPARE(bar(window, "HScroll1")->value(), start[0]);
  }

  void bar_keys_move_towards_max_and_min_data() {
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("readout");
    QTest::newRow("Right one step to max")
        << 90 << int(Qt::Key_Right) << 91 << "89°";
    QTest::newRow("Down one step to max")
        << 90 << int(Qt::Key_Down) << 91 << "89°";
    QTest::newRow("Left one step to min")
        << 90 << int(Qt::Key_Left) << 89 << "91°";
    QTest::newRow("Up one step to min") << 90 << int(Qt::Key_Up) << 89 << "91°";
    QTest::newRow("Page Down large step")
        << 90 << int(Qt::Key_PageDown) << 105 << "75°";
    QTest::newRow("Page Up large step")
        << 90 << int(Qt::Key_PageUp) << 75 << "105°";
    QTest::newRow("Page Down stops at max")
        << 170 << int(Qt::Key_PageDown) << 180 << "180°";
    QTest::newRow("Page Up stops at min")
        << 10 << int(Qt::Key_PageUp) << 0 << "180°";
    QTest::newRow("End to max") << 90 << int(Qt::Key_End) << 180 << "180°";
    QTest::newRow("Home to min") << 90 << int(Qt::Key_Home) << 0 << "180°";
    QTest::newRow("Right stops at max")
        << 180 << int(Qt::Key_Right) << 180 << "180°";
  }

  void bar_keys_move_towards_max_and_min() {
    QFETCH(int, start);
    QFETCH(int, key);
    QFETCH(int, value);
    QFETCH(QString, readout);
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    bar(window, "HScroll3")->setValue(start);
    QVERIFY(tab_to(window, "HScroll3"));
    press(window, Qt::Key(key));
    QCOMPARE(bar(window, "HScroll3")->value(), value);
    QCOMPARE(caption(window, "Label9"), readout);
  }

  void keyboard_alone_sets_two_lenses_and_calculates() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    // Lens 1: cylinder -1.00 at 10 degrees; lens 2: -0.50 at 30 degrees.
    QVERIFY(tab_to(window, "HScroll2"));
    press(window, Qt::Key_PageDown);  // 4 positions: -1.00 D
    press(window, Qt::Key_Tab);       // axis bar of lens 1
    for (int i = 0; i < 5; ++i) press(window, Qt::Key_PageDown);  // 15
    for (int i = 0; i < 5; ++i) press(window, Qt::Key_Right);     // 10
    press(window, Qt::Key_Tab);  // sphere of lens 2 stays
    press(window, Qt::Key_Tab);
    press(window, Qt::Key_Right);
    press(window, Qt::Key_Right);  // -0.50 D
    press(window, Qt::Key_Tab);
    for (int i = 0; i < 4; ++i) press(window, Qt::Key_PageDown);  // 30
    QCOMPARE(caption(window, "Label8"), QStringLiteral("-1.00Ｄ"));
    QCOMPARE(caption(window, "Label9"), QStringLiteral("10°"));
    QCOMPARE(caption(window, "Label11"), QStringLiteral("-0.50Ｄ"));
    QCOMPARE(caption(window, "Label12"), QStringLiteral("30°"));
    press(window, Qt::Key_Tab);  // print
    press(window, Qt::Key_Tab);  // calculate
    QCOMPARE(focused_name(), QStringLiteral("Command1"));
    press(window, Qt::Key_Return);
    // With both spheres at their start (0.00 D):
    // "Ｓ-0.06Ｄ Ｃ-1.39Ｄ Ａ17°".
    const int sphere = toric::kSphereSpan.start;
    QCOMPARE(caption(window, "Label6"),
             toric::test::result_at({sphere, 4, 170, sphere, 2, 150}));
  }

  // The style itself marks no focus on a bar; the window draws a ring on the
  // focused one and on no other.
  void only_the_focused_bar_shows_the_focus() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    QScrollBar* sphere = bar(window, "HScroll1");
    QScrollBar* axis = bar(window, "HScroll6");
    const QImage sphere_unfocused = sphere->grab().toImage();
    const QImage axis_unfocused = axis->grab().toImage();
    QVERIFY(tab_to(window, "HScroll1"));
    // The ring stands out: a good many pixels turn from light to dark.
    const QImage sphere_focused = sphere->grab().toImage();
    const int ring =
        toric::test::count_points(sphere_focused.rect(), [&](QPoint at) {
          return qGray(sphere_unfocused.pixel(at)) -
                     qGray(sphere_focused.pixel(at)) >=
                 128;
        });
    QVERIFY2(ring >= 40, qPrintable(QString::number(ring)));
    QCOMPARE(axis->grab().toImage(), axis_unfocused);
    if (qEnvironmentVariableIsSet("TORIC_SAVE_GRABS")) {
      window.grab().save("focused-bar.png");
    }
    press(window, Qt::Key_Tab);
    QCOMPARE(sphere->grab().toImage(), sphere_unfocused);
  }
};

QTEST_MAIN(Form1KeyboardTest)
#include "form1_keyboard_test.moc"
