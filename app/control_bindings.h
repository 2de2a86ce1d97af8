#pragma once

// The desktop window's side of the control table: each control's id bound to
// the member that holds its widget. Every row of the table has exactly one
// binding, in the table's order; the build checks it. Its events go to the
// session with its row (sessen_layout.cpp).

#include "controls/control_table.h"

#include <QRect>

#include <variant>

class QGroupBox;
class QLabel;
class QWidget;
class PaintBox;
class PushButton;
class ScrollNotifyBar;
class SpeedButton;
class TSessen_Form;
class ToggleButton;

// The member that holds the control; its alternatives stand in the order of
// ControlKind.
using ControlMember = std::variant<PaintBox * TSessen_Form::*, QLabel * TSessen_Form::*,
                                   ScrollNotifyBar * TSessen_Form::*, QGroupBox * TSessen_Form::*,
                                   PushButton * TSessen_Form::*, ToggleButton * TSessen_Form::*,
                                   SpeedButton * TSessen_Form::*>;

struct ControlBinding {
    const char* id;
    ControlMember member;
};

const ControlBinding& BindingOf(const ControlRow& row);

// The control of the row in the window.
QWidget* ControlOf(const TSessen_Form& form, const ControlRow& row);

inline QRect RectOf(const Place& place)
{
    return QRect(place.x, place.y, place.width, place.height);
}
