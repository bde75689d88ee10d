// The program's own windows as a user meets them: the splash while it starts,
// and a toolbar that its message loop keeps up to date.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "support/e2e_win.h"
#include "support/settings_sandbox.h"

namespace {

constexpr DWORD kStartBound = 30000;
constexpr int kToolBarId = 59392;
constexpr int kTimerStart = 32771;
constexpr int kFetch = 32784;
constexpr int kClockHide = 32777;

class MainWindowE2eTest : public ::testing::Test {
 protected:
  HWND Start() {
    EXPECT_TRUE(program_.Start("\"" + e2e::ProgramPath() + "\"", e2e::BinDir()));
    HWND window = e2e::WaitForWindow({"#32770", "Larkspur32", program_.Id()}, kStartBound);
    EXPECT_NE(window, nullptr) << "no main window within 30 s";
    return window;
  }

  SettingsSandbox sandbox_;
  e2e::Process program_;
};

// The splash: a dialog of the program without caption, above the others.
HWND FindSplash(DWORD processId) {
  for (HWND window : e2e::FindWindows({"#32770", "", processId})) {
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (caption[0] == '\0' && IsWindowVisible(window) &&
        (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
      return window;
    }
  }
  return nullptr;
}

TEST_F(MainWindowE2eTest, TheSplashShowsWhileTheProgramStartsAndGoesAfterFourSeconds) {
  ASSERT_TRUE(program_.Start("\"" + e2e::ProgramPath() + "\"", e2e::BinDir()));
  HWND splash = nullptr;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (splash = FindSplash(program_.Id())) != nullptr; }, kStartBound))
      << "no splash appeared";
  const DWORD seen = GetTickCount();
  RECT rect{};
  GetWindowRect(splash, &rect);
  EXPECT_EQ(rect.right - rect.left, 312);
  EXPECT_EQ(rect.bottom - rect.top, 132 + 30);
  HWND window = e2e::WaitForWindow({"#32770", "Larkspur32", program_.Id()}, kStartBound);
  ASSERT_NE(window, nullptr);
  // Both windows belong to another process, which paints them in its own time.
  e2e::WaitUntil([] { return false; }, 700);
  EXPECT_FALSE(e2e::SaveScreenshot(nullptr, "startup-screen").empty());

  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(splash); }, 8000)) << "the splash stayed";
  EXPECT_LE(GetTickCount() - seen, 4500u);
  EXPECT_TRUE(IsWindow(window));
  EXPECT_TRUE(program_.IsRunning());
}

TEST_F(MainWindowE2eTest, TheToolBarFollowsTheScheduleAndTheDefaultAccounts) {
  struct Case {
    bool configured;
    bool enabled;
  };
  for (const Case c : {Case{false, false}, Case{true, true}}) {
    SettingsSandbox clean;
    if (c.configured) {
      CSchedule schedule;
      schedule.Day(5).AddEntry(7, 5, {"ソフト"}, 0);
      ASSERT_TRUE(schedule.Save());
      CSettingsKey root;
      CRegistryKey list;
      CRegistryKey item;
      ASSERT_TRUE(list.Create(root, "DefAccount"));
      ASSERT_TRUE(item.Create(list, "account0"));
      item.WriteString(nullptr, "ソフト");
    }
    HWND window = Start();
    ASSERT_NE(window, nullptr);
    HWND bar = GetDlgItem(window, kToolBarId);
    ASSERT_NE(bar, nullptr);
    auto enabled = [&](int command) { return SendMessageA(bar, TB_ISBUTTONENABLED, command, 0) != 0; };
    EXPECT_TRUE(e2e::WaitUntil(
        [&] { return enabled(kTimerStart) == c.enabled && enabled(kFetch) == c.enabled; }, 5000))
        << "configured " << c.configured;
    EXPECT_TRUE(enabled(kClockHide));
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program_.WaitForExit(10000));
  }
}

}  // namespace
