#include "entry/keypad.h"

namespace {
bool CoefficientSelected(const LessonState& lesson)
{
    return lesson.KeisuNo >= 1 && lesson.KeisuNo <= kCoefficientCount;
}
} // namespace

std::optional<LabelEdit> PressDigit(const LessonState& lesson, int digit)
{
    if (!CoefficientSelected(lesson) || digit < 1 || digit > 9)
        return std::nullopt;
    return LabelEdit{lesson.KeisuNo,
                     lesson.KeisuFugo[lesson.KeisuNo] + static_cast<char>('0' + digit)};
}

std::optional<LabelEdit> PressZero(const LessonState& lesson)
{
    if (!CoefficientSelected(lesson) || lesson.KeisuNo == 1)
        return std::nullopt;
    return LabelEdit{lesson.KeisuNo, "0"};
}

std::optional<LabelEdit> PressMinus(LessonState& lesson)
{
    if (!CoefficientSelected(lesson))
        return std::nullopt;
    lesson.KeisuFugo[lesson.KeisuNo] = "-";
    return LabelEdit{lesson.KeisuNo, "-"};
}
