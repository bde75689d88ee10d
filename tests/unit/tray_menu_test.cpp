// What the tray icon offers in each state of the schedule and the settings sheet.
#include "app/tray_menu.h"

#include <gtest/gtest.h>

#include <tuple>

#include "res/resource.h"

namespace {

using Shown = std::vector<std::tuple<int, int, bool>>;  // command (0: separator), text, second half

Shown Items(bool armed, bool settingsOpen) {
  Shown shown;
  for (const TrayMenuItem& item : TrayMenuItems({armed, settingsOpen})) {
    shown.emplace_back(item.command, item.textId, item.secondHalf);
  }
  return shown;
}

TEST(TrayMenu, AnOpenSheetHidesSettingsAndExitAndTheTimerItemFollowsTheSchedule) {
  const std::tuple<int, int, bool> show{ID_SHOW_MAIN, IDS_SHOW_MAIN, false};
  const std::tuple<int, int, bool> settings{ID_SETTINGS, ID_SETTINGS, true};
  const std::tuple<int, int, bool> fetch{ID_FETCH, ID_FETCH, true};
  const std::tuple<int, int, bool> start{ID_TIMER_START, ID_TIMER_START, true};
  const std::tuple<int, int, bool> stop{ID_TIMER_STOP, ID_TIMER_STOP, true};
  const std::tuple<int, int, bool> exit{kCancelCommand, IDS_EXIT, true};
  const std::tuple<int, int, bool> about{IDM_ABOUTBOX, IDS_ABOUTBOX, false};
  const std::tuple<int, int, bool> line{0, 0, false};
  EXPECT_EQ(Items(false, false), (Shown{show, settings, line, fetch, line, start, line, exit, line, about}));
  EXPECT_EQ(Items(true, false), (Shown{show, settings, line, fetch, line, stop, line, exit, line, about}));
  EXPECT_EQ(Items(true, true), (Shown{show, line, fetch, line, stop, line, about}));
}

TEST(TrayMenu, DoubleClickNeverAsksForASecondSettingsSheet) {
  const struct {
    int setting;
    bool settingsOpen;
    int command;
  } cases[] = {{0, true, ID_SHOW_MAIN}, {1, false, ID_SETTINGS}, {1, true, 0},
               {2, true, ID_FETCH},     {3, false, 0},           {-1, false, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(TrayDoubleClickCommand(c.setting, c.settingsOpen), c.command) << c.setting;
  }
}

}  // namespace
