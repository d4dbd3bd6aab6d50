#include "announcer.h"

#include <QAccessible>

namespace toric {

Announcer::Announcer(QObject* window) : QObject(window) {
  setObjectName(QStringLiteral("announcer"));
}

void Announcer::announce(const QString& text) {
  text_ = text;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
  // Qt 6.8 has announcements of its own, which Orca 48 speaks at once.
  QAccessibleAnnouncementEvent announcement(this, text);
  QAccessible::updateAccessibility(&announcement);
#else
  // The new name first, so that a screen reader that keeps names speaks
  // this text and not the one before; then the notification shows.
  QAccessibleEvent renamed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&renamed);
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
#endif
}

}  // namespace toric
