#include "plot/plot_canvas.h"

#include "plot/span_region.h"
#include "plot/stroke_spans.h"

#include <QPainterPath>
#include <QTransform>

#include <algorithm>
#include <cmath>

namespace {
// QPainter paints a 1-pixel line the same whichever way it runs: one pixel
// for every step along its longer axis (x when both are equal), from the end
// with the lower coordinate on that axis up to, not including, the other end.
bool RunsBackwards(DotPoint from, DotPoint to)
{
    const int64_t dx = static_cast<int64_t>(to.x) - from.x;
    const int64_t dy = static_cast<int64_t>(to.y) - from.y;
    return std::abs(dx) >= std::abs(dy) ? dx < 0 : dy < 0;
}

// The pixels, inside [0, size), that a line along one pixel row or column
// paints on its axis: from `from` up to, not including, `to`, whichever way
// it runs. False when there are none.
bool AxisSpan(int32_t from, int32_t to, int32_t size, int32_t& lo, int32_t& hi)
{
    const int64_t first = from < to ? from : static_cast<int64_t>(to) + 1;
    const int64_t end = from < to ? to : static_cast<int64_t>(from) + 1;
    lo = static_cast<int32_t>(std::max<int64_t>(first, 0));
    hi = static_cast<int32_t>(std::min<int64_t>(end, size));
    return lo < hi;
}

} // namespace

PlotCanvas::PlotCanvas(QPainter& painter, int width, int height, CanvasMode mode)
    : painter_(painter), mode_(mode), width_(width), height_(height), fills_(QSize(width, height))
{
    // The shortcuts give the same pixels only where a pixel of the area is a
    // pixel of the device; a screen that scales the window gets every line
    // as it is.
    const QTransform device = painter_.deviceTransform();
    if (device.type() > QTransform::TxTranslate || device.dx() != std::round(device.dx()) ||
        device.dy() != std::round(device.dy()))
        mode_ = CanvasMode::Whole;
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setBrush(Qt::NoBrush);
    painter_.setClipRect(0, 0, width_, height_);
    applyPen();
}

PlotCanvas::~PlotCanvas() { flushPending(); }

void PlotCanvas::setPenColor(uint32_t bgr)
{
    const QColor color = QtColor(bgr);
    if (color == color_)
        return;
    flushThinLines();
    color_ = color;
    applyPen();
}

void PlotCanvas::setPenWidth(int width)
{
    if (width == penWidth_)
        return;
    flushThinLines();
    penWidth_ = width;
    applyPen();
}

void PlotCanvas::applyPen()
{
    // The 1-pixel pen draws with a flat cap, which paints no pixel beyond a
    // line's ends; wide pens draw with round caps and joins.
    const bool wide = penWidth_ > 1;
    painter_.setPen(QPen(color_, penWidth_, Qt::SolidLine, wide ? Qt::RoundCap : Qt::FlatCap,
                         wide ? Qt::RoundJoin : Qt::MiterJoin));
}

void PlotCanvas::fillAreaOutlined()
{
    flushPending();
    // The outline lies on the area's own outermost pixels. They are filled,
    // not stroked: on a screen that scales the area QPainter centres a stroke
    // on its coordinates, which would put half of the outline outside.
    const QRect edges[] = {{0, 0, width_, 1},
                           {0, height_ - 1, width_, 1},
                           {0, 0, 1, height_},
                           {width_ - 1, 0, 1, height_}};
    if (mode_ == CanvasMode::Culled) {
        fills_.add(QRect(0, 0, width_, height_), Qt::white);
        for (const QRect& edge : edges)
            fills_.add(edge, color_);
        return;
    }
    painter_.fillRect(0, 0, width_, height_, Qt::white);
    for (const QRect& edge : edges)
        painter_.fillRect(edge, color_);
}

void PlotCanvas::moveTo(DotPoint p) { current_ = p; }

void PlotCanvas::lineTo(DotPoint p)
{
    const DotPoint from = current_;
    current_ = p;
    if (penWidth_ > 1) {
        if (mode_ == CanvasMode::Whole || canTouchArea(from, p)) {
            flushPending();
            painter_.drawLine(from.x, from.y, p.x, p.y);
        }
        return;
    }
    // A line to its own start pixel paints nothing: that pixel is its end.
    if (from == p)
        return;
    if (mode_ == CanvasMode::Whole) {
        strokeThinLine(from, p);
        return;
    }
    int32_t lo = 0;
    int32_t hi = 0;
    if (from.y == p.y || from.x == p.x) {
        // A grid line: the pixels it paints inside the area, or none.
        flushThinLines();
        if (from.y == p.y && p.y >= 0 && p.y < height_ && AxisSpan(from.x, p.x, width_, lo, hi))
            fills_.add(QRect(lo, p.y, hi - lo, 1), color_);
        if (from.x == p.x && p.x >= 0 && p.x < width_ && AxisSpan(from.y, p.y, height_, lo, hi))
            fills_.add(QRect(p.x, lo, 1, hi - lo), color_);
        return;
    }
    if (!canTouchArea(from, p))
        return;
    fills_.paint(painter_);
    if (RunsBackwards(from, p) && (insideArea(from) || insideArea(p))) {
        flushThinLines();
        strokeThinLine(from, p);
        return;
    }
    thinLines_.emplace_back(from.x, from.y, p.x, p.y);
}

bool PlotCanvas::insideArea(DotPoint p) const
{
    return p.x >= 0 && p.x < width_ && p.y >= 0 && p.y < height_;
}

