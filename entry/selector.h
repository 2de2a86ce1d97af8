#pragma once

#include "lesson/lesson_state.h"

#include <array>
#include <cstdint>

// Caption colours of the five selector buttons ("a=", "b=", "c=", "d=",
// "曲線の方程式") while target n is selected: the selected coefficient red,
// the others maroon; the equation button black, or blue while it is selected.
std::array<uint32_t, 5> SelectorColors(int32_t target);

// Makes target n (1..4 = a..d, 5 = equation button) the entry target.
inline void SelectTarget(LessonState& lesson, int32_t target)
{
    lesson.KeisuNo = target;
}
