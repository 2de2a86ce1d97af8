#include "lesson/curve.h"

long double CubicValue(int32_t a, int32_t b, int32_t c, int32_t d, float x)
{
    const long double lx = x;
    const long double p = ((static_cast<long double>(a) * lx) * lx) * lx;
    const long double q = (static_cast<long double>(b) * lx) * lx;
    long double s = p + q;
    s = s + static_cast<long double>(c) * lx;
    s = s + static_cast<long double>(d);
    return s;
}

long double Fx(const LessonState& s, float x)
{
    return CubicValue(s.Keisu[1], s.Keisu[2], s.Keisu[3], s.Keisu[4], x);
}

long double Dfx(const LessonState& s, float x)
{
    const long double lx = x;
    long double r = (static_cast<long double>(s.DfA) * lx) * lx;
    r = r + static_cast<long double>(s.DfB) * lx;
    r = r + static_cast<long double>(s.DfC);
    return r;
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
    s.TenvoriPt.x =
        static_cast<float>(static_cast<long double>(-s.D2fB) / static_cast<long double>(s.D2fA));
    s.TenvoriPt.y = static_cast<float>(Fx(s, s.TenvoriPt.x));
    s.SettenPt = s.TenvoriPt;
}