void PlotCanvas::strokeThinLine(DotPoint from, DotPoint to)
{
    if (!RunsBackwards(from, to) || (!insideArea(from) && !insideArea(to))) {
        painter_.drawLine(from.x, from.y, to.x, to.y);
        return;
    }
    // Drawn towards lower coordinates, QPainter would paint the end pixel and
    // leave out the start pixel. Its one pixel on the end's column (row, for
    // a steep line) is clipped away and the start pixel added.
    const bool alongX = std::abs(static_cast<int64_t>(to.x) - from.x) >=
                        std::abs(static_cast<int64_t>(to.y) - from.y);
    const QRect beyondEnd = alongX ? QRect(QPoint(to.x + 1, 0), QPoint(width_ - 1, height_ - 1))
                                   : QRect(QPoint(0, to.y + 1), QPoint(width_ - 1, height_ - 1));
    painter_.save();
    painter_.setClipRect(beyondEnd, Qt::IntersectClip);
    painter_.drawLine(from.x, from.y, to.x, to.y);
    painter_.restore();
    painter_.fillRect(from.x, from.y, 1, 1, color_);
}

void PlotCanvas::flushThinLines()
{
    if (!thinLines_.empty()) {
        painter_.drawLines(thinLines_.data(), static_cast<int>(thinLines_.size()));
        thinLines_.clear();
    }
}

void PlotCanvas::flushPending()
{
    // Only one of the two holds anything: each is emptied before the other
    // takes a line, so the order of drawing is kept.
    fills_.paint(painter_);
    flushThinLines();
}

void PlotCanvas::fillRegion(const QRegion& region)
{
    if (region.isEmpty())
        return;
    painter_.save();
    painter_.setClipRegion(region, Qt::IntersectClip);
    painter_.fillRect(region.boundingRect(), color_);
    painter_.restore();
}

bool PlotCanvas::canTouchArea(DotPoint a, DotPoint b) const
{
    // A wide pen reaches half its width beyond the centre line; a whole width
    // leaves room for the rounding of its outline. A 1-pixel line stays
    // within the box of its end points. Held in 64 bits, since end points may
    // lie millions of pixels away.
    const int64_t reach = penWidth_ > 1 ? penWidth_ : 0;
    const int64_t left = std::min<int64_t>(a.x, b.x) - reach;
    const int64_t right = std::max<int64_t>(a.x, b.x) + reach;
    const int64_t top = std::min<int64_t>(a.y, b.y) - reach;
    const int64_t bottom = std::max<int64_t>(a.y, b.y) + reach;
    return right >= 0 && left < width_ && bottom >= 0 && top < height_;
}

void PlotCanvas::polyline(const QVector<QPoint>& points)
{
    if (points.isEmpty())
        return;
    flushPending();
    if (mode_ == CanvasMode::Whole)
        painter_.drawPolyline(points.constData(), static_cast<int>(points.size()));
    else
        polylineCulled(points.constData(), static_cast<int>(points.size()));
    current_ = DotPoint{points.back().x(), points.back().y()};
}

void PlotCanvas::polylineCulled(const QPoint* points, int count)
{
    StrokeDevice device;
    const StrokeCut cut = StrokeDeviceFor(painter_, points, count, penWidth_, device);
    if (cut == StrokeCut::Unknown) {
        painter_.drawPolyline(points, count);
        return;
    }
    if (penWidth_ == 2) {
        const QRect area(0, 0, width_, height_);
        RowRuns runs(area);
        if (TwoPixelPolylineSpans(points, count, area, device, runs)) {
            fillRegion(runs.region());
            return;
        }
    }
    polylineRuns(points, count, cut == StrokeCut::Cut);
}

void PlotCanvas::polylineRuns(const QPoint* points, int count, bool withFarMark)
{
    // The runs of segments whose strokes can touch the area; the segments
    // between runs cannot paint a pixel of it, and neither can the joins at
    // the ends of a run, which lie inside their strokes. Inside the area
    // every run has the joins and segments of the whole polyline, so its
    // outline there is the same.
    QPainterPath path;
    const auto addRun = [&](int first, int last) {
        path.moveTo(points[first]);
        for (int k = first + 1; k <= last; ++k)
            path.lineTo(points[k]);
    };
    int runStart = -1;
    for (int k = 0; k + 1 < count; ++k) {
        const bool touches = canTouchArea(DotPoint{points[k].x(), points[k].y()},
                                          DotPoint{points[k + 1].x(), points[k + 1].y()});
        if (touches && runStart < 0) {
            runStart = k;
        } else if (!touches && runStart >= 0) {
            addRun(runStart, k);
            runStart = -1;
        }
    }
    if (runStart >= 0)
        addRun(runStart, count - 1);
    if (path.isEmpty())
        return;
    if (withFarMark) {
        // The engine cuts the whole polyline's outline (plot/stroke_spans.h);
        // a short stroke far beyond its range makes it cut the runs too, and
        // in the same places.
        constexpr double far = 4 * kRasterCoordinateLimit;
        path.moveTo(-far, -far);
        path.lineTo(-far + 1, -far);
    }
    painter_.drawPath(path);
}

void PlotCanvas::dot(DotPoint p)
{
    flushPending();
    current_ = p;
    if (mode_ == CanvasMode::Culled && !canTouchArea(p, p))
        return;
    // QPainter's whole coordinates lie on pixel corners: a dot drawn there
    // covers 4 x 4 pixels around the corner. Centred on the middle of its
    // pixel it is the round dot 5 pixels across, at any device scale.
    painter_.drawPoint(QPointF(p.x + 0.5, p.y + 0.5));
}
