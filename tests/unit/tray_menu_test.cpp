// The tray icon's menu items by state, and what a double-click issues.
#include <gtest/gtest.h>

#include <vector>

#include "app/tray_menu.h"
#include "res/resource.h"

namespace {

std::vector<int> Commands(const TrayMenuState& state) {
  std::vector<int> commands;
  for (const TrayMenuItem& item : TrayMenuItems(state)) {
    commands.push_back(item.command);
  }
  return commands;
}

TEST(TrayMenu, ItemsFollowTheArmedStateAndLeaveOutSettingsAndExitWhileTheSheetIsOpen) {
  struct Case {
    TrayMenuState state;
    std::vector<int> commands;
  };
  const Case cases[] = {
      {{false, false},
       {ID_SHOW_MAIN, ID_SETTINGS, 0, ID_FETCH, 0, ID_TIMER_START, 0, kCancelCommand, 0, IDM_ABOUTBOX}},
      {{true, false},
       {ID_SHOW_MAIN, ID_SETTINGS, 0, ID_FETCH, 0, ID_TIMER_STOP, 0, kCancelCommand, 0, IDM_ABOUTBOX}},
      {{false, true}, {ID_SHOW_MAIN, 0, ID_FETCH, 0, ID_TIMER_START, 0, IDM_ABOUTBOX}},
      {{true, true}, {ID_SHOW_MAIN, 0, ID_FETCH, 0, ID_TIMER_STOP, 0, IDM_ABOUTBOX}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Commands(c.state), c.commands)
        << "armed " << c.state.armed << ", settings open " << c.state.settingsOpen;
  }
}

TEST(TrayMenu, DoubleClickIssuesTheConfiguredCommand) {
  struct Case {
    int setting;
    bool settingsOpen;
    int command;
  };
  const Case cases[] = {
      {0, false, ID_SHOW_MAIN}, {0, true, ID_SHOW_MAIN}, {1, false, ID_SETTINGS}, {1, true, 0},
      {2, false, ID_FETCH},     {2, true, ID_FETCH},     {3, false, 0},           {-1, false, 0},
      {258, false, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TrayDoubleClickCommand(c.setting, c.settingsOpen), c.command)
        << "setting " << c.setting << ", settings open " << c.settingsOpen;
  }
}

}  // namespace
