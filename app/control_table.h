#pragma once

// The window's 32 controls, one row each: everything the layout, the keyboard
// order, the event wiring and the screen reader need to know about a control
// sits in its row, so that a change to a control is a change to one row.
// LayoutBuilder (sessen_layout.cpp) builds the window from the rows, and the
// accessibility (accessible_names.cpp) names the controls and links them from
// the same rows.

#include "app/layout_fonts.h"
#include "app/scroll_notify_bar.h"
#include "plot/plot_description.h"

#include <QRect>

#include <optional>
#include <span>
#include <variant>
#include <vector>

class QGroupBox;
class QLabel;
class QObject;
class QWidget;
class PaintBox;
class PushButton;
class SpeedButton;
class TSessen_Form;
class ToggleButton;

// Where a control is placed; its rectangle is relative to this parent.
enum class Parent {
    Window,    // the window's client area
    GroupBox1, // the keypad, "条件入力ボタン"
    GroupBox2, // the coefficient panel, "曲線の条件"
};

enum class Background {
    None,              // the control draws its own
    WindowBackground,  // the window's money green
    TooltipBackground, // the desktop's tooltip colour
};

// How a screen reader names a control.
enum class NameKind {
    Fixed,    // the name as written
    LiveText, // the name as a lead, followed by the text the control shows
};

// What the window says after the control's event, beyond what the control
// itself shows.
enum class Spoken {
    Nothing,
    Entry,  // a key or selector: the coefficient being typed
    Lesson, // a toggle, a slider at rest or "決定": what changed in the plot
};

// The member that holds the control; its type is the control's kind.
using ControlMember = std::variant<PaintBox * TSessen_Form::*, QLabel * TSessen_Form::*,
                                   ScrollNotifyBar * TSessen_Form::*, QGroupBox * TSessen_Form::*,
                                   PushButton * TSessen_Form::*, ToggleButton * TSessen_Form::*,
                                   SpeedButton * TSessen_Form::*>;

using ClickHandler = void (TSessen_Form::*)(QObject*);
using ScrollHandler = void (TSessen_Form::*)(QObject*, ScrollCode, int&);
using ControlHandler = std::variant<std::monostate, ClickHandler, ScrollHandler>;

inline constexpr int kNoTab = -1;

struct ControlRow {
    const char* objectName; // the member's name, also the widget's object name
    ControlMember member;
    Parent parent;
    QRect place;
    const char* text; // UTF-8 caption
    int position;     // a scroll bar's starting position
    std::optional<LayoutFont> font;
    Background background;
    Qt::Alignment alignment; // labels only
    int tab;                 // keyboard order within the parent; kNoTab: never focused
    ControlHandler handler;
    Spoken spoken;
    std::optional<LessonChange> change; // what the lesson announcement reports
    NameKind nameKind;
    const char* accessibleName;
    const char* accessibleDescription;
    const char* labelFor = nullptr; // object name of the control this one labels
};

// The rows in stacking order within each parent: where two controls touch,
// the later one is drawn over the earlier one. Every parent's row comes
// before its children's rows.
std::span<const ControlRow> ControlTable();

// The row of the control with this object name, or nullptr.
const ControlRow* FindControlRow(const char* objectName);

// The control of the row in the window.
QWidget* ControlOf(const TSessen_Form& form, const ControlRow& row);

// The controls that take the keyboard focus, in the window's Tab order: each
// group box's tab places its children in the order.
std::vector<const ControlRow*> KeyboardOrder();
