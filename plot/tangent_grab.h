#pragma once

#include "lesson/lesson_state.h"

// Where a pointer on the plot area may grab the tangent point, and where
// dragging puts it. Positions are in the area's layout pixels, (0, 0) at the
// area's top-left corner; the area is `width` by `height` pixels.

// How near the point a press grabs it: about a fingertip, in layout pixels.
inline constexpr double kTangentGrabReach = 16;

// Whether a press at (x, y) grabs the tangent point: the tangent lines are
// shown and the press lies within `reach` of the point's pixel.
bool CanGrabTangentPoint(const LessonState& lesson, int width, int height, double x, double y,
                         double reach = kTangentGrabReach);

// The tangent slider's position whose point lies closest to the column
// under x, within the slider's range.
int32_t TangentPositionUnder(const LessonState& lesson, int width, double x);
