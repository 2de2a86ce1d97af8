#pragma once

#include "lesson/lesson_state.h"

#include <optional>
#include <string>

// What a keypad key does to the coefficient labels: the label of
// `coefficient` (1..4) gets `text`.
struct LabelEdit {
    int32_t coefficient = 0;
    std::string text;
    friend bool operator==(const LabelEdit&, const LabelEdit&) = default;
};

// Keys "１".."９": the selected coefficient's label becomes its pending sign
// followed by the digit; the sign stays pending. Nothing while the equation
// button is selected.
std::optional<LabelEdit> PressDigit(const LessonState& lesson, int digit);

// Key "０": "0" without a sign for b, c and d; a can never be 0, and the
// equation button takes no digits.
std::optional<LabelEdit> PressZero(const LessonState& lesson);

// Key "－": the selected coefficient's sign becomes pending and its label
// shows the bare sign, dropping any digit.
std::optional<LabelEdit> PressMinus(LessonState& lesson);
