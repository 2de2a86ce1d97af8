#pragma once

// The desktop window's side of the control table: each control's id bound to
// the member that holds its widget and to the handler its event runs. Every
// row of the table has exactly one binding, in the table's order; the build
// checks it.

#include "app/scroll_notify_bar.h"
#include "controls/control_table.h"

#include <QRect>

#include <variant>

class QGroupBox;
class QLabel;
class QObject;
class QWidget;
class PaintBox;
class PushButton;
class SpeedButton;
class TSessen_Form;
class ToggleButton;

// The member that holds the control; its alternatives stand in the order of
// ControlKind.
using ControlMember = std::variant<PaintBox * TSessen_Form::*, QLabel * TSessen_Form::*,
                                   ScrollNotifyBar * TSessen_Form::*, QGroupBox * TSessen_Form::*,
                                   PushButton * TSessen_Form::*, ToggleButton * TSessen_Form::*,
                                   SpeedButton * TSessen_Form::*>;

using ClickHandler = void (TSessen_Form::*)(QObject*);
using ScrollHandler = void (TSessen_Form::*)(QObject*, ScrollCode, int&);
using ControlHandler = std::variant<std::monostate, ClickHandler, ScrollHandler>;

struct ControlBinding {
    const char* id;
    ControlMember member;
    ControlHandler handler;
};

const ControlBinding& BindingOf(const ControlRow& row);

// The control of the row in the window.
QWidget* ControlOf(const TSessen_Form& form, const ControlRow& row);

inline QRect RectOf(const Place& place)
{
    return QRect(place.x, place.y, place.width, place.height);
}
