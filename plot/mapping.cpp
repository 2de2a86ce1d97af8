#include "plot/mapping.h"

#include <cmath>
#include <limits>

int32_t Roundoff(long double x)
{
    const long double sum = x >= 0 ? x + 0.5L : x - 0.5L;
    // 2^63 is exactly representable; anything at or beyond it (and NaN) would
    // make the conversion undefined.
    constexpr long double limit = 9223372036854775808.0L;
    int64_t whole;
    if (std::isnan(sum))
        whole = 0;
    else if (sum >= limit)
        whole = std::numeric_limits<int64_t>::max();
    else if (sum <= -limit)
        whole = std::numeric_limits<int64_t>::min();
    else
        whole = static_cast<int64_t>(sum);
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(whole)));
}

int32_t PositiontoZahyoMax(int32_t position)
{
    const int32_t n = (50 - position) * 8;
    const long double q = static_cast<long double>(n) / 25.0L;
    return Roundoff(q) + 20;
}

TZahyoR ZahyoMapping::ZahyotoDot(TZahyoR p) const
{
    const long double max = zahyoMax_;
    const long double px =
        (static_cast<long double>(width_) * p.x) / max + static_cast<long double>(width_) / 2;
    const long double py =
        (static_cast<long double>(height_) * -static_cast<long double>(p.y)) / max +
        static_cast<long double>(height_) / 2;
    return TZahyoR{static_cast<float>(px), static_cast<float>(py)};
}

DotPoint ZahyoRtoPoint(TZahyoR p) { return DotPoint{Roundoff(p.x), Roundoff(p.y)}; }

DotPoint ZahyoMapping::Map(float x, float y) const
{
    return ZahyoRtoPoint(ZahyotoDot(ZahyoR(x, y)));
}
