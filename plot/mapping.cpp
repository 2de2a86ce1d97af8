#include "plot/mapping.h"

int32_t Roundoff(Extended x)
{
    return RoundoffOf(x);
}

int32_t PositiontoZahyoMax(int32_t position)
{
    return PositiontoZahyoMaxOf<Extended>(position);
}

TZahyoR ZahyoMapping::ZahyotoDot(TZahyoR p) const
{
    return ZahyotoDotOf<Extended>(zahyoMax_, width_, height_, p);
}

DotPoint ZahyoRtoPoint(TZahyoR p)
{
    return DotPoint{Roundoff(Extended(p.x)), Roundoff(Extended(p.y))};
}

DotPoint ZahyoMapping::Map(float x, float y) const
{
    return ZahyoRtoPoint(ZahyotoDot(ZahyoR(x, y)));
}
