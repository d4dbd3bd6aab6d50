#include "announcer.h"

#include <QAccessible>

namespace toric {

Announcer::Announcer(QObject* window) : QObject(window) {
  setObjectName(QStringLiteral("announcer"));
}

void Announcer::announce(const QString& text) {
  text_ = text;
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace toric
