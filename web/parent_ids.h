#pragma once

#include "controls/control_table.h"

// The id of the control a row's place is relative to, in the order of
// Parent: none for the window's own controls, else its group box.
inline constexpr const char* kParentIds[] = {"", "GroupBox1", "GroupBox2"};

inline const char* ParentId(Parent parent)
{
    return kParentIds[static_cast<int>(parent)];
}
