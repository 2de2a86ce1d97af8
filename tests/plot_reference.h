#pragma once

// The plot drawn the straightforward way, which the program's drawing is
// checked and measured against: the whole picture straight onto the
// surface, every item of the geometry handed to QPainter as it is.

#include "app/plot_painter.h"
#include "plot/plot_layers.h"

#include <QPainter>

// One recorded item: the area and the 1-pixel lines as the core lays each
// out on its own (the area's fills, a line with the end pixel it leaves out),
// everything else handed over whole.
inline void DrawItemAsItIs(QPainter& painter, const PlotGeometry& plot, const PlotItem& item)
{
    if (item.kind != PlotItem::Kind::Area &&
        (item.kind != PlotItem::Kind::Line || item.penWidth > 1)) {
        DrawPlotItem(painter, plot, item);
        return;
    }
    PlotGeometry one{plot.width, plot.height, {item}, {}};
    one.items.front().first = 0;
    one.points.assign(plot.pointsOf(item), plot.pointsOf(item) + item.count);
    const PlotGeometry drawn = DrawnOnArea(one);
    for (const PlotItem& laid : drawn.items)
        DrawPlotItem(painter, drawn, laid);
}

inline void PaintPlotReference(QPainter& painter, const LessonState& lesson, int width, int height)
{
    painter.save();
    PreparePlotPainter(painter, width, height);
    const PlotGeometry plot = PlotOf(lesson, width, height);
    for (const PlotItem& item : plot.items)
        DrawItemAsItIs(painter, plot, item);
    painter.restore();
}
