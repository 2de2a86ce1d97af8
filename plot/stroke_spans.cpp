#include "plot/stroke_spans.h"

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPointF>
#include <QTransform>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// A point of the outline in 26.6 fixed point, as the raster engine keeps it.
struct Fixed26 {
    int64_t x;
    int64_t y;
};

// Nearest 1/64 pixel. Sets `unsure` when the value lies so close to a half
// that the engine's own rounding of its own doubles might go the other way.
int64_t ToFixed26(double v, bool& unsure)
{
    const double scaled = v * 64;
    const double below = std::floor(scaled);
    if (std::fabs(scaled - below - 0.5) < 1e-6)
        unsure = true;
    return static_cast<int64_t>(below) + (scaled - below >= 0.5 ? 1 : 0);
}

// One edge of a quadrilateral, set up for the rows it crosses.
struct Edge {
    int top = 0;    // first row whose centre lies below the upper end
    int bottom = 0; // last row whose centre lies at or above the lower end
    int winding = 0;
    int64_t originX = 0; // 16.16, half a pixel to the right of the upper end
    int64_t originY = 0; // 26.6 y of the upper end
    int64_t slope = 0;   // 16.16 x per row, truncated

    // The pixel column the edge crosses in `row`: its 16.16 x rounded down.
    int columnAt(int row) const
    {
        const int64_t rise = (static_cast<int64_t>(row) << 16) + 32768 - (originY << 10);
        return static_cast<int>((originX + ((slope * rise) >> 16)) >> 16);
    }
};

// Sets up the edge from a to b; false when it crosses no row centre.
bool MakeEdge(Fixed26 a, Fixed26 b, Edge& edge)
{
    edge.winding = 1;
    if (a.y > b.y) {
        std::swap(a, b);
        edge.winding = -1;
    }
    edge.top = static_cast<int>((a.y + 32) >> 6);
    edge.bottom = static_cast<int>((b.y - 32) >> 6);
    if (edge.top > edge.bottom)
        return false;
    edge.originX = 32768 + a.x * 1024;
    edge.originY = a.y;
    edge.slope = b.x == a.x ? 0
                            : static_cast<int64_t>(static_cast<double>(b.x - a.x) /
                                                   static_cast<double>(b.y - a.y) * 65536.0);
    return true;
}

// A segment's quadrilateral in device pixels, and what the engine's cuts
// leave of it: each cut adds at most one corner.
struct Polygon {
    std::array<QPointF, 8> points{};
    std::size_t count = 0;

    // A corner equal to the last one (as QPointF compares) is dropped, as
    // the engine's path drops it.
    void add(const QPointF& p)
    {
        if (count == 0 || !(points[count - 1] == p))
            points[count++] = p;
    }
};

enum class Side { Left, Right, Top, Bottom };

// One cut of the engine: every edge of the polygon, the closing one last, is
// kept, shortened to the inside of the line at `at`, or dropped; the new end
// point is found along the edge from its first point.
Polygon Cut(const Polygon& in, Side side, double at)
{
    const bool alongX = side == Side::Left || side == Side::Right;
    const auto outside = [&](const QPointF& p) {
        switch (side) {
        case Side::Left:
            return p.x() < at;
        case Side::Right:
            return p.x() > at;
        case Side::Top:
            return p.y() < at;
        case Side::Bottom:
            break;
        }
        return p.y() > at;
    };
    Polygon out;
    const auto cutLine = [&](QPointF a, QPointF b) {
        const bool outA = outside(a);
        const bool outB = outside(b);
        if (outA && outB)
            return;
        if (outA || outB) {
            const double t =
                alongX ? (at - a.x()) / (b.x() - a.x()) : (at - a.y()) / (b.y() - a.y());
            const QPointF point(a.x() + (b.x() - a.x()) * t, a.y() + (b.y() - a.y()) * t);
            (outA ? a : b) = point;
        }
        out.add(a);
        out.add(b);
    };
    for (std::size_t i = 1; i < in.count; ++i)
        cutLine(in.points[i - 1], in.points[i]);
    if (in.count > 1 && !(in.points[in.count - 1] == in.points[0]))
        cutLine(in.points[in.count - 1], in.points[0]);
    return out;
}

