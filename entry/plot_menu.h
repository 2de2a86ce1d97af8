#pragma once

#include "controls/key_table.h"
#include "entry/lesson_paper.h"
#include "entry/lesson_session.h"
#include "entry/lesson_share.h"

// The desktop plot's context menu. Each entry does what its key does (the
// key table's row for the command, which the menu also names beside the
// caption), so the menu and the key are one way into the lesson.
struct PlotMenuEntry {
    KeyCommand command;
    const char* caption; // in Japanese, as the catalogue translates it
    // For an entry that shows something or not: the view's flag, which the
    // menu shows as its check mark.
    bool LessonView::*checked = nullptr;
};

// The slope curve's entry and its page's toggle, where no control stands:
// below the share button on the landscape stage, below the keypad on the
// upright one; and what a screen reader adds to it.
inline constexpr const char* kSlopeCurveCaption = "傾きの曲線";
inline constexpr const char* kSlopeCurveDescription =
    "接線の傾きを x ごとの高さにした曲線（導関数のグラフ）を、曲線に重ねて表示します（D キー）";
inline constexpr Place kSlopeCurveButtonPlace{868, 490, 144, 32};
inline constexpr Place kSlopeCurveButtonPortrait{330, 948, 175, 32};

inline constexpr PlotMenuEntry kPlotMenu[] = {
    {KeyCommand::SlopeCurve, kSlopeCurveCaption, &LessonView::slopeCurveOn},
    {KeyCommand::Share, kShareTitle},
    {KeyCommand::CopyPlot, kCopyPlotCaption},
    {KeyCommand::SavePlot, kSavePlotCaption},
    {KeyCommand::PrintPlot, kPrintPlotCaption},
    {KeyCommand::TouchPaper, kTouchPaperCaption, &LessonView::touchPaperOn},
};
