#pragma once

// Captions in the pupil's language keep their controls' places: a caption
// too wide for its control is written smaller, never below a share of its
// font role's size; a wording that would need less is too long, and its
// catalogue gives a shorter one.

#include "controls/control_table.h"

#include <string>
#include <vector>

inline constexpr double kSmallestCaptionScale = 0.6;

// The width a control's caption may take: its own, less the borders a button
// or a frame draws around it.
int CaptionRoom(const ControlRow& row);

// Every caption the control can show in the current language: a toggle's in
// each of its states.
std::vector<std::string> CaptionsOf(const ControlRow& row);
