#include "plot/plot_geometry.h"

#include "lesson/colors.h"
#include "lesson/contrast_palette.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <utility>

PlotRecorder::PlotRecorder(int32_t width, int32_t height)
{
    geometry_.width = width;
    geometry_.height = height;
}

void PlotRecorder::add(PlotItem::Kind kind, const DotPoint* points, uint32_t count)
{
    geometry_.items.push_back(
        PlotItem{kind, color_, penWidth_, static_cast<uint32_t>(geometry_.points.size()), count});
    geometry_.points.insert(geometry_.points.end(), points, points + count);
}

void PlotRecorder::fillAreaOutlined()
{
    add(PlotItem::Kind::Area, nullptr, 0);
}

void PlotRecorder::lineTo(DotPoint p)
{
    const DotPoint ends[] = {current_, p};
    current_ = p;
    add(PlotItem::Kind::Line, ends, 2);
}

void PlotRecorder::polyline(const std::vector<DotPoint>& points)
{
    if (points.empty())
        return;
    add(PlotItem::Kind::Polyline, points.data(), static_cast<uint32_t>(points.size()));
    current_ = points.back();
}

void PlotRecorder::dot(DotPoint p)
{
    current_ = p;
    add(PlotItem::Kind::Dot, &p, 1);
}

PlotGeometry InHighContrast(PlotGeometry geometry)
{
    for (PlotItem& item : geometry.items)
        item.color = HighContrastColor(item.color, ColorUse::Plot);
    return geometry;
}

namespace {
// Whether a stroke of the pen between two points can paint a pixel of the
// area: a stroke reaches half its width beyond its centre line, and a whole
// width leaves room for its round caps. Held in 64 bits, since end points may
// lie millions of pixels away.
bool CanTouchArea(const PlotGeometry& plot, int32_t penWidth, DotPoint a, DotPoint b)
{
    const int64_t reach = penWidth;
    return std::max<int64_t>(a.x, b.x) + reach >= 0 &&
           std::min<int64_t>(a.x, b.x) - reach < plot.width &&
           std::max<int64_t>(a.y, b.y) + reach >= 0 &&
           std::min<int64_t>(a.y, b.y) - reach < plot.height;
}

// A line along one pixel row or column whose both ends lie beyond the area
// covers every pixel of the area on its row or column; cut to one pixel
// beyond each edge, its ends still lie beyond, so it covers the same pixels.
void CutAcrossArea(const PlotGeometry& plot, DotPoint& from, DotPoint& to)
{
    const auto cut = [](int32_t& a, int32_t& b, int32_t size) {
        if (std::min(a, b) < 0 && std::max(a, b) >= size) {
            a = a < 0 ? -1 : size;
            b = b < 0 ? -1 : size;
        }
    };
    if (from.y == to.y)
        cut(from.x, to.x, plot.width);
    else if (from.x == to.x)
        cut(from.y, to.y, plot.height);
}

void Add(PlotGeometry& out, PlotItem item, const DotPoint* points, uint32_t count)
{
    item.first = static_cast<uint32_t>(out.points.size());
    item.count = count;
    out.items.push_back(item);
    out.points.insert(out.points.end(), points, points + count);
}

void Fill(PlotGeometry& out, uint32_t color, DotPoint from, DotPoint to)
{
    const DotPoint corners[] = {from, to};
    Add(out, PlotItem{PlotItem::Kind::Fill, color, 1}, corners, 2);
}

bool Inside(const PlotGeometry& plot, DotPoint p)
{
    return p.x >= 0 && p.x < plot.width && p.y >= 0 && p.y < plot.height;
}

// A 1-pixel line for a painter that rasterizes lines itself: it covers its
// start pixel and leaves out its end pixel, whichever way it runs, and which
// end the painter would include is the painter's own business. So the end
// pixel, where it lies inside the area, goes with the line as the pixel it
// leaves out, and the start pixel is filled after it.
void AddThinLine(PlotGeometry& out, const PlotItem& item, DotPoint from, DotPoint to)
{
    CutAcrossArea(out, from, to);
    if (from == to)
        return;
    const DotPoint ends[] = {from, to, to};
    Add(out, item, ends, Inside(out, to) ? 3 : 2);
    if (Inside(out, from))
        Fill(out, item.color, from, {from.x + 1, from.y + 1});
}

double RoundedOff(double v)
{
    return v < 0 ? -std::floor(-v + 0.5) : std::floor(v + 0.5);
}

// The pixels of a 1-pixel line from a to b inside the area, as fills of the
// runs along its longer axis.
void AddPixelRuns(PlotGeometry& out, uint32_t color, DotPoint a, DotPoint b)
{
    const int64_t dx = int64_t{b.x} - a.x;
    const int64_t dy = int64_t{b.y} - a.y;
    if (dx == 0 && dy == 0)
        return;
    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const int64_t a0 = alongX ? a.x : a.y;
    const int64_t b0 = alongX ? a.y : a.x;
    const int64_t span = alongX ? dx : dy;
    const double slope = static_cast<double>(alongX ? dy : dx) / static_cast<double>(span);
    const int64_t size = alongX ? out.width : out.height;
    const int64_t crossSize = alongX ? out.height : out.width;
    const int64_t step = span > 0 ? 1 : -1;
    // The steps from the start up to, not including, the end, within the area.
    int64_t first = a0;
    int64_t last = a0 + span - step;
    if (step < 0)
        std::swap(first, last);
    first = std::max<int64_t>(first, 0);
    last = std::min<int64_t>(last, size - 1);
    std::optional<int64_t> runStart;
    int64_t runCross = 0;
    const auto flush = [&](int64_t end) {
        if (!runStart)
            return;
        const auto at = [alongX](int64_t along, int64_t cross) {
            return alongX ? DotPoint{static_cast<int32_t>(along), static_cast<int32_t>(cross)}
                          : DotPoint{static_cast<int32_t>(cross), static_cast<int32_t>(along)};
        };
        Fill(out, color, at(*runStart, runCross), at(end, runCross + 1));
        runStart.reset();
    };
    for (int64_t k = first; k <= last; ++k) {
        const double cross = static_cast<double>(b0) +
                             RoundedOff(static_cast<double>(k - a0) * slope);
        if (cross < 0 || cross >= static_cast<double>(crossSize)) {
            flush(k);
            continue;
        }
        if (runStart && static_cast<int64_t>(cross) != runCross)
            flush(k);
        if (!runStart) {
            runStart = k;
            runCross = static_cast<int64_t>(cross);
        }
    }
    flush(last + 1);
}
} // namespace

