#include "plot/dashes.h"

#include "plot/segment_clip.h"

#include <cmath>

namespace {
using Point = PlotPointF;

DotPoint Rounded(Point p)
{
    return {static_cast<int32_t>(std::lround(p.x)), static_cast<int32_t>(std::lround(p.y))};
}
} // namespace

std::vector<std::vector<DotPoint>> DashesOf(const std::vector<DotPoint>& line, int32_t width,
                                            int32_t height, int32_t margin)
{
    std::vector<std::vector<DotPoint>> dashes;
    std::vector<DotPoint> dash;
    const auto endDash = [&] {
        if (dash.size() > 1)
            dashes.push_back(std::move(dash));
        dash.clear();
    };
    const auto add = [&](Point p) {
        const DotPoint q = Rounded(p);
        if (dash.empty() || !(dash.back() == q))
            dash.push_back(q);
    };
    // How far into the pattern of one dash and one gap the line has come.
    double phase = 0;
    const double period = kDashOn + kDashOff;
    for (std::size_t k = 0; k + 1 < line.size(); ++k) {
        const Point a{static_cast<double>(line[k].x), static_cast<double>(line[k].y)};
        const Point b{static_cast<double>(line[k + 1].x), static_cast<double>(line[k + 1].y)};
        const auto part = ClipSegment(a, b, -margin, -margin, width + margin, height + margin);
        if (!part) {
            endDash();
            continue;
        }
        const auto at = [&](double t) {
            return Point{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
        };
        // The square root, not hypot, whose last bit the C libraries of the
        // two editions may round apart: the dashes are the same on both.
        const double length = std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y)) *
                              (part->second - part->first);
        if (part->first > 0)
            endDash();
        double done = 0;
        for (bool rest = false; !rest;) {
            const bool on = phase < kDashOn;
            const double toBoundary = (on ? kDashOn : period) - phase;
            rest = length - done <= toBoundary;
            const double next = rest ? length : done + toBoundary;
            if (on && length > 0) {
                add(at(part->first + (part->second - part->first) * done / length));
                add(at(part->first + (part->second - part->first) * next / length));
            }
            if (rest) {
                phase += length - done;
                if (on && phase >= kDashOn)
                    endDash();
                if (phase >= period)
                    phase -= period;
            } else {
                phase = on ? kDashOn : 0;
                if (on)
                    endDash();
            }
            done = next;
        }
        if (part->second < 1)
            endDash();
    }
    endDash();
    return dashes;
}
