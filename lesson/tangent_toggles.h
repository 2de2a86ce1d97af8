#pragma once

#include "lesson/catalogue.h"
#include "lesson/lesson_state.h"

#include <string>

// How one of the two toggle buttons looks: caption (UTF-8), caption colour
// (0xBBGGRR) and whether it is shown.
struct ToggleLook {
    std::string caption;
    uint32_t color = 0;
    bool visible = true;
    friend bool operator==(const ToggleLook&, const ToggleLook&) = default;
};

// The captions the lesson reset writes: the plain digit of "接 線 1 本" is
// the reset's own, the toggles write the full-width "１" and "２".
inline constexpr const char* kOneTangentAtReset = "接 線 1 本";
inline constexpr const char* kOneTangent = "接 線 １ 本";
inline constexpr const char* kTwoTangents = "接 線 ２ 本";
inline constexpr const char* kChordOff = "補助線なし";
inline constexpr const char* kChordOn = "補助線あり";

// The chord button's caption while the chord is on or off, in the pupil's
// language; also what is said of the chord when it is switched.
inline std::string ChordCaption(bool on)
{
    return std::string(Translated(on ? kChordOn : kChordOff));
}

// The second tangent's button while it shows one or two tangents.
inline std::string SecondTangentCaption(bool on)
{
    return std::string(Translated(on ? kTwoTangents : kOneTangent));
}

struct ToggleLooks {
    ToggleLook secondTangent; // "接 線 … 本"
    ToggleLook chord;         // "補助線…"
};

// The looks right after the lesson reset: one tangent, with the plain digit
// the reset writes, and the chord button hidden.
ToggleLooks ResetToggles(LessonState& lesson);

// "接 線 １ 本" <-> "接 線 ２ 本". Switching the second tangent off also
// switches the chord off, so the chord is never on without it.
ToggleLooks ToggleSecondTangent(LessonState& lesson);

// "補助線なし" <-> "補助線あり".
ToggleLooks ToggleChord(LessonState& lesson);
