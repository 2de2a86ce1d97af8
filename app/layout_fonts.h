#pragma once

#include "controls/font_roles.h"

#include <QFont>

// The face of a font role at its character height in pixels, times `scale`
// when the whole layout is drawn larger.
QFont MakeFont(FontRole role, qreal scale = 1);

struct ControlRow;

// The face of a control's captions: its role's, made smaller where its widest
// caption in the pupil's language would not fit the control otherwise.
QFont CaptionFont(const ControlRow& row, qreal scale = 1);
