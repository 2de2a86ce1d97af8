#include "plot/tangent_grab.h"

#include "lesson/tangent_step.h"
#include "plot/mapping.h"
#include "plot/plot_layers.h"

#include <cmath>

bool CanGrabTangentPoint(const LessonState& lesson, int width, int height, double x, double y,
                         double reach)
{
    if (lesson.ZahyoMax <= 0 || !TangentLayerShown(lesson, lesson.SettenPt))
        return false;
    const DotPoint point =
        ZahyoMapping(lesson.ZahyoMax, width, height).Map(lesson.SettenPt.x, lesson.SettenPt.y);
    // From the middle of the point's pixel; the pixels are counted far beyond
    // the area, so the distance is taken in doubles.
    return std::hypot(point.x + 0.5 - x, point.y + 0.5 - y) <= reach;
}

int32_t TangentPositionUnder(const LessonState& lesson, int width, double x)
{
    // The pixel column under the pointer, back to curve units: column c is
    // where the mapping puts x = (c - width / 2) * ZahyoMax / width.
    const double column = std::floor(x);
    return TangentPositionNearest(lesson, (column - width / 2.0) * lesson.ZahyoMax / width);
}
