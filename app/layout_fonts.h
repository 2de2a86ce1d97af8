#pragma once

#include "controls/font_roles.h"

#include <QFont>

// The face of a font role at its character height in pixels, times `scale`
// when the whole layout is drawn larger.
QFont MakeFont(FontRole role, qreal scale = 1);
