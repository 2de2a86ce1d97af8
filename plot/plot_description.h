#pragma once

#include "lesson/extended.h"
#include "lesson/lesson_state.h"

#include <string>

// The plot put into words, for a pupil who cannot see it: a screen reader
// reads it as the plot's description, and the window speaks parts of it after
// each change. Texts are Japanese, in UTF-8. Numbers are rounded to two
// decimals for reading; the lesson's values are not touched.
//
// Each part is one sentence without its closing "。"; a part that does not
// apply (the second tangent while it is off) is empty.
struct PlotReading {
    std::string equation;      // 曲線 y=x^3-3x^2
    std::string range;         // 表示範囲 x、y とも -10 から 10
    std::string inflection;    // 変曲点 (1, -2), or that it lies outside the view
    std::string tangent;       // tangent point, slope and tangent, or why it is hidden
    std::string secondTangent; // the tangent at the symmetric point, while shown
    std::string chord;         // the chord joining the two points, while shown
};

PlotReading ReadPlot(const LessonState& lesson);

// Every part of the reading, each closed with "。".
std::string PlotDescription(const LessonState& lesson);

// What changed, said right after the change: the new state first, then the
// parts of the plot it moved.
enum class LessonChange {
    Confirmed,     // "決定" took a coefficient: the new equation and the whole plot
    SecondTangent, // the toggle of the second tangent
    Chord,         // the toggle of the chord
    Zoom,          // the zoom slider came to rest
    TangentPoint,  // the tangent point slider came to rest
};

std::string ChangeAnnouncement(const LessonState& lesson, LessonChange change);

// A number for reading: rounded once to hundredths, half away from zero,
// from the exact value; no trailing zeros, no "-0".
std::string ReadableNumber(Extended value);
