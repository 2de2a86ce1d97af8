#pragma once

#include "lesson/lesson_state.h"
#include "plot/plot_canvas.h"

// The four layers of the plot, drawn whole on every repaint in this order:
// background and grid, curve, inflection-point mark, tangent layer. Reads the
// lesson it is given and keeps nothing between repaints.
class PlotLayers {
public:
    PlotLayers(PlotCanvas& canvas, const LessonState& lesson);

    // The whole picture. Before a lesson is set up (view scale 0) only the
    // empty area with its outline is drawn.
    void paintAll();

    void ZahyoHeimen_Draw();
    void Kyokusen_Dsp(int32_t a, int32_t b, int32_t c, int32_t d);
    void Tenvori_Dsp(TZahyoR p);
    void Sessen_Dsp(TZahyoR p);

private:
    // One tangent from x = -ZahyoMax to +ZahyoMax through (x, y) with the
    // slope at x.
    void tangentAt(float x, float y);

    PlotCanvas& canvas_;
    const LessonState& lesson_;
    ZahyoMapping mapping_;
};

// Paints the lesson into a painter's plot area of the given size.
void PaintPlot(QPainter& painter, const LessonState& lesson, int width, int height,
               CanvasMode mode = CanvasMode::Culled);
