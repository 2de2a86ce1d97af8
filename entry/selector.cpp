#include "entry/selector.h"

#include "lesson/colors.h"

std::array<uint32_t, 5> SelectorColors(int32_t target)
{
    std::array<uint32_t, 5> colors{Bgr::Maroon, Bgr::Maroon, Bgr::Maroon, Bgr::Maroon, Bgr::Black};
    if (target >= 1 && target <= kCoefficientCount)
        colors[static_cast<std::size_t>(target - 1)] = Bgr::Red;
    else if (target == kEquationTarget)
        colors[4] = Bgr::Blue;
    return colors;
}
