#pragma once

#include "lesson/colors.h"

#include <cstdint>

// The lesson's colours for a washed-out projector or a pupil who sees little
// contrast: each of the lesson's colours (lesson/colors.h) beside the one
// drawn in its place, for each use where the lesson's own is too faint. The
// lesson's colours stay the default; an edition switches to these where the
// reader asks for more contrast, and only maps colours: what is drawn, and
// where, stays the lesson's.
//
// A caption or label reaches 4.5:1 against every face it can stand on; a
// line or dot of the plot 3:1 against the plot's white.

// Where a colour is used, which decides what it has to stand out from.
enum class ColorUse {
    Caption, // a caption or label's text, on the faces below
    Plot,    // a line or dot of the plot, on white
};

namespace Bgr {
// The faces captions stand on besides the window's money green, as the
// desktop the lesson came from paints them: the labels' tooltip yellow and
// the buttons' face, the darkest face a caption stands on. The page paints
// them so always (web/site/lesson.css), the desktop in high contrast, in
// place of whatever its theme gives.
inline constexpr uint32_t TooltipYellow = 0xE1FFFF;
inline constexpr uint32_t ButtonFace = 0xC8D0D4;
} // namespace Bgr

struct ContrastColor {
    uint32_t lesson;  // the lesson's colour, 0xBBGGRR
    uint32_t caption; // in its place as a caption's text
    uint32_t plot;    // in its place on the plot
};

// clang-format off
inline constexpr ContrastColor kContrastPalette[] = {
    // lesson     caption      plot
    {Bgr::Black,  Bgr::Black,  Bgr::Black},
    {Bgr::Red,    0x0000B0,    Bgr::Red},    // dark red text; the curve is 4:1 as it is
    {Bgr::Maroon, Bgr::Maroon, Bgr::Maroon},
    {Bgr::Blue,   Bgr::Blue,   Bgr::Blue},
    {Bgr::Purple, Bgr::Purple, Bgr::Purple},
    {Bgr::Green,  0x006000,    Bgr::Green},  // text needs a darker green than a line
    {Bgr::Lime,   0x006000,    0x009900},    // the inflection point: a green white sets off
    {Bgr::Silver, 0x505050,    0x808080},    // the grid: grey, still paler than the axes
    {Bgr::Teal,   0x505000,    Bgr::Teal},   // the slope curve: 4.8:1 on white as it is
};
// clang-format on

// The faces a caption stands on.
inline constexpr uint32_t kCaptionFaces[] = {Bgr::MoneyGreen, Bgr::TooltipYellow, Bgr::ButtonFace};

// The colour drawn in place of the lesson's `color` for this use; a colour
// the table does not list (the plot's white) stays as it is.
uint32_t HighContrastColor(uint32_t color, ColorUse use);
