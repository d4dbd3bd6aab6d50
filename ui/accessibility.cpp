#include "accessibility.h"

#include <QAccessible>
#include <QAccessibleObject>
#include <QAccessibleWidget>

#include "announcer.h"
#include "bar_state.h"
#include "form1.h"
#include "scale_bar.h"

namespace toric {

namespace {

// A bar as a spin button whose text is its readout: a screen reader says
// the bar's name and "-0.25Ｄ" or "89°" on focus and on every change. Its
// value is the readout's number too (-0.25, 89), so that a reader that
// speaks values (Narrator) says what the window shows; it is read-only, so
// that no tool sets a bar to a raw position. The value interface stays, so
// that the bar's value-change events still reach the screen reader.
class ScaleBarAccessible : public QAccessibleWidget,
                           public QAccessibleValueInterface,
                           public QAccessibleTextInterface {
 public:
  explicit ScaleBarAccessible(ScaleBar* bar)
      : QAccessibleWidget(bar, QAccessible::SpinBox) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ValueInterface) {
      return static_cast<QAccessibleValueInterface*>(this);
    }
    if (type == QAccessible::TextInterface) {
      return static_cast<QAccessibleTextInterface*>(this);
    }
    return QAccessibleWidget::interface_cast(type);
  }

  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Value ? readout() : QAccessibleWidget::text(t);
  }

  QAccessible::State state() const override {
    QAccessible::State state = QAccessibleWidget::state();
    adjust_bar_state(state);
    return state;
  }

  // Value: the number the readout shows, read-only.
  QVariant currentValue() const override {
    return scale().value(static_cast<std::int16_t>(bar()->value()));
  }
  void setCurrentValue(const QVariant& /*value*/) override {}
  QVariant maximumValue() const override { return scale().highest; }
  QVariant minimumValue() const override { return scale().lowest; }
  QVariant minimumStepSize() const override { return scale().step; }

  // Text: the readout, read-only, with no selection.
  QString text(int start, int end) const override {
    return readout().mid(start, end - start);
  }
  int characterCount() const override {
    return static_cast<int>(readout().size());
  }
  QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary,
                       int* start, int* end) const override {
    if (boundary == QAccessible::CharBoundary && offset >= 0 &&
        offset < characterCount()) {
      *start = offset;
      *end = offset + 1;
      return readout().mid(offset, 1);
    }
    *start = 0;
    *end = characterCount();
    return readout();
  }
  QString textBeforeOffset(int, QAccessible::TextBoundaryType, int* start,
                           int* end) const override {
    *start = *end = -1;
    return {};
  }
  QString textAfterOffset(int, QAccessible::TextBoundaryType, int* start,
                          int* end) const override {
    *start = *end = -1;
    return {};
  }
  void selection(int, int* start, int* end) const override {
    *start = *end = 0;
  }
  int selectionCount() const override { return 0; }
  void addSelection(int, int) override {}
  void removeSelection(int) override {}
  void setSelection(int, int, int) override {}
  int cursorPosition() const override { return 0; }
  void setCursorPosition(int) override {}
  QRect characterRect(int) const override { return {}; }
  int offsetAtPoint(const QPoint&) const override { return -1; }
  void scrollToSubstring(int, int) override {}
  QString attributes(int offset, int* start, int* end) const override {
    *start = *end = offset;
    return {};
  }

 private:
  ScaleBar* bar() const { return static_cast<ScaleBar*>(widget()); }
  QString readout() const { return bar()->readout_text(); }
  const BarScale& scale() const { return bar()->scale(); }
};

// The announcer: a notification named by what it last announced, a child
// of the window that has no place on screen.
class AnnouncerAccessible : public QAccessibleObject {
 public:
  explicit AnnouncerAccessible(Announcer* announcer)
      : QAccessibleObject(announcer) {}

  QAccessibleInterface* parent() const override {
    return QAccessible::queryAccessibleInterface(object()->parent());
  }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessible::Role role() const override { return QAccessible::Notification; }
  QAccessible::State state() const override { return {}; }
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name
               ? static_cast<const Announcer*>(object())->text()
               : QString();
  }
};

// The window as Qt describes it, with the announcer among its children:
// the announcer is no widget, so Qt alone would not list it.
class Form1Accessible : public QAccessibleWidget {
 public:
  explicit Form1Accessible(Form1* window) : QAccessibleWidget(window) {}

  int childCount() const override {
    return QAccessibleWidget::childCount() + (announcer() != nullptr ? 1 : 0);
  }
  QAccessibleInterface* child(int index) const override {
    if (index == QAccessibleWidget::childCount() && announcer() != nullptr) {
      return QAccessible::queryAccessibleInterface(announcer());
    }
    return QAccessibleWidget::child(index);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    if (child != nullptr && announcer() != nullptr &&
        child->object() == announcer()) {
      return QAccessibleWidget::childCount();
    }
    return QAccessibleWidget::indexOfChild(child);
  }

 private:
  Announcer* announcer() const {
    return widget()->findChild<Announcer*>(QString(),
                                           Qt::FindDirectChildrenOnly);
  }
};

QAccessibleInterface* accessible_for(const QString& /*class_name*/,
                                     QObject* object) {
  if (auto* bar = qobject_cast<ScaleBar*>(object)) {
    return new ScaleBarAccessible(bar);
  }
  if (auto* window = qobject_cast<Form1*>(object)) {
    return new Form1Accessible(window);
  }
  if (auto* announcer = qobject_cast<Announcer*>(object)) {
    return new AnnouncerAccessible(announcer);
  }
  return nullptr;
}

}  // namespace

void install_accessibility() { QAccessible::installFactory(accessible_for); }

}  // namespace toric
