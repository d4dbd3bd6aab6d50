#include "announcer.h"

#include <QAccessible>

namespace toric {

Announcer::Announcer(QObject* window) : QObject(window) {
  setObjectName(QStringLiteral("announcer"));
}

void Announcer::announce(const QString& text) {
  text_ = text;
  // The new name first, so that a screen reader that keeps names (Orca 48
  // does) speaks this text and not the one before.
  QAccessibleEvent renamed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&renamed);
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace toric