// The quadrilateral of one segment in device pixels: the segment moved by the
// unit normal to one side, then back along the other side, the normal worked
// out as the engine's stroker does it for each direction of travel, and the
// result shifted onto the device.
Polygon SegmentQuad(QPoint from, QPoint to, QPoint offset)
{
    const double x1 = from.x();
    const double y1 = from.y();
    const double x2 = to.x();
    const double y2 = to.y();
    const double dx = x2 - x1;
    const double dy = y2 - y1;
    // The stroker takes the length with hypot; a square root differs from it
    // in the last bit at most, which moves no end point off its 1/64 pixel
    // unless it lies at a tie, and ties are caught (ToFixed26).
    const double length = std::sqrt(dx * dx + dy * dy);
    // The unit normal (dy, -dx) / length for the way forward, its opposite
    // for the way back: negating a quotient is exact.
    const double normalX = dy / length;
    const double normalY = dx / length;
    const double forwardX = (x1 + normalX) - x1;
    const double forwardY = (y1 - normalY) - y1;
    const double backX = (x2 - normalX) - x2;
    const double backY = (y2 + normalY) - y2;
    Polygon quad;
    const auto addOnDevice = [&](double x, double y) {
        quad.points[quad.count++] = QPointF(x + offset.x(), y + offset.y());
    };
    addOnDevice(x1 + forwardX, y1 + forwardY);
    addOnDevice(x2 + forwardX, y2 + forwardY);
    addOnDevice(x2 + backX, y2 + backY);
    addOnDevice(x1 + backX, y1 + backY);
    return quad;
}

// The pixels of one quadrilateral, cut as the device says, row by row as the
// engine counts them: between the crossings, sorted left to right, wherever
// the directions met so far do not cancel. `area` is in device pixels.
void FillQuad(Polygon quad, const StrokeDevice& device, const QRect& area, bool& unsure,
              RowRuns& runs)
{
    const std::array<std::pair<bool, Side>, 4> cuts{{{device.cutLeft, Side::Left},
                                                     {device.cutRight, Side::Right},
                                                     {device.cutAbove, Side::Top},
                                                     {device.cutBelow, Side::Bottom}}};
    for (const auto& [wanted, side] : cuts) {
        if (!wanted)
            continue;
        const QRectF& r = device.cutRect;
        quad = Cut(quad, side,
                   side == Side::Left    ? r.left()
                   : side == Side::Right ? r.right()
                   : side == Side::Top   ? r.top()
                                         : r.bottom());
    }

    std::array<Fixed26, 8> corners;
    for (std::size_t i = 0; i < quad.count; ++i)
        corners[i] = {ToFixed26(quad.points[i].x(), unsure), ToFixed26(quad.points[i].y(), unsure)};
    std::array<Edge, 8> edges;
    std::size_t edgeCount = 0;
    int first = area.bottom() + 1;
    int last = area.top() - 1;
    for (std::size_t i = 0; i < quad.count; ++i) {
        Edge edge;
        if (!MakeEdge(corners[i], corners[(i + 1) % quad.count], edge))
            continue;
        edges[edgeCount++] = edge;
        first = std::min(first, edge.top);
        last = std::max(last, edge.bottom);
    }
    first = std::max(first, area.top());
    last = std::min(last, area.bottom());
    for (int row = first; row <= last; ++row) {
        // The crossings of this row, kept in order as they come.
        struct Crossing {
            int column;
            int winding;
        };
        std::array<Crossing, 8> crossings;
        std::size_t count = 0;
        for (std::size_t i = 0; i < edgeCount; ++i) {
            const Edge& edge = edges[i];
            if (edge.top > row || row > edge.bottom)
                continue;
            const Crossing crossing{edge.columnAt(row), edge.winding};
            std::size_t at = count++;
            for (; at > 0 && crossings[at - 1].column > crossing.column; --at)
                crossings[at] = crossings[at - 1];
            crossings[at] = crossing;
        }
        int winding = 0;
        for (std::size_t i = 0; i + 1 < count; ++i) {
            winding += crossings[i].winding;
            const int from = std::max(crossings[i].column, area.left());
            const int to = std::min(crossings[i + 1].column, area.right() + 1);
            if (winding != 0 && from < to)
                runs.add(row - device.offset.y(), from - device.offset.x(), to - device.offset.x());
        }
    }
}

enum class Certainty { No, Yes, Unsure };

// Whether `holds` is true for how far the outline reaches beyond the points:
// at least half the pen width, and a little more where its round parts bulge.
template <typename Holds> Certainty ForOutlineReach(int penWidth, Holds holds)
{
    const double half = penWidth / 2.0;
    if (holds(0.999 * half))
        return Certainty::Yes;
    if (!holds(1.15 * half))
        return Certainty::No;
    return Certainty::Unsure;
}

