#include "app/plot_painter.h"

#include "app/qt_color.h"
#include "plot/plot_layers.h"

#include <QPainter>
#include <QPolygon>
#include <QRegion>

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

// A line leaves out the pixel the core gives with it (a 1-pixel line's end
// pixel, where that lies inside the area): QPainter is clipped away from it.
void DrawLine(QPainter& painter, const PlotGeometry& plot, const PlotItem& item)
{
    const DotPoint* points = plot.pointsOf(item);
    if (item.count < 3) {
        painter.drawLine(ToQt(points[0]), ToQt(points[1]));
        return;
    }
    painter.save();
    painter.setClipRegion(QRegion(0, 0, plot.width, plot.height) -
                              QRegion(points[2].x, points[2].y, 1, 1),
                          Qt::IntersectClip);
    painter.drawLine(ToQt(points[0]), ToQt(points[1]));
    painter.restore();
}

void FillPixels(QPainter& painter, const PlotItem& item, const DotPoint* corners)
{
    painter.fillRect(corners[0].x, corners[0].y, corners[1].x - corners[0].x,
                     corners[1].y - corners[0].y, QtColor(item.color));
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
    case PlotItem::Kind::Area:
        // Laid out as fills (DrawnOnArea).
        break;
    case PlotItem::Kind::Fill:
        FillPixels(painter, item, points);
        break;
    case PlotItem::Kind::Line:
        UsePen(painter, item);
        DrawLine(painter, plot, item);
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
    const PlotGeometry drawn = DrawnOnArea(plot);
    for (const PlotItem& item : drawn.items)
        DrawPlotItem(painter, drawn, item);
}

void PaintPlot(QPainter& painter, const LessonState& lesson, int width, int height)
{
    painter.save();
    PreparePlotPainter(painter, width, height);
    PaintPlotGeometry(painter, PlotOf(lesson, width, height));
    painter.restore();
}
