#pragma once

// Captions in the pupil's language keep their controls' places: a caption
// too wide for its control is written smaller, never below a share of its
// font role's size; a wording that would need less is too long, and its
// catalogue gives a shorter one.

#include "controls/control_table.h"

#include <functional>
#include <string>
#include <vector>

inline constexpr double kSmallestCaptionScale = 0.6;

// The width a control's caption may take: its own, less the borders a button
// or a frame draws around it.
int CaptionRoom(const ControlRow& row);

// Every caption the control can show in the current language: a toggle's in
// each of its states.
std::vector<std::string> CaptionsOf(const ControlRow& row);

// The pixel size a control's captions are written at: the role's size, or a
// pixel smaller at a time (widths do not shrink in proportion once glyphs are
// hinted to whole pixels) while the widest caption the control can show,
// measured by `widest` at a size, overflows its room; never below the
// smallest share of the role's size.
int FittedCaptionSize(const ControlRow& row, int roleSize,
                      const std::function<double(int pixelSize)>& widest);
