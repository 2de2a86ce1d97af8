#pragma once

// Lessons set up the way a confirmation leaves them, and the lesson's
// arithmetic written out here on its own, to check the program's against.

#include "lesson/curve.h"
#include "lesson/extended.h"
#include "lesson/tangent_step.h"

#include <bit>
#include <cstdint>

// The cubic a, b, c, d confirmed at view scale zahyoMax, with the tangent
// slider at `position` (50 is the inflection point).
inline LessonState ConfirmedLesson(int a, int b, int c, int d, int zahyoMax = 0, int position = 50)
{
    LessonState s;
    s.Keisu[1] = a;
    s.Keisu[2] = b;
    s.Keisu[3] = c;
    s.Keisu[4] = d;
    s.ZahyoMax = zahyoMax;
    Kyokusen_Update(s);
    MoveTangentPoint(s, position);
    return s;
}

// ((a*x)*x)*x + (b*x)*x, then + c*x, then + d, every step in extended
// precision.
inline Extended ReferenceCubic(int a, int b, int c, int d, float x)
{
    const Extended lx(x);
    const Extended cubic = ((Extended(a) * lx) * lx) * lx;
    const Extended square = (Extended(b) * lx) * lx;
    return ((cubic + square) + Extended(c) * lx) + Extended(d);
}

inline bool SameBits(float a, float b)
{
    return std::bit_cast<uint32_t>(a) == std::bit_cast<uint32_t>(b);
}

inline bool SameBits(Extended a, Extended b)
{
    return a.bits() == b.bits();
}
