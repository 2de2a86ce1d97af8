#pragma once

#include "lesson/extended.h"
#include "lesson/lesson_state.h"

#include <string>
#include <vector>

// The plot put into words, for a pupil who cannot see it: a screen reader
// reads it as the plot's description, and the window speaks parts of it after
// each change. Texts are in the lesson's language, in UTF-8. Numbers are
// rounded to two decimals for reading; the lesson's values are not touched.
// Numbers and equations are said in words, as a teacher reads them aloud
// (lesson/spoken_math.h); the screen shows them as they are written.
//
// Each part is one sentence without its closing "。" (SentenceEnd()); a part
// that does not apply (the second tangent while it is off) is empty.
struct PlotReading {
    std::string equation;      // 曲線 y イコール x の 3 乗 マイナス 3 x の 2 乗
    std::string range;         // 表示範囲 x、y とも マイナス 10 から 10
    std::string inflection;    // 変曲点 (1, -2), or that it lies outside the view
    std::string tangent;       // tangent point, slope and tangent, or why it is hidden
    std::string secondTangent; // the tangent at the symmetric point, while shown
    std::string chord;         // the chord joining the two points, while shown
    std::string slopeCurve;    // the slope curve and where it is 0, while shown
    std::string slopePoint;    // its point under the tangent point, while shown
};

PlotReading ReadPlot(const LessonState& lesson);

// The reading's sentences as the catalogue holds them, in Japanese; {1}..{3}
// are filled with points, numbers and equations.
inline constexpr const char* kNoCurveYet = "曲線はまだありません";
inline constexpr const char* kCurveReading = "曲線 {1}";
inline constexpr const char* kRangeReading = "表示範囲 x、y とも {1} から {2}";
inline constexpr const char* kInflectionReading = "変曲点 {1}";
inline constexpr const char* kInflectionOutsideReading = "変曲点 {1} は表示範囲の外";
inline constexpr const char* kTangentHiddenReading =
    "接点 {1} が表示範囲から上下に離れすぎているため、接線は表示されていません";
inline constexpr const char* kTangentReading = "接点 {1}、傾き {2}、接線 {3}";
inline constexpr const char* kTangentOutsideReading =
    "接点 {1}（表示範囲の外）、傾き {2}、接線 {3}";
inline constexpr const char* kSecondTangentReading = "対称な点 {1} での接線 {2}";
inline constexpr const char* kChordReading = "補助線 {1} と {2} を結ぶ線分";
inline constexpr const char* kPointReading = "({1}, {2})";
inline constexpr const char* kSlopeCurveReading = "傾きの曲線 {1}、{2}";
inline constexpr const char* kSlopeZeroTwiceReading =
    "傾きが 0 になるのは x が {1} と {2} のときで、曲線はそこで向きを変える";
inline constexpr const char* kSlopeZeroOnceReading =
    "傾きが 0 になるのは x が {1} のときだけで、曲線は向きを変えない";
inline constexpr const char* kSlopeNeverZeroReading = "傾きは 0 にならず、曲線は向きを変えない";
inline constexpr const char* kSlopePointReading = "接点の傾きを高さで示す点 {1}";
inline constexpr const char* kSlopeCurveShownReading = "傾きの曲線を表示";
inline constexpr const char* kSlopeCurveHiddenReading = "傾きの曲線を非表示";
// What is said first when "決定" took the coefficients, and when the second
// tangent is switched.
inline constexpr const char* kConfirmedReading = "決定";
inline constexpr const char* kOneTangentReading = "接線 1 本";
inline constexpr const char* kTwoTangentsReading = "接線 2 本";

// Every part of the reading, each closed as the language closes a sentence.
std::string PlotDescription(const LessonState& lesson);

// What changed, said right after the change: the new state first, then the
// parts of the plot it moved.
enum class LessonChange {
    Confirmed,     // "決定" took a coefficient: the new equation and the whole plot
    SecondTangent, // the toggle of the second tangent
    Chord,         // the toggle of the chord
    Zoom,          // the zoom slider came to rest
    TangentPoint,  // the tangent point slider came to rest
    SlopeCurve,    // the slope curve shown or hidden (D)
};

std::string ChangeAnnouncement(const LessonState& lesson, LessonChange change);

// Where the slope curve y' = f'(x) is 0, in increasing order: the two x at
// which the curve turns, the one x where the slope only touches 0, or none.
// Formed in extended precision from the derivative's coefficients.
std::vector<Extended> SlopeZeros(const LessonState& lesson);

// The line through (x0, y0) with slope m as it is written, y=mx+k, with
// its numbers rounded as ReadableNumber rounds them ("y=3x-2", "y=-0.75x+1.5").
std::string LineEquation(float x0, float y0, Extended m);

// A number for reading: rounded once to hundredths, half away from zero,
// from the exact value; no trailing zeros, no "-0".
std::string ReadableNumber(Extended value);
