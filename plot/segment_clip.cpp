#include "plot/segment_clip.h"

#include <algorithm>

std::optional<std::pair<double, double>> ClipSegment(PlotPointF a, PlotPointF b, double left,
                                                     double top, double right, double bottom)
{
    double enter = 0;
    double leave = 1;
    const double d[] = {b.x - a.x, b.y - a.y};
    const double p[] = {-d[0], d[0], -d[1], d[1]};
    const double q[] = {a.x - left, right - a.x, a.y - top, bottom - a.y};
    for (int k = 0; k < 4; ++k) {
        if (p[k] == 0) {
            if (q[k] < 0)
                return std::nullopt;
            continue;
        }
        const double t = q[k] / p[k];
        if (p[k] < 0)
            enter = std::max(enter, t);
        else
            leave = std::min(leave, t);
    }
    if (enter > leave)
        return std::nullopt;
    return std::make_pair(enter, leave);
}
