#include "lesson/tangent_toggles.h"

#include "lesson/colors.h"

namespace {
ToggleLook ChordLook(const LessonState& lesson)
{
    const bool on = lesson.HojosenAri;
    return ToggleLook{ChordCaption(on), on ? Bgr::Purple : Bgr::Blue, lesson.SessenSu2};
}

ToggleLook SecondTangentLook(const LessonState& lesson)
{
    const bool on = lesson.SessenSu2;
    return ToggleLook{SecondTangentCaption(on), on ? Bgr::Purple : Bgr::Blue, true};
}
} // namespace

ToggleLooks ResetToggles(LessonState& lesson)
{
    lesson.SessenSu2 = false;
    lesson.HojosenAri = false;
    lesson.DoukansuAri = false;
    return ToggleLooks{ToggleLook{std::string(Translated(kOneTangentAtReset)), Bgr::Blue, true},
                       ChordLook(lesson)};
}

ToggleLooks ToggleSecondTangent(LessonState& lesson)
{
    lesson.SessenSu2 = !lesson.SessenSu2;
    if (!lesson.SessenSu2)
        lesson.HojosenAri = false;
    return ToggleLooks{SecondTangentLook(lesson), ChordLook(lesson)};
}

ToggleLooks ToggleChord(LessonState& lesson)
{
    // The chord button is hidden while one tangent shows; should a click
    // reach it anyway, the chord stays off.
    if (lesson.SessenSu2)
        lesson.HojosenAri = !lesson.HojosenAri;
    return ToggleLooks{SecondTangentLook(lesson), ChordLook(lesson)};
}
