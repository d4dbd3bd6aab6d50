// Wheel events as devices send them, added up into a horizontal scroll
// bar's steps: a mouse notch is one event of 120, touchpads and fine wheels
// slice it; natural scrolling, sideways turns and Ctrl or Shift.
#include "wheel_steps.h"

#include <QTest>
#include <QWheelEvent>

namespace {

struct Turn {
  QPoint angle;
  bool inverted = false;  // natural scrolling
  Qt::KeyboardModifiers modifiers = Qt::NoModifier;
};

}  // namespace

Q_DECLARE_METATYPE(QList<Turn>)

class WheelStepsTest : public QObject {
  Q_OBJECT

 private slots:
  void turns_add_up_to_whole_steps_data() {
    QTest::addColumn<QList<Turn>>("turns");
    QTest::addColumn<int>("steps");  // towards the bar's maximum
    QTest::addColumn<bool>("pages");
    const auto down = [](int count, int delta) {
      return QList<Turn>(count, Turn{QPoint(0, -delta)});
    };
    const auto up = [](int count, int delta) {
      return QList<Turn>(count, Turn{QPoint(0, delta)});
    };
    QTest::newRow("a notch down") << down(1, 120) << 1 << false;
    QTest::newRow("a notch up") << up(1, 120) << -1 << false;
    QTest::newRow("30 slices of 4") << down(30, 4) << 1 << false;
    QTest::newRow("half a notch") << down(15, 4) << 0 << false;
    QTest::newRow("two notches in slices of 7") << down(35, 7) << 2 << false;
    QTest::newRow("sliced: two notches, one back")
        << down(60, 4) + up(30, 4) << 1 << false;
    QTest::newRow("half a notch, then one back")
        << down(15, 4) + up(30, 4) << -1 << false;
    QTest::newRow("natural scrolling turns the sign round")
        << QList<Turn>{{QPoint(0, 120), true}} << 1 << false;
    QTest::newRow("sideways to the left")
        << QList<Turn>{{QPoint(120, 0)}} << 1 << false;
    QTest::newRow("sideways to the right")
        << QList<Turn>{{QPoint(-120, 0)}} << -1 << false;
    QTest::newRow("with Ctrl, pages")
        << QList<Turn>{{QPoint(0, -120), false, Qt::ControlModifier}} << 1
        << true;
    QTest::newRow("with Shift, pages")
        << QList<Turn>{{QPoint(0, 120), false, Qt::ShiftModifier}} << -1
        << true;
  }

  void turns_add_up_to_whole_steps() {
    QFETCH(QList<Turn>, turns);
    QFETCH(int, steps);
    QFETCH(bool, pages);
    toric::WheelSteps wheel;
    toric::WheelTurn total;
    for (const Turn& t : turns) {
      const QWheelEvent event(QPointF(), QPointF(), QPoint(), t.angle,
                              Qt::NoButton, t.modifiers, Qt::NoScrollPhase,
                              t.inverted);
      const toric::WheelTurn turn = wheel.add(event, true);
      total.steps += turn.steps;
      total.pages = turn.pages;
    }
    QCOMPARE(total.steps, steps);
    QCOMPARE(total.pages, pages);
  }
};

QTEST_GUILESS_MAIN(WheelStepsTest)
#include "wheel_steps_test.moc"
