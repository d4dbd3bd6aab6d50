// Each bar's readout follows the bar: at its ends and start, one step each
// way, by the program, the keyboard and the mouse; never during a drag.
#include <QStyleOptionSlider>
#include <QTest>

#include "form1_support.h"

using toric::test::bar;
using toric::test::caption;

namespace {

// Centre of a part of a scroll bar (arrow, track or thumb), in the window.
QPoint centre_of(QScrollBar* b, QStyle::SubControl part) {
  QStyleOptionSlider option;
  option.initFrom(b);
  option.orientation = b->orientation();
  option.minimum = b->minimum();
  option.maximum = b->maximum();
  option.sliderPosition = b->sliderPosition();
  option.sliderValue = b->value();
  option.singleStep = b->singleStep();
  option.pageStep = b->pageStep();
  option.upsideDown = b->invertedAppearance();
  const QRect rect =
      b->style()->subControlRect(QStyle::CC_ScrollBar, &option, part, b);
  return b->mapTo(b->window(), rect.center());
}

void click(QWidget& window, QPoint at) {
  QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

}  // namespace

class Form1ReadoutsTest : public QObject {
  Q_OBJECT

 private slots:
  // From the first frame, each readout shows what its bar's scale reads
  // at the bar's start.
  void readouts_show_their_start_captions() {
    toric::Form1 window;
    const QStringList starts = toric::test::start_readouts();
    for (int i = 0; i < toric::kBarCount; ++i) {
      QCOMPARE(caption(window, toric::kBarReadouts[i].readout), starts[i]);
    }
    QCOMPARE(caption(window, "Label6"), QString());
  }

  // Each bar writes its own label with its own kind of readout; what a
  // position reads is the texts' own test.
  void readout_follows_its_bar_data() {
    QTest::addColumn<QString>("bar");
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("readout");
    QTest::newRow("HScroll1") << "HScroll1"
                              << "Label7" << 41 << "-0.25Ｄ";
    QTest::newRow("HScroll2") << "HScroll2"
                              << "Label8" << 20 << "-5.00Ｄ";
    QTest::newRow("HScroll3") << "HScroll3"
                              << "Label9" << 180 << "180°";
    QTest::newRow("HScroll4") << "HScroll4"
                              << "Label10" << 0 << "＋10.00Ｄ";
    QTest::newRow("HScroll5") << "HScroll5"
                              << "Label11" << 1 << "-0.25Ｄ";
    QTest::newRow("HScroll6") << "HScroll6"
                              << "Label12" << 179 << "1°";
  }

  void readout_follows_its_bar() {
    QFETCH(QString, bar);
    QFETCH(QString, label);
    QFETCH(int, position);
    QFETCH(QString, readout);
    toric::Form1 window;
    toric::test::bar(window, qPrintable(bar))->setValue(position);
    QCOMPARE(caption(window, qPrintable(label)), readout);
  }

  void arrow_click_moves_one_small_step() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    QScrollBar* sphere = bar(window, "HScroll1");
    const int start = toric::kSphereSpan.start;
    click(window, centre_of(sphere, QStyle::SC_ScrollBarAddLine));
    QCOMPARE(sphere->value(), start + 1);
    QCOMPARE(caption(window, "Label7"),
             QString::fromStdString(toric::kSphereScale.readout(start + 1)));
    click(window, centre_of(sphere, QStyle::SC_ScrollBarSubLine));
    click(window, centre_of(sphere, QStyle::SC_ScrollBarSubLine));
    QCOMPARE(caption(window, "Label7"),
             QString::fromStdString(toric::kSphereScale.readout(start - 1)));
  }

  void track_click_moves_one_large_step() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    QScrollBar* axis = bar(window, "HScroll6");
    click(window, centre_of(axis, QStyle::SC_ScrollBarAddPage));
    QCOMPARE(axis->value(), 105);
    QCOMPARE(caption(window, "Label12"), QStringLiteral("75°"));
    QScrollBar* cylinder = bar(window, "HScroll5");
    click(window, centre_of(cylinder, QStyle::SC_ScrollBarAddPage));
    QCOMPARE(caption(window, "Label11"), QStringLiteral("-1.00Ｄ"));
  }

  void a_wheel_notch_moves_a_step_and_with_ctrl_a_page_data() {
    // How notches add up is the wheel's own test; here, that the bar
    // follows them.
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<int>("change");
    QTest::newRow("a notch: one small step") << Qt::KeyboardModifiers() << 1;
    QTest::newRow("with Ctrl: one large step")
        << Qt::KeyboardModifiers(Qt::ControlModifier) << 15;
  }

  void a_wheel_notch_moves_a_step_and_with_ctrl_a_page() {
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(int, change);
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    QScrollBar* axis = bar(window, "HScroll3");
    const QPointF over = QPointF(axis->rect().center());
    QWheelEvent wheel(over, axis->mapToGlobal(over), QPoint(), QPoint(0, -120),
                      Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(axis, &wheel);
    QCOMPARE(axis->value(), toric::kAxisSpan.start + change);
    QCOMPARE(caption(window, "Label9"),
             QStringLiteral("%1°").arg(180 - axis->value()));
  }

  void readout_changes_when_a_dragged_thumb_is_released() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    QScrollBar* axis = bar(window, "HScroll3");
    const QPoint thumb = centre_of(axis, QStyle::SC_ScrollBarSlider);
    QTest::mousePress(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      thumb);
    QTest::mouseMove(window.windowHandle(), thumb + QPoint(6, 0));
    QVERIFY(axis->isSliderDown());
    const int start = toric::kAxisSpan.start;
    QVERIFY(axis->sliderPosition() > start);
    QCOMPARE(axis->value(), start);
    QCOMPARE(caption(window, "Label9"), toric::test::start_readouts()[2]);
    QTest::mouseRelease(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                        thumb + QPoint(6, 0));
    QVERIFY(axis->value() > start && axis->value() < 180);
    QCOMPARE(caption(window, "Label9"),
             QStringLiteral("%1°").arg(180 - axis->value()));
  }

  void click_on_a_label_does_nothing() {
    toric::Form1 window;
    QVERIFY(toric::test::show_active(window));
    for (const char* label : {"Label6", "Label7", "Label1"}) {
      QWidget* w = toric::test::find(window, label);
      click(window, w->geometry().center());
      QCOMPARE(toric::test::focused_name(), QStringLiteral("Command1"));
    }
    QCOMPARE(caption(window, "Label6"), QString());
    QCOMPARE(caption(window, "Label7"), toric::test::start_readouts()[0]);
  }
};

QTEST_MAIN(Form1ReadoutsTest)
#include "form1_readouts_test.moc"
