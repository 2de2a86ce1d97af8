#pragma once

// The page's choice of the lesson's language, for a pupil who cannot read
// the Japanese around it: a globe and each language named in itself, placed
// where no control is, on the landscape stage (right of the keypad, below
// the tangent point's slider) and on the upright one (below that slider,
// above "終　了"). The desktop takes its language from the locale or --lang.

#include "controls/control_table.h"

inline constexpr Place kLanguageChoicePlace{868, 410, 144, 32};
inline constexpr Place kLanguageChoicePortrait{560, 852, 180, 32};
// Its accessible name, in the language it shows.
inline constexpr const char* kLanguageChoiceName = "言語";
