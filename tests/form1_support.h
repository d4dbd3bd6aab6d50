#pragma once
// Finding the window's controls by name, as the handlers do, and showing
// the window as the user gets it: active, with the focus where it starts.

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include "bar_readouts.h"
#include "control_factory.h"
#include "form1.h"
#include "toric/combine.h"
#include "toric/format.h"

namespace toric::test {

// The control named `name`; for a member of a control array, the one with
// that index.
template <class Control = QWidget>
Control* find(const QWidget& window, const char* name, int index = -1) {
  for (Control* c : window.findChildren<Control*>(QString::fromUtf8(name),
                                                  Qt::FindDirectChildrenOnly)) {
    const QVariant member = c->property(kIndexProperty);
    if (index < 0 ? !member.isValid() : member.toInt() == index) return c;
  }
  return nullptr;
}

inline QScrollBar* bar(const QWidget& window, const char* name) {
  return find<QScrollBar>(window, name);
}

inline QString caption(const QWidget& window, const char* name,
                       int index = -1) {
  return find<QLabel>(window, name, index)->text();
}

// The bars' start positions and what their readouts show there, from the
// core's scales: a start moved there is what the window's tests expect.
inline QList<int> start_positions() {
  QList<int> starts;
  for (const BarReadout& wiring : kBarReadouts) {
    const BarSpan& span = &wiring.scale == &kSphereScale     ? kSphereSpan
                          : &wiring.scale == &kCylinderScale ? kCylinderSpan
                                                             : kAxisSpan;
    starts << span.start;
  }
  return starts;
}

inline QStringList start_readouts() {
  QStringList readouts;
  const QList<int> starts = start_positions();
  for (int i = 0; i < kBarCount; ++i) {
    readouts << QString::fromStdString(
        kBarReadouts[i].scale.readout(static_cast<std::int16_t>(starts[i])));
  }
  return readouts;
}

// The line the window shows for bars at `positions`.
inline QString result_at(const QList<int>& positions) {
  const auto lens = [&](int first) {
    return lens_on_bars(static_cast<std::int16_t>(positions[first]),
                        static_cast<std::int16_t>(positions[first + 1]),
                        static_cast<std::int16_t>(positions[first + 2]));
  };
  return QString::fromStdString(
      format_result(combine_lenses(lens(0), lens(3))));
}

inline QString focused_name() {
  QWidget* focus = QApplication::focusWidget();
  return focus ? focus->objectName() : QString();
}

// Shows the window and waits until it is active and can take keys.
inline bool show_active(QWidget& window) {
  window.show();
  window.activateWindow();
  return QTest::qWaitForWindowActive(&window);
}

// How many points of `area` `counted` holds for: ink, a colour, a change.
template <class Counted>
int count_points(const QRect& area, Counted counted) {
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      count += counted(QPoint(x, y)) ? 1 : 0;
    }
  }
  return count;
}

// How many pixels of `picture` inside `area` are darker than `grey`.
inline int ink(const QImage& picture, const QRect& area, int grey = 128) {
  return count_points(
      area, [&](QPoint at) { return qGray(picture.pixel(at)) < grey; });
}

}  // namespace toric::test
