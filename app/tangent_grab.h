#pragma once

#include "lesson/lesson_state.h"

#include <QPointF>
#include <QSize>

// Where a pointer on the plot area may grab the tangent point, and where
// dragging puts it. Positions are in the area's layout pixels.

// How near the point a press grabs it: about a fingertip, in layout pixels.
inline constexpr qreal kTangentGrabReach = 16;

// Whether a press at `pos` grabs the tangent point: the tangent lines are
// shown and the press lies within `reach` of the point's pixel.
bool CanGrabTangentPoint(const LessonState& lesson, QSize area, QPointF pos, qreal reach);

// The tangent slider's position whose point lies closest to the column
// under `pos`, within the slider's range.
int TangentPositionUnder(const LessonState& lesson, QSize area, QPointF pos);
