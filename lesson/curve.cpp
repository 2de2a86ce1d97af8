#include "lesson/curve.h"

#include "lesson/curve_formulas.h"

Extended CubicValue(int32_t a, int32_t b, int32_t c, int32_t d, float x)
{
    return CubicOf<Extended>(a, b, c, d, x);
}

Extended Fx(const LessonState& s, float x)
{
    return CubicOf<Extended>(s.Keisu[1], s.Keisu[2], s.Keisu[3], s.Keisu[4], x);
}

Extended Dfx(const LessonState& s, float x)
{
    return SlopeOf<Extended>(s.DfA, s.DfB, s.DfC, x);
}

void Kyokusen_Update(LessonState& s)
{
    s.DfA = 3 * s.Keisu[1];
    s.DfB = 2 * s.Keisu[2];
    s.DfC = s.Keisu[3];
    s.D2fA = 2 * s.DfA;
    s.D2fB = s.DfB;

    // The root of f''(x) = 0, rounded once to single; y is evaluated from
    // that stored x, not from the unrounded quotient.
    s.TenvoriPt.x = InflectionXOf<Extended>(s.D2fA, s.D2fB);
    s.TenvoriPt.y = static_cast<float>(Fx(s, s.TenvoriPt.x));
    s.SettenPt = s.TenvoriPt;
}
