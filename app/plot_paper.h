#pragma once

#include "lesson/lesson_state.h"

#include <QString>

class QWidget;

// The plot copied, saved and printed from the window (Ctrl+C, Ctrl+S,
// Ctrl+P and the plot's menu), each from the core's drawing of it
// (plot/plot_svg.h) in the window's palette.

// The picture as PNG and SVG and the caption as text on the clipboard, so
// that it pastes into a word processor, a slide or a note. False where the
// desktop's clipboard did not take it.
bool CopyPlotPicture(const LessonState& lesson, bool highContrast);

// The picture written to `path`, SVG where the name ends in .svg and PNG
// otherwise; false with the reason where it could not be written (nothing
// is left behind then).
bool SavePlotPicture(const QString& path, const LessonState& lesson, bool highContrast,
                     QString* error);

// The desktop's save dialog (Qt's, which follows the desktop's portal), in
// the pictures folder with the equation as the name; empty where the pupil
// cancelled.
QString AskPictureFile(QWidget* parent, const LessonState& lesson);

// The print dialog, with a tab for the plot's width in cm and for touch
// reading (`touchReader` in and out), and the plot printed where the pupil
// prints. False where the dialog was cancelled or the printer failed.
bool PrintPlotDialog(QWidget* parent, const LessonState& lesson, bool highContrast,
                     bool& touchReader);
