#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A lesson as a link, so that a teacher can hand out the curve on the
// projector: what a pupil would have keyed in, written after the page's
// address behind "#", which a browser never sends to the server. It reads
// as it is typed, "a=1&b=0&c=-3&d=0" for y = x^3 - 3x, followed by what
// differs from a lesson just started: "zoom" and "point", the two sliders'
// positions (0..100), "tangents" (1 or 2), "chord" (0 or 1), "slope" (0 or
// 1, the slope curve), and "lang", a language for the pupil's device to
// open it in.
struct LessonLink {
    std::array<int32_t, 4> coefficients{1, 0, 0, 0}; // a..d, as the keypad enters them
    int32_t zoom = 51;                               // the zoom slider's position
    int32_t point = 50;                              // the tangent slider's position
    bool secondTangent = false;
    bool chord = false;
    bool slopeCurve = false;
    std::string lang; // empty: each device in its own language
    friend bool operator==(const LessonLink&, const LessonLink&) = default;
};

// The link's fragment, without "#": the same lesson always gives the same
// fragment, the coefficients first and then only what differs from a lesson
// just started.
std::string LinkFragment(const LessonLink& link);

// The lesson of a whole link ("https://…/#a=1&b=0&c=-3&d=0"), a fragment
// with or without its "#", or nothing when it holds none. Keys it does not
// know are passed over; a value it cannot take refuses the whole lesson
// (coefficients the keypad cannot enter: a from -9 to 9 but not 0, b, c and
// d from -9 to 9; a slider outside 0..100; a key given twice; anything but
// plain decimal digits with a leading "-"; a missing coefficient), so that
// no link opens half a lesson.
std::optional<LessonLink> ParseLessonLink(std::string_view link);
