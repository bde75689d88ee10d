#include "app/tray_menu.h"

#include "res/resource.h"

std::vector<TrayMenuItem> TrayMenuItems(const TrayMenuState& state) {
  constexpr TrayMenuItem kSeparator{0, 0, false};
  std::vector<TrayMenuItem> items;
  items.push_back({ID_SHOW_MAIN, IDS_SHOW_MAIN, false});
  // A second settings sheet must not be started while one is open, nor the
  // program ended from under it.
  if (!state.settingsOpen) {
    items.push_back({ID_SETTINGS, ID_SETTINGS, true});
  }
  items.push_back(kSeparator);
  items.push_back({ID_FETCH, ID_FETCH, true});
  items.push_back(kSeparator);
  const int timer = state.armed ? ID_TIMER_STOP : ID_TIMER_START;
  items.push_back({timer, timer, true});
  items.push_back(kSeparator);
  if (!state.settingsOpen) {
    items.push_back({kCancelCommand, IDS_EXIT, true});
    items.push_back(kSeparator);
  }
  items.push_back({IDM_HISTORY, IDS_HISTORY, false});
  items.push_back({IDM_PENDING, IDS_PENDING, false});
  items.push_back({IDM_ABOUTBOX, IDS_ABOUTBOX, false});
  return items;
}

int TrayDoubleClickCommand(int setting, bool settingsOpen) {
  switch (setting) {
    case 0:
      return ID_SHOW_MAIN;
    case 1:
      return settingsOpen ? 0 : ID_SETTINGS;
    case 2:
      return ID_FETCH;
    default:
      return 0;
  }
}
