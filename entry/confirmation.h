#pragma once

#include "lesson/lesson_state.h"

#include <string>

// The pieces of "決定" that do not touch a control.

// Empties the four pending signs; every confirmation starts with this, also
// one that is then refused.
void ClearPendingSigns(LessonState& lesson);

// An unfinished entry (a label holding "-" alone) anywhere blocks the
// confirmation.
bool HasUnfinishedEntry(const CoefficientArray<std::string>& labels);

// The value of a coefficient label: "0" or a digit with an optional minus.
int32_t ParseCoefficient(const std::string& label);

// The target that follows a confirmation: a, b, c, d, a, ...; the equation
// button moves on to b.
int32_t NextTarget(int32_t keisuNo);
