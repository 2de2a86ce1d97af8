#pragma once

#include "controls/control_table.h"

#include <QRect>
#include <QSize>

// Presentation mode shows the whole 1024 x 768 lesson full screen, every
// control, character and line drawn that many times larger.

// The window the lesson is laid out for.
inline constexpr QSize kLessonWindow{kWindowWidth, kWindowHeight};

// The largest factor by which the lesson fits a screen of this size (in the
// screen's own logical pixels), keeping its proportions.
qreal PresentationFactor(QSize screen);

// A place of the layout at `factor` times its size. Its edges are scaled
// and rounded each on its own, so controls that touch still touch.
QRect ScaledPlace(QRect place, qreal factor);
