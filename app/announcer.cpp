#include "app/announcer.h"

#include <QAccessible>

Announcer::Announcer(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Announcer"));
    setFocusPolicy(Qt::NoFocus);
    // It draws nothing: the window's background shows through its one pixel.
    setGeometry(0, 0, 1, 1);
    hide();
}

void Announcer::say(const QString& message)
{
    message_ = message;
    if (!QAccessible::isActive())
        return;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    QAccessibleAnnouncementEvent event(window(), message);
    QAccessible::updateAccessibility(&event);
#else
    hide();
    show();
#endif
}
