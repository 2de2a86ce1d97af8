#pragma once

#include "controls/control_table.h"

// What a screen reader is told each kind of control is, the same in both
// editions: the desktop gives its widgets these roles on the AT-SPI bus, the
// page its elements the matching ARIA roles.
enum class ControlRole {
    Image,    // the plot, described by its reading
    Text,     // a label
    Slider,   // a scroll bar with its value
    Group,    // a panel that labels its children
    Button,   // a key or "終　了"
    CheckBox, // the selectors and the two toggles: a check box is the role
              // whose on or off every screen reader speaks; a checkable push
              // button is announced as a plain button on the AT-SPI bus
};

constexpr ControlRole RoleOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Plot:
        return ControlRole::Image;
    case ControlKind::Label:
        return ControlRole::Text;
    case ControlKind::Slider:
        return ControlRole::Slider;
    case ControlKind::GroupBox:
        return ControlRole::Group;
    case ControlKind::PushButton:
        return ControlRole::Button;
    case ControlKind::Toggle:
    case ControlKind::Selector:
        return ControlRole::CheckBox;
    }
    return ControlRole::Image;
}
