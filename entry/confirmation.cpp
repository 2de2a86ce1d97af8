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

namespace {
// One power of x: a coefficient of 1 or -1 shows as a bare sign, a positive
// term gets its "+" unless it leads the text.
std::string Term(int32_t k, const char* power, bool leading)
{
    if (k == 0)
        return {};
    std::string sign = k < 0 ? "-" : (leading ? "" : "+");
    const int32_t magnitude = k < 0 ? -k : k;
    if (magnitude == 1 && *power != '\0')
        return sign + power;
    return sign + std::to_string(magnitude) + power;
}
} // namespace

std::string EquationText(const CoefficientArray<int32_t>& keisu)
{
    return "y=" + Term(keisu[1], "x^3", true) + Term(keisu[2], "x^2", false) +
           Term(keisu[3], "x", false) + Term(keisu[4], "", false);
}

int32_t NextTarget(int32_t keisuNo)
{
    return keisuNo % kCoefficientCount + 1;
}
