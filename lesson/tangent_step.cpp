#include "lesson/tangent_step.h"

#include "lesson/curve.h"

#include <array>

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

void MoveTangentPoint(LessonState& lesson, int32_t position)
{
    lesson.SettenPt.x = TangentPointXOf<Extended>(
        position, lesson.ZahyoMax, TangentStepDivisor(lesson.ZahyoMax), lesson.TenvoriPt.x);
    lesson.SettenPt.y = static_cast<float>(Fx(lesson, lesson.SettenPt.x));
}
