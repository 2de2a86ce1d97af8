#pragma once

#include "lesson/lesson_state.h"
#include "plot/plot_geometry.h"

class QPainter;

// The plot's geometry drawn with QPainter, in the painter's logical pixels:
// whatever device pixel ratio or scale the painter has, a pixel of the plot
// is a pixel of the layout.

// One item of what the core lays out on the area (DrawnOnArea), or a line,
// polyline or dot of a recorded plot handed to QPainter whole, however far
// outside the area it reaches.
void DrawPlotItem(QPainter& painter, const PlotGeometry& plot, const PlotItem& item);

// Every item in order, handing QPainter only what the core gives to draw on
// the area (DrawnOnArea, plot/plot_geometry.h).
void PaintPlotGeometry(QPainter& painter, const PlotGeometry& plot);

// The whole picture of the lesson on an area of the given size.
void PaintPlot(QPainter& painter, const LessonState& lesson, int width, int height);

// Sets the painter up for drawing a plot of the given size: aliased, no
// brush, clipped to the area.
void PreparePlotPainter(QPainter& painter, int width, int height);
