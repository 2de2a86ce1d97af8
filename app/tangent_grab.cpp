#include "app/tangent_grab.h"

#include "lesson/tangent_step.h"
#include "plot/mapping.h"
#include "plot/plot_layers.h"

#include <QLineF>

#include <cmath>

bool CanGrabTangentPoint(const LessonState& lesson, QSize area, QPointF pos, qreal reach)
{
    if (lesson.ZahyoMax <= 0 || !TangentLayerShown(lesson, lesson.SettenPt))
        return false;
    const DotPoint point = ZahyoMapping(lesson.ZahyoMax, area.width(), area.height())
                               .Map(lesson.SettenPt.x, lesson.SettenPt.y);
    // The middle of the point's pixel; the pixels are counted far beyond the
    // area, so the distance is taken in doubles.
    const QPointF centre(point.x + 0.5, point.y + 0.5);
    return QLineF(centre, pos).length() <= reach;
}

int TangentPositionUnder(const LessonState& lesson, QSize area, QPointF pos)
{
    // The pixel column under the pointer, back to curve units: column c is
    // where the mapping puts x = (c - width / 2) * ZahyoMax / width.
    const double column = std::floor(pos.x());
    const double x = (column - area.width() / 2.0) * lesson.ZahyoMax / area.width();
    return TangentPositionNearest(lesson, x);
}
