// The tray icon's pop-up menu as a menu of the system.
#pragma once

#include <windows.h>

#include "app/tray_menu.h"

// A new pop-up menu with the items for state; the caller destroys it.
HMENU BuildTrayMenu(const TrayMenuState& state);

// Shows the menu at the point with owner receiving the chosen command, and
// returns when it has closed.
void ShowTrayMenu(HWND owner, POINT at, const TrayMenuState& state);
