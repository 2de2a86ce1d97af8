#pragma once

#include <QIcon>
#include <QString>

// How the program is known on the desktop. The desktop entry, the icons and
// the AppStream metainfo are installed under this id (packaging/), and the
// program names it as its desktop file so that a task bar matches the running
// window to its menu entry and icon.
inline constexpr char kDesktopFileName[] = "org.tavrine.Tavrine";

// The program's icon in every size it is installed in, for the window's frame
// and the task bar.
QIcon ProgramIcon();
