#pragma once

#include <cstdint>

// The arithmetic of the curve and tangent layers, written once for any number
// type with the extended format's operations (the program uses Extended).
// Every value is formed in extended precision and rounded once to single
// where it is stored.

// The distance between the curve's x values: 2 * ZahyoMax / 1000.
template <typename Real> float CurveStepOf(int32_t zahyoMax)
{
    return static_cast<float>(Real(2 * zahyoMax) / Real(1000));
}

// The next x of the curve. The sum is stored as single each time, so its
// rounding accumulates from point to point, as the pupil's picture shows it.
template <typename Real> float NextCurveXOf(float x, float step)
{
    return static_cast<float>(Real(x) + Real(step));
}

// The tangent layer shows only while the tangent point's height is within
// the view scale; equality still shows.
template <typename Real> bool TangentShownOf(int32_t zahyoMax, float y)
{
    return !(Real(zahyoMax) < Abs(Real(y)));
}

// The height at endX of the tangent through (x, y) with the given slope.
template <typename Real> float TangentEndYOf(float x, float y, Real slope, int32_t endX)
{
    return static_cast<float>(Real(y) + slope * (Real(endX) - Real(x)));
}

// The point symmetric to x about the inflection point's x.
template <typename Real> float SymmetricXOf(float inflectionX, float x)
{
    return static_cast<float>(Real(2) * Real(inflectionX) - Real(x));
}
