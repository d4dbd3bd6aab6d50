#pragma once
// Tells a screen reader what a command did, such as the result line after
// calculate, even when the text is the same as before. It has no place on
// screen: to the accessibility bus it is a notification that shows each
// time something is announced, which screen readers speak at once.

#include <QObject>
#include <QString>

namespace toric {

class Announcer : public QObject {
  Q_OBJECT

 public:
  explicit Announcer(QObject* window);

  void announce(const QString& text);
  const QString& text() const { return text_; }

 private:
  QString text_;
};

}  // namespace toric
