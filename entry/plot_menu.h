#pragma once

#include "controls/key_table.h"
#include "entry/lesson_share.h"

// The desktop plot's context menu. Each entry does what its key does (the
// key table's row for the command, which the menu also names beside the
// caption), so the menu and the key are one way into the lesson.
struct PlotMenuEntry {
    KeyCommand command;
    const char* caption; // in Japanese, as the catalogue translates it
};

inline constexpr PlotMenuEntry kPlotMenu[] = {
    {KeyCommand::Share, kShareTitle},
};
