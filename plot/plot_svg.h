#pragma once

#include "lesson/lesson_state.h"

#include <cstdint>
#include <string>

// The lesson's plot as an SVG drawing, for paper, a note or a slide: the
// same grid, axes, curve, inflection point, tangents, chord and slope curve
// as on screen, laid out on a plotSize by plotSize area of pixels as the
// window lays them out, with the caption beneath (plot/plot_caption.h). Its
// title is the equation and its description the plot's reading, so that a
// screen reader says what a pupil who sees it sees. Both editions write
// their pictures, files and printouts from it.
struct SvgOptions {
    int32_t plotSize = 0; // the area's side in layout pixels
    double widthCm = 0;   // the drawing's width on paper; 0: one unit per pixel
    bool highContrast = false;
    // For a pupil who reads by touch (swell paper, an embosser): every line
    // at least 1.5 mm wide, grid lines 1.5 to 2 cm apart (the width is held
    // to what gives that), and the lines told apart without colour: the
    // tangents dashed, the chord dotted, the slope curve dash-dotted. Needs
    // widthCm.
    bool touchReader = false;
    // The caption beneath the plot; without it the drawing is the plot
    // alone, for an edition that sets the caption's text itself (a PDF,
    // where it stays text a reader can search and copy).
    bool caption = true;
};

// The grid the drawing shows: its step in the curve's units, and on paper
// how far apart its lines are.
struct SvgGrid {
    double step = 1;
    double widthCm = 0; // the drawing's width on paper, after the touch reader's hold
    double stepCm = 0;
};
SvgGrid SvgGridOf(const LessonState& lesson, const SvgOptions& options);

std::string PlotSvg(const LessonState& lesson, const SvgOptions& options);