PlotGeometry DrawnOnArea(const PlotGeometry& plot, ThinLineForm thin)
{
    PlotGeometry out;
    out.width = plot.width;
    out.height = plot.height;
    const int32_t w = plot.width;
    const int32_t h = plot.height;
    for (const PlotItem& item : plot.items) {
        const DotPoint* points = plot.pointsOf(item);
        switch (item.kind) {
        case PlotItem::Kind::Area:
            Fill(out, Bgr::White, {0, 0}, {w, h});
            Fill(out, item.color, {0, 0}, {w, 1});
            Fill(out, item.color, {0, h - 1}, {w, h});
            Fill(out, item.color, {0, 0}, {1, h});
            Fill(out, item.color, {w - 1, 0}, {w, h});
            break;
        case PlotItem::Kind::Line: {
            DotPoint ends[] = {points[0], points[1]};
            if (!CanTouchArea(plot, item.penWidth, ends[0], ends[1]))
                break;
            if (item.penWidth == 1 && thin == ThinLineForm::AsPixelRuns) {
                AddPixelRuns(out, item.color, ends[0], ends[1]);
                break;
            }
            if (item.penWidth == 1) {
                AddThinLine(out, item, ends[0], ends[1]);
                break;
            }
            Add(out, item, ends, 2);
            break;
        }
        case PlotItem::Kind::Polyline: {
            uint32_t runStart = 0;
            const auto flush = [&](uint32_t end) {
                if (end > runStart)
                    Add(out, item, points + runStart, end - runStart + 1);
            };
            for (uint32_t k = 0; k + 1 < item.count; ++k) {
                if (item.penWidth == 1 && thin == ThinLineForm::AsPixelRuns) {
                    if (CanTouchArea(plot, 1, points[k], points[k + 1]))
                        AddPixelRuns(out, item.color, points[k], points[k + 1]);
                    runStart = k + 1;
                } else if (!CanTouchArea(plot, item.penWidth, points[k], points[k + 1])) {
                    flush(k);
                    runStart = k + 1;
                }
            }
            if (item.count > 0)
                flush(item.count - 1);
            break;
        }
        case PlotItem::Kind::Dot:
            if (CanTouchArea(plot, item.penWidth, points[0], points[0]))
                Add(out, item, points, 1);
            break;
        case PlotItem::Kind::Fill:
            Add(out, item, points, 2);
            break;
        }
    }
    return out;
}
