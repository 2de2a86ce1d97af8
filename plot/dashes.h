#pragma once

#include "plot/mapping.h"

#include <cstdint>
#include <vector>

// A line of joined points cut into dashes, as the slope curve is drawn: a
// dash of kDashOn pixels, a gap of kDashOff, measured along the line and
// carried on from segment to segment, each dash a run of points of its own
// (the points where it starts and ends rounded to whole pixels). Only what
// lies within `margin` pixels of a width by height area is cut: a segment
// millions of pixels long outside it gives no dashes there, and the pattern
// goes on where the line comes back.
inline constexpr double kDashOn = 10.0;
inline constexpr double kDashOff = 6.0;

std::vector<std::vector<DotPoint>> DashesOf(const std::vector<DotPoint>& line, int32_t width,
                                            int32_t height, int32_t margin);
