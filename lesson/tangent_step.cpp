#include "lesson/tangent_step.h"

#include "lesson/curve.h"

#include <algorithm>
#include <array>
#include <cmath>

int32_t TangentStepDivisor(int32_t zahyoMax)
{
    struct Band {
        int32_t upTo;
        int32_t divisor;
    };
    static constexpr std::array<Band, 7> bands{
        {{4, 100}, {8, 150}, {12, 200}, {16, 250}, {20, 300}, {24, 350}, {28, 400}}};
    for (const Band& band : bands) {
        if (zahyoMax >= 1 && zahyoMax <= band.upTo)
            return band.divisor;
    }
    return 450;
}

float TangentPointX(const LessonState& lesson, int32_t position)
{
    return TangentPointXOf<Extended>(position, lesson.ZahyoMax, TangentStepDivisor(lesson.ZahyoMax),
                                     lesson.TenvoriPt.x);
}

void MoveTangentPoint(LessonState& lesson, int32_t position)
{
    lesson.SettenPt.x = TangentPointX(lesson, position);
    lesson.SettenPt.y = static_cast<float>(Fx(lesson, lesson.SettenPt.x));
}

int32_t TangentPositionNearest(const LessonState& lesson, double x)
{
    // The positions' x grow with the position, a step apart; the position
    // that the step gives is at most one off, so its neighbours settle it.
    const double step = static_cast<double>(lesson.ZahyoMax) / TangentStepDivisor(lesson.ZahyoMax);
    const double guess = 50 + (x - static_cast<double>(lesson.TenvoriPt.x)) / step;
    const auto centre = static_cast<int32_t>(std::clamp(std::round(guess), 0.0, 100.0));
    int32_t nearest = centre;
    for (int32_t position = std::max(centre - 1, 0); position <= std::min(centre + 1, 100);
         ++position) {
        if (std::fabs(TangentPointX(lesson, position) - x) <
            std::fabs(TangentPointX(lesson, nearest) - x))
            nearest = position;
    }
    return nearest;
}
