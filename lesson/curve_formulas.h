#pragma once

#include <cstdint>

// The lesson's curve arithmetic, written once for any number type with the
// extended format's operations: the program uses Extended, and the tests run
// the same formulas with the hardware and the software form side by side.
// Integers and the single-precision x enter every product exactly.

// ax^3 + bx^2 + cx + d in the order ((a*x)*x)*x + (b*x)*x, then + c*x, then
// + d. The order decides the last bit where the big terms cancel.
template <typename Real> Real CubicOf(int32_t a, int32_t b, int32_t c, int32_t d, float x)
{
    const Real rx(x);
    const Real p = ((Real(a) * rx) * rx) * rx;
    const Real q = (Real(b) * rx) * rx;
    Real s = p + q;
    s = s + Real(c) * rx;
    s = s + Real(d);
    return s;
}

// (dfA*x)*x + dfB*x + dfC: the slope from the derivative coefficients.
template <typename Real> Real SlopeOf(int32_t dfA, int32_t dfB, int32_t dfC, float x)
{
    const Real rx(x);
    Real r = (Real(dfA) * rx) * rx;
    r = r + Real(dfB) * rx;
    r = r + Real(dfC);
    return r;
}

// The root -d2fB / d2fA of the second derivative, rounded once to single.
template <typename Real> float InflectionXOf(int32_t d2fA, int32_t d2fB)
{
    return static_cast<float>(Real(-d2fB) / Real(d2fA));
}
