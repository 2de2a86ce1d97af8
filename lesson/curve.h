#pragma once

#include "lesson/extended.h"
#include "lesson/lesson_state.h"

// The curve arithmetic shared by the plot, the tangent layer and the sliders.
// Values are formed in extended precision from the single-precision x;
// callers that keep a result store it as float.

// Value of ax^3 + bx^2 + cx + d for the given coefficients, in the order
// ((a*x)*x)*x + (b*x)*x, then + c*x, then + d.
Extended CubicValue(int32_t a, int32_t b, int32_t c, int32_t d, float x);

// Value of the lesson's confirmed cubic at x.
Extended Fx(const LessonState& s, float x);

// Slope of the lesson's cubic at x: (DfA*x)*x + DfB*x + DfC. Used at once,
// never stored.
Extended Dfx(const LessonState& s, float x);

// Recomputes the derivative coefficients and the inflection point from the
// confirmed coefficients and puts the tangent point on the inflection point.
// a must not be 0.
void Kyokusen_Update(LessonState& s);
