#pragma once

#include <optional>
#include <utility>

// A point of the plot in pixels, unrounded.
struct PlotPointF {
    double x = 0;
    double y = 0;
};

// The part of the segment from a to b within the box, as the fractions of the
// way from a at which it enters and leaves (Liang and Barsky's clipping), or
// nothing where it misses the box. End points may lie millions of pixels away.
std::optional<std::pair<double, double>> ClipSegment(PlotPointF a, PlotPointF b, double left,
                                                     double top, double right, double bottom);
