#include "app/plot_painter.h"

#include "app/qt_color.h"
#include "plot/plot_layers.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>

#include <algorithm>

namespace {
QPoint ToQt(DotPoint p)
{
    return QPoint(p.x, p.y);
}

void UsePen(QPainter& painter, const PlotItem& item)
{
    // The 1-pixel pen draws with a flat cap, which paints nothing beyond a
    // line's ends; wide pens draw with round caps and joins.
    const bool wide = item.penWidth > 1;
    painter.setPen(QPen(QtColor(item.color), item.penWidth, Qt::SolidLine,
                        wide ? Qt::RoundCap : Qt::FlatCap, wide ? Qt::RoundJoin : Qt::MiterJoin));
}

bool Inside(const PlotGeometry& plot, DotPoint p)
{
    return p.x >= 0 && p.x < plot.width && p.y >= 0 && p.y < plot.height;
}

// A 1-pixel line covers its start pixel and leaves out its end pixel,
// whichever way it runs. Which end QPainter itself includes is its own
// business, so the end pixel is clipped away and the start pixel painted
// here; both only matter where they lie inside the area.
void DrawThinLine(QPainter& painter, const PlotGeometry& plot, DotPoint from, DotPoint to)
{
    if (from == to)
        return;
    if (Inside(plot, to)) {
        painter.save();
        painter.setClipRegion(QRegion(0, 0, plot.width, plot.height) - QRegion(to.x, to.y, 1, 1),
                              Qt::IntersectClip);
        painter.drawLine(ToQt(from), ToQt(to));
        painter.restore();
    } else {
        painter.drawLine(ToQt(from), ToQt(to));
    }
    if (Inside(plot, from))
        painter.fillRect(from.x, from.y, 1, 1, painter.pen().color());
}

// Whether a stroke of the item's pen between two points can paint a pixel of
// the area: a stroke reaches half its width beyond its centre line, and a
// whole width leaves room for its round caps. Held in 64 bits, since end
// points may lie millions of pixels away.
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
bool CutAcrossArea(const PlotGeometry& plot, DotPoint& from, DotPoint& to)
{
    const auto cut = [](int32_t& a, int32_t& b, int32_t size) {
        const bool beyond = std::min(a, b) < 0 && std::max(a, b) >= size;
        if (beyond) {
            a = a < 0 ? -1 : size;
            b = b < 0 ? -1 : size;
        }
        return beyond;
    };
    if (from.y == to.y)
        return cut(from.x, to.x, plot.width);
    if (from.x == to.x)
        return cut(from.y, to.y, plot.height);
    return false;
}

void DrawPolylineRuns(QPainter& painter, const PlotGeometry& plot, const PlotItem& item)
{
    // The runs of segments whose strokes can touch the area, each as a
    // polyline of its own. A segment between runs cannot paint a pixel of
    // the area, and the round join where a run leaves off is the round cap it
    // now ends with.
    const DotPoint* points = plot.pointsOf(item);
    const auto count = static_cast<int>(item.count);
    QPolygon run;
    const auto flush = [&] {
        if (run.size() > 1)
            painter.drawPolyline(run);
        run.clear();
    };
    for (int k = 0; k + 1 < count; ++k) {
        if (CanTouchArea(plot, item.penWidth, points[k], points[k + 1])) {
            if (run.isEmpty())
                run.append(ToQt(points[k]));
            run.append(ToQt(points[k + 1]));
        } else {
            flush();
        }
    }
    flush();
}
} // namespace

void PreparePlotPainter(QPainter& painter, int width, int height)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    painter.setClipRect(0, 0, width, height);
}

void DrawPlotItem(QPainter& painter, const PlotGeometry& plot, const PlotItem& item)
{
    const DotPoint* points = plot.pointsOf(item);
    switch (item.kind) {
    case PlotItem::Kind::Area: {
        // The outline lies on the area's own outermost pixels. It is filled,
        // not stroked: on a screen that scales the area QPainter centres a
        // stroke on its coordinates, which would put half of it outside.
        const QColor outline = QtColor(item.color);
        painter.fillRect(0, 0, plot.width, plot.height, Qt::white);
        painter.fillRect(0, 0, plot.width, 1, outline);
        painter.fillRect(0, plot.height - 1, plot.width, 1, outline);
        painter.fillRect(0, 0, 1, plot.height, outline);
        painter.fillRect(plot.width - 1, 0, 1, plot.height, outline);
        break;
    }
    case PlotItem::Kind::Line:
        UsePen(painter, item);
        if (item.penWidth > 1)
            painter.drawLine(ToQt(points[0]), ToQt(points[1]));
        else
            DrawThinLine(painter, plot, points[0], points[1]);
        break;
    case PlotItem::Kind::Polyline: {
        UsePen(painter, item);
        QPolygon polygon(static_cast<int>(item.count));
        for (uint32_t k = 0; k < item.count; ++k)
            polygon[static_cast<int>(k)] = ToQt(points[k]);
        painter.drawPolyline(polygon);
        break;
    }
    case PlotItem::Kind::Dot:
        // QPainter's whole coordinates lie on pixel corners: a dot drawn
        // there covers 4 x 4 pixels around the corner. Centred on the middle
        // of its pixel it is the round dot of the pen's width, at any scale.
        UsePen(painter, item);
        painter.drawPoint(QPointF(points[0].x + 0.5, points[0].y + 0.5));
        break;
    }
}

void PaintPlotGeometry(QPainter& painter, const PlotGeometry& plot)
{
    for (const PlotItem& item : plot.items) {
        const DotPoint* points = plot.pointsOf(item);
        switch (item.kind) {
        case PlotItem::Kind::Area:
            DrawPlotItem(painter, plot, item);
            break;
        case PlotItem::Kind::Line: {
            DotPoint from = points[0];
            DotPoint to = points[1];
            if (!CanTouchArea(plot, item.penWidth, from, to))
                break;
            if (item.penWidth == 1 && CutAcrossArea(plot, from, to)) {
                UsePen(painter, item);
                painter.drawLine(ToQt(from), ToQt(to));
                break;
            }
            DrawPlotItem(painter, plot, item);
            break;
        }
        case PlotItem::Kind::Polyline:
            UsePen(painter, item);
            DrawPolylineRuns(painter, plot, item);
            break;
        case PlotItem::Kind::Dot:
            if (CanTouchArea(plot, item.penWidth, points[0], points[0]))
                DrawPlotItem(painter, plot, item);
            break;
        }
    }
}

void PaintPlot(QPainter& painter, const LessonState& lesson, int width, int height)
{
    painter.save();
    PreparePlotPainter(painter, width, height);
    PaintPlotGeometry(painter, PlotOf(lesson, width, height));
    painter.restore();
}
