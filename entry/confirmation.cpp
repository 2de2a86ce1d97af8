#include "entry/confirmation.h"

#include <charconv>

void ClearPendingSigns(LessonState& lesson)
{
    for (int n = 1; n <= kCoefficientCount; ++n)
        lesson.KeisuFugo[n].clear();
}

bool HasUnfinishedEntry(const CoefficientArray<std::string>& labels)
{
    for (int n = 1; n <= kCoefficientCount; ++n) {
        if (labels[n] == "-")
            return true;
    }
    return false;
}

int32_t ParseCoefficient(const std::string& label)
{
    int32_t value = 0;
    std::from_chars(label.data(), label.data() + label.size(), value);
    return value;
}

int32_t NextTarget(int32_t keisuNo)
{
    return keisuNo % kCoefficientCount + 1;
}
