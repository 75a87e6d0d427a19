// The program's icon, the one its menu entry shows: on every window of the program
// and, through the window manager, in the desktop's task list.
#pragma once

#include <QIcon>

namespace trackdeck {

// The icon in every size it is drawn in.
[[nodiscard]] QIcon ProgramIcon();

// Makes it the icon of every window of the program, and names the menu entry the
// windows belong to, for the desktops that find a window's entry by that name.
void UseProgramIcon();

}  // namespace trackdeck
