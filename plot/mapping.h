#pragma once

#include "lesson/extended.h"
#include "lesson/lesson_state.h"

#include <cstdint>

// A whole pixel of the plot area: (0, 0) is the top-left pixel, y grows
// downwards.
struct DotPoint {
    int32_t x = 0;
    int32_t y = 0;
    friend bool operator==(const DotPoint&, const DotPoint&) = default;
};

// Rounds to the nearest integer, halves away from zero. The sum is formed in
// extended precision and truncated to 64 bits, of which the low 32 are kept.
// Values beyond the 64-bit range (never produced by a lesson) saturate
// instead of overflowing, and NaN gives 0.
template <typename Real> int32_t RoundoffOf(Real x)
{
    const Real half(0.5f);
    const Real sum = x >= Real(0) ? x + half : x - half;
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(TruncateToInt64(sum))));
}

int32_t Roundoff(Extended x);

inline TZahyoR ZahyoR(float x, float y)
{
    return TZahyoR{x, y};
}

// The view scale set by the zoom slider: 36 at the left end, 20 in the
// middle, 4 at the right end.
template <typename Real> int32_t PositiontoZahyoMaxOf(int32_t position)
{
    const int32_t n = (50 - position) * 8;
    return RoundoffOf(Real(n) / Real(25)) + 20;
}

int32_t PositiontoZahyoMax(int32_t position);

// The unrounded pixel position of a curve point on a plot area of the given
// size: each coordinate (size * v) / ZahyoMax + size / 2, formed in this order
// in extended precision and stored as float. Curve y grows upwards.
template <typename Real>
TZahyoR ZahyotoDotOf(int32_t zahyoMax, int32_t width, int32_t height, TZahyoR p)
{
    const Real max(zahyoMax);
    const Real px = (Real(width) * Real(p.x)) / max + Real(width) / Real(2);
    const Real py = (Real(height) * -Real(p.y)) / max + Real(height) / Real(2);
    return TZahyoR{static_cast<float>(px), static_cast<float>(py)};
}

// Maps curve coordinates to pixels of a plot area of the given size: the
// origin on the centre, ZahyoMax curve units across the full width and
// height, curve y upwards.
class ZahyoMapping {
public:
    ZahyoMapping(int32_t zahyoMax, int32_t width, int32_t height)
        : zahyoMax_(zahyoMax), width_(width), height_(height)
    {
    }

    int32_t zahyoMax() const { return zahyoMax_; }

    // Unrounded pixel position of a curve point (ZahyotoDotOf above).
    TZahyoR ZahyotoDot(TZahyoR p) const;

    // The three steps every end point of the plot goes through.
    DotPoint Map(float x, float y) const;

private:
    int32_t zahyoMax_;
    int32_t width_;
    int32_t height_;
};

DotPoint ZahyoRtoPoint(TZahyoR p);