// Whether a segment's stroke, at most a pixel and a half from it, can reach
// the area. In 64 bits: points may lie millions of pixels away.
bool CanReach(QPoint a, QPoint b, const QRect& area)
{
    constexpr int64_t reach = 2;
    return std::max<int64_t>(a.x(), b.x()) + reach >= area.left() &&
           std::min<int64_t>(a.x(), b.x()) - reach <= area.right() &&
           std::max<int64_t>(a.y(), b.y()) + reach >= area.top() &&
           std::min<int64_t>(a.y(), b.y()) - reach <= area.bottom();
}

} // namespace

StrokeCut StrokeDeviceFor(QPainter& painter, const QPoint* points, int count, int penWidth,
                          StrokeDevice& device)
{
    const QTransform shift = painter.deviceTransform();
    const QPaintDevice* target = painter.paintEngine()->paintDevice();
    if (shift.type() > QTransform::TxTranslate || shift.dx() != std::round(shift.dx()) ||
        shift.dy() != std::round(shift.dy()) || target == nullptr)
        return StrokeCut::Unknown;
    device.offset = QPoint(static_cast<int>(shift.dx()), static_cast<int>(shift.dy()));
    device.cutRect = QRectF(0, 0, target->width(), target->height());
    const QRectF& cutRect = device.cutRect;

    double left = kRasterCoordinateLimit;
    double right = -kRasterCoordinateLimit;
    double top = kRasterCoordinateLimit;
    double bottom = -kRasterCoordinateLimit;
    // The rows reached well inside the device's width, which the cuts at its
    // sides keep.
    double topInside = kRasterCoordinateLimit;
    double bottomInside = -kRasterCoordinateLimit;
    for (int k = 0; k < count; ++k) {
        const double x = points[k].x() + device.offset.x();
        const double y = points[k].y() + device.offset.y();
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
        if (x > cutRect.left() + 2 && x < cutRect.right() - 2) {
            topInside = std::min(topInside, y);
            bottomInside = std::max(bottomInside, y);
        }
    }
    const Certainty cut = ForOutlineReach(penWidth, [&](double reach) {
        return left - reach < -kRasterCoordinateLimit || right + reach > kRasterCoordinateLimit ||
               top - reach < -kRasterCoordinateLimit || bottom + reach > kRasterCoordinateLimit ||
               right - left + 2 * reach > kRasterCoordinateLimit ||
               bottom - top + 2 * reach > kRasterCoordinateLimit;
    });
    if (cut != Certainty::Yes)
        return cut == Certainty::No ? StrokeCut::None : StrokeCut::Unknown;
    const Certainty cutLeft =
        ForOutlineReach(penWidth, [&](double reach) { return left - reach < cutRect.left(); });
    const Certainty cutRight =
        ForOutlineReach(penWidth, [&](double reach) { return right + reach > cutRect.right(); });
    if (cutLeft == Certainty::Unsure || cutRight == Certainty::Unsure)
        return StrokeCut::Unknown;
    device.cutLeft = cutLeft == Certainty::Yes;
    device.cutRight = cutRight == Certainty::Yes;
    // What the side cuts keep is only known to reach past the top and bottom
    // when points well inside do; anything else is left to the engine.
    device.cutAbove = topInside - 0.999 * penWidth / 2 < cutRect.top();
    device.cutBelow = bottomInside + 0.999 * penWidth / 2 > cutRect.bottom();
    return device.cutAbove && device.cutBelow ? StrokeCut::Cut : StrokeCut::Unknown;
}

bool TwoPixelPolylineSpans(const QPoint* points, int count, const QRect& area,
                           const StrokeDevice& device, RowRuns& runs)
{
    for (int k = 0; k + 1 < count; ++k) {
        // Only a polyline that keeps moving right has joins that turn by
        // less than a half turn, which is what the blocks rely on.
        if (points[k + 1].x() <= points[k].x())
            return false;
    }
    const QRect deviceArea = area.translated(device.offset);
    const auto addBlock = [&runs](QPoint point) {
        runs.add(QRect(point.x() - 1, point.y() - 1, 2, 2));
    };
    bool unsure = false;
    bool previousReached = false;
    for (int k = 0; k + 1 < count; ++k) {
        const QPoint from = points[k];
        const QPoint to = points[k + 1];
        const bool reached = CanReach(from, to, area);
        if (reached) {
            FillQuad(SegmentQuad(from, to, device.offset), device, deviceArea, unsure, runs);
            if (!previousReached)
                addBlock(from);
            addBlock(to);
        }
        previousReached = reached;
    }
    return !unsure;
}
