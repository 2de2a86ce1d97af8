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
    return "y=" + Term(keisu[1], "x^3", true) + Term(keisu[2], "x^2", false) +
           Term(keisu[3], "x", false) + Term(keisu[4], "", false);
}
