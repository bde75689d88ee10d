// Start-up and end of the program as a user meets them: the splash, the main
// window disarmed, one instance only, and each way of ending it.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "res/resource.h"
#include "support/e2e_win.h"
#include "support/settings_sandbox.h"

namespace {

// The splash: a dialog of the program without caption, above the others.
HWND FindSplash(DWORD processId) {
  for (HWND window : e2e::FindWindows({"#32770", "", processId})) {
    char caption[64] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (caption[0] == '\0' && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
      return window;
    }
  }
  return nullptr;
}

TEST(Startup, TheSplashGoesTheWindowWaitsDisarmedAndEachWayOfEndingEndsIt) {
  SettingsSandbox sandbox;
  const std::string command = "\"" + e2e::ProgramPath() + "\"";
  const struct {
    UINT message;
    WPARAM key;
  } ends[] = {{WM_CLOSE, 0}, {WM_KEYDOWN, VK_ESCAPE}, {WM_KEYDOWN, VK_RETURN}};
  for (const auto& end : ends) {
    SCOPED_TRACE(end.key);
    e2e::Process program;
    ASSERT_TRUE(program.Start(command, e2e::BinDir()));
    HWND splash = nullptr;
    ASSERT_TRUE(e2e::WaitUntil([&] { return (splash = FindSplash(program.Id())) != nullptr; }, 30000))
        << "no splash appeared";
    const DWORD seen = GetTickCount();
    HWND window = e2e::WaitForWindow({"#32770", "Larkspur32", program.Id()}, 30000);
    ASSERT_NE(window, nullptr);
    // Painted by now, as the main window came after it.
    if (end.message == WM_CLOSE) e2e::SaveScreenshot(splash, "splash");
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(splash); }, 8000)) << "the splash stayed";
    EXPECT_LE(GetTickCount() - seen, 4500u);
    if (end.message == WM_CLOSE) {
      // Nothing scheduled, no default accounts: the message loop's idle
      // updates grey start and fetch.
      EXPECT_EQ(e2e::ControlText(window, IDC_NEXT_TIME), "--:--");
      HWND bar = GetDlgItem(window, 59392);
      auto enabled = [&](int command) { return SendMessageA(bar, TB_ISBUTTONENABLED, command, 0) != 0; };
      EXPECT_TRUE(e2e::WaitUntil([&] { return !enabled(ID_TIMER_START) && !enabled(ID_FETCH); }, 5000));
      EXPECT_TRUE(enabled(ID_SETTINGS));

      // A second start ends at once, without a window, and leaves the first alone.
      e2e::Process second;
      ASSERT_TRUE(second.Start(command, e2e::BinDir()));
      bool showed = false;
      ASSERT_TRUE(e2e::WaitUntil(
          [&] {
            showed = showed || !e2e::FindWindows({"", "", second.Id()}).empty();
            return !second.IsRunning();
          },
          10000))
          << "the second start did not end";
      EXPECT_FALSE(showed);
      EXPECT_EQ(e2e::FindWindows({"#32770", "Larkspur32", 0}).size(), 1u);
      EXPECT_TRUE(IsWindowVisible(window));
    }
    PostMessageA(window, end.message, end.key, 0);
    ASSERT_TRUE(program.WaitForExit(10000)) << "the program did not end";
    EXPECT_EQ(program.ExitCode(), 0u);
  }
}

}  // namespace
