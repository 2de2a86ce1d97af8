#include "app/presentation.h"

#include <QtGlobal>

#include <algorithm>

qreal PresentationFactor(QSize screen)
{
    return std::min(static_cast<qreal>(screen.width()) / kLessonWindow.width(),
                    static_cast<qreal>(screen.height()) / kLessonWindow.height());
}

QRect ScaledPlace(QRect place, qreal factor)
{
    const int left = qRound(place.left() * factor);
    const int top = qRound(place.top() * factor);
    const int right = qRound((place.left() + place.width()) * factor);
    const int bottom = qRound((place.top() + place.height()) * factor);
    return QRect(left, top, right - left, bottom - top);
}
