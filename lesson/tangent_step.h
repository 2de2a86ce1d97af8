#pragma once

#include "lesson/lesson_state.h"

// The tangent point slider's arithmetic. One step of the slider moves the
// tangent point by ZahyoMax / divisor curve units; the divisor grows with the
// view scale so that a step stays between about 0.03 and 0.08 units.
int32_t TangentStepDivisor(int32_t zahyoMax);

// The tangent point's x for slider position `position`: the offset
// (position - 50) * ZahyoMax over the divisor, plus the inflection point's x,
// both in extended precision and rounded once to single.
template <typename Real>
float TangentPointXOf(int32_t position, int32_t zahyoMax, int32_t divisor, float inflectionX)
{
    const int32_t product = (position - 50) * zahyoMax;
    return static_cast<float>(Real(product) / Real(divisor) + Real(inflectionX));
}

// The x of the tangent point at slider position `position` and the lesson's
// view scale: position 50 is the inflection point.
float TangentPointX(const LessonState& lesson, int32_t position);

// Puts the tangent point where slider position `position` stands.
void MoveTangentPoint(LessonState& lesson, int32_t position);

// The slider position, 0..100, whose tangent point lies closest to x (curve
// units): where dragging the point to x puts it.
int32_t TangentPositionNearest(const LessonState& lesson, double x);
