#pragma once

#include "lesson/lesson_state.h"

#include <string>
#include <string_view>
#include <vector>

// What goes beneath the plot wherever it leaves the screen: on paper, in a
// saved or copied picture, and as the text copied with it. One line each, in
// the lesson's language, the equations written as the window writes them:
// the curve's equation; while shown, the tangent's, the symmetric tangent's
// and the slope curve's; and the grid's unit, with its length on paper where
// the picture has one (paperCm > 0).
std::vector<std::string> PlotCaption(const LessonState& lesson, double gridStep = 1,
                                     double paperCm = 0);

// The caption's lines as one text, a line each, for the clipboard.
std::string PlotCaptionText(const LessonState& lesson);

// A file name for the lesson's picture: its equation and the extension
// ("y=x^3-3x.svg"). The equation holds nothing a file name may not.
std::string PlotFileName(const LessonState& lesson, std::string_view extension);

// The caption's words as the catalogue holds them, in Japanese.
inline constexpr const char* kTangentCaption = "接線 {1}";
inline constexpr const char* kSecondTangentCaption = "対称な点での接線 {1}";
inline constexpr const char* kSlopeCurveCaptionLine = "傾きの曲線 {1}";
inline constexpr const char* kGridCaption = "1 目盛り = {1}";
inline constexpr const char* kGridOnPaperCaption = "1 目盛り = {1}（紙の上で {2} cm）";
