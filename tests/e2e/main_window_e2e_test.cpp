// The program's own windows as a user meets them at start: the splash, and a
// toolbar that the program's message loop keeps up to date.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "support/e2e_win.h"
#include "support/settings_sandbox.h"

namespace {

TEST(MainWindowE2e, TheSplashComesFirstAndGoesAndTheToolBarGreysOutWhatCannotRun) {
  SettingsSandbox sandbox;
  e2e::Process program;
  ASSERT_TRUE(program.Start("\"" + e2e::ProgramPath() + "\"", e2e::BinDir()))
      << "error " << program.StartError();
  // The splash: a dialog of the program without caption, above the others.
  HWND splash = nullptr;
  ASSERT_TRUE(e2e::WaitUntil(
      [&] {
        for (HWND window : e2e::FindWindows({"#32770", "", program.Id()})) {
          char caption[64] = "";
          GetWindowTextA(window, caption, sizeof caption);
          if (caption[0] == '\0' && (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
            splash = window;
          }
        }
        return splash != nullptr;
      },
      30000))
      << "no splash appeared";
  const DWORD seen = GetTickCount();
  HWND window = e2e::WaitForWindow({"#32770", "Larkspur32", program.Id()}, 30000);
  ASSERT_NE(window, nullptr);

  // Nothing scheduled and no default accounts: start and fetch are greyed.
  HWND bar = GetDlgItem(window, 59392);
  auto enabled = [&](int command) { return SendMessageA(bar, TB_ISBUTTONENABLED, command, 0) != 0; };
  EXPECT_TRUE(e2e::WaitUntil([&] { return !enabled(32771) && !enabled(32784); }, 5000));
  EXPECT_TRUE(enabled(32777));
  // Another process paints in its own time.
  e2e::WaitUntil([] { return false; }, 500);
  EXPECT_FALSE(e2e::SaveScreenshot(nullptr, "startup-screen").empty());

  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(splash); }, 8000)) << "the splash stayed";
  EXPECT_LE(GetTickCount() - seen, 4500u);
  EXPECT_TRUE(IsWindow(window));
  PostMessageA(window, WM_CLOSE, 0, 0);
  EXPECT_TRUE(program.WaitForExit(10000));
}

}  // namespace
