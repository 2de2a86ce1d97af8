#include "lesson/equation_text.h"

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
    std::string text = "y=";
    const char* const powers[] = {"x^3", "x^2", "x", ""};
    for (int n = 1; n <= kCoefficientCount; ++n)
        text += Term(keisu[n], powers[n - 1], text.size() == 2);
    return text;
}
