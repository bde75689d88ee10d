// What the tray icon offers: the items of its pop-up menu, which depend on
// whether the schedule is armed and whether the settings sheet is open, and
// what a double-click does.
#pragma once

#include <vector>

struct TrayMenuState {
  bool armed = false;
  bool settingsOpen = false;
};

struct TrayMenuItem {
  int command;        // 0: a separator
  int textId;         // string resource of the item's text
  bool secondHalf;    // the text is the second half of a command's string
};

// The dialog's Cancel command, which the exit item sends.
inline constexpr int kCancelCommand = 2;

std::vector<TrayMenuItem> TrayMenuItems(const TrayMenuState& state);

// The command a double-click on the icon issues for the "RDoubleClk" setting:
// ID_SHOW_MAIN, ID_SETTINGS or ID_FETCH, or 0 for nothing. The settings sheet
// is never asked for while it is open.
int TrayDoubleClickCommand(int setting, bool settingsOpen);
