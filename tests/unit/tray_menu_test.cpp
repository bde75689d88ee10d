// What a double-click on the tray icon issues for each "RDoubleClk".
#include <gtest/gtest.h>

#include "app/tray_menu.h"
#include "res/resource.h"

namespace {

TEST(TrayMenu, DoubleClickIssuesTheConfiguredCommandButNeverASecondSettingsSheet) {
  const struct {
    int setting;
    bool settingsOpen;
    int command;
  } cases[] = {{0, false, ID_SHOW_MAIN}, {0, true, ID_SHOW_MAIN}, {1, false, ID_SETTINGS},
               {1, true, 0},             {2, true, ID_FETCH},     {3, false, 0},
               {-1, false, 0},           {258, false, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(TrayDoubleClickCommand(c.setting, c.settingsOpen), c.command)
        << c.setting << " " << c.settingsOpen;
  }
}

}  // namespace
