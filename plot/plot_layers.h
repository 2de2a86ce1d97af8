#pragma once

#include "lesson/lesson_state.h"
#include "plot/plot_geometry.h"

// The layers of the plot, in the order they are drawn: background and grid,
// the slope curve where it is shown, curve, inflection-point mark, tangent
// layer (with the slope at the tangent point). Each records what it
// draws into the recorder it is given; nothing is kept between drawings.
class PlotLayers {
public:
    PlotLayers(PlotRecorder& recorder, const LessonState& lesson);

    void ZahyoHeimen_Draw();
    void Kyokusen_Dsp(int32_t a, int32_t b, int32_t c, int32_t d);
    void Tenvori_Dsp(TZahyoR p);
    void Sessen_Dsp(TZahyoR p);
    // The slope curve y' = f'(x), dashed, on the curve's own x values; and
    // under the tangent point p its slope as a height: the point (x, f'(x))
    // and a thin vertical guide up or down to it from the tangent point.
    void Doukansu_Dsp();
    void DoukansuTen_Dsp(TZahyoR p);

private:
    // One tangent from x = -ZahyoMax to +ZahyoMax through (x, y) with the
    // slope at x.
    void tangentAt(float x, float y);

    PlotRecorder& out_;
    const LessonState& lesson_;
    ZahyoMapping mapping_;
};

// Whether the tangent layer is drawn for the tangent point p: a point too
// far above or below the view hides it, whatever the toggles say.
bool TangentLayerShown(const LessonState& lesson, TZahyoR p);

// The whole picture of the lesson on an area of the given size. Before a
// lesson is set up (view scale 0) it is the empty area with its outline.
PlotGeometry PlotOf(const LessonState& lesson, int32_t width, int32_t height);

// The same picture in two parts: the base (area, grid, curve and dot), which
// only the coefficients and the view scale change, and the tangent layer
// drawn over it, which the tangent slider and the toggles change too.
PlotGeometry PlotBaseOf(const LessonState& lesson, int32_t width, int32_t height);
PlotGeometry TangentLayerOf(const LessonState& lesson, int32_t width, int32_t height);
