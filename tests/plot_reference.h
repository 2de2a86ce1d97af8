#pragma once

// The plot drawn the straightforward way, which the program's drawing is
// checked and measured against: the whole picture straight onto the
// surface, every item of the geometry handed to QPainter as it is.

#include "app/plot_painter.h"
#include "plot/plot_layers.h"

#include <QPainter>

inline void PaintPlotReference(QPainter& painter, const LessonState& lesson, int width, int height)
{
    painter.save();
    PreparePlotPainter(painter, width, height);
    const PlotGeometry plot = PlotOf(lesson, width, height);
    for (const PlotItem& item : plot.items)
        DrawPlotItem(painter, plot, item);
    painter.restore();
}
