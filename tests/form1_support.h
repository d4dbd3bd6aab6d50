#pragma once
// Finding the window's controls by name, as the handlers do, and showing
// the window as the user gets it: active, with the focus where it starts.

#include <QAbstractButton>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QScrollBar>
#include <QTest>

#include "control_factory.h"
#include "form1.h"

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
