#pragma once

#include "lesson/lesson_state.h"

#include <string>

// The equation text of the confirmed coefficients, e.g. "y=2x^3-3x^2+x-4".
// It is built from the confirmed integers only, so a label that has been typed
// into but not confirmed never shows up in it. The first term that is not 0
// leads without its "+": with a = 0, the text of a parabola (the slope
// curve's, from the derivative's coefficients).
std::string EquationText(const CoefficientArray<int32_t>& keisu);
