// The tray icon, its menu, and the about box.
#include <cstdlib>
#include <string>

#include "main_window_rig.h"
#include "schedule/schedule.h"
#include "support/ui_script_win.h"

namespace {

using TrayTest = MainWindowTest;

// With the icon the window stays hidden until asked for. The menu opens where
// the notice says the mouse was, which the cursor may have left by the time
// the notice is handled.
TEST_F(TrayTest, TheIconHidesTheWindowAndItsMenuOpensWhereTheClickWas) {
  CSchedule schedule;
  schedule.Day(1).AddEntry(8, 30, {"能力"}, 0);
  ASSERT_TRUE(schedule.Save());
  WriteRootDword("TaskTray", 1);
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(IconPresent(window_)) << "the icon was not installed";
  ShowWindow(window_, SW_SHOW);
  EXPECT_FALSE(IsWindowVisible(window_));
  Command(ID_TIMER_START);
  PostMessageA(window_, WM_TRAY_NOTIFY, ID_TRAY_ICON, WM_LBUTTONDOWN);
  MSG notice{};
  ASSERT_TRUE(PeekMessageA(&notice, window_, WM_TRAY_NOTIFY, WM_TRAY_NOTIFY, PM_REMOVE));
  // Far from the click, so a menu that followed the cursor would show it.
  SetCursorPos(notice.pt.x > 400 ? 100 : 700, notice.pt.y > 300 ? 100 : 500);
  RECT shown{};
  UINT stopState = 0;
  const auto menu = [] { return FindWindowA("#32768", nullptr); };
  ui::Script script(10000);
  script.When("a pop-up menu", [&] { return IsWindowVisible(menu()) != FALSE; }, [&] {
    GetWindowRect(menu(), &shown);
    stopState = GetMenuState(reinterpret_cast<HMENU>(SendMessageA(menu(), MN_GETHMENU, 0, 0)), ID_TIMER_STOP, 0);
    e2e::SaveScreenshot(menu(), "tray-menu");
    EndMenu();
  });
  script.Start();
  DispatchMessageA(&notice);
  ASSERT_EQ(script.Failure(), "");
  EXPECT_EQ(stopState, 0u) << "no plain stop item in the armed state";
  // A corner of the menu at the click; which one depends on the room the screen leaves.
  EXPECT_TRUE(shown.left == notice.pt.x || shown.right == notice.pt.x) << shown.left << " " << notice.pt.x;
  EXPECT_TRUE(shown.top == notice.pt.y || shown.bottom == notice.pt.y) << shown.top << " " << notice.pt.y;
  Command(ID_SHOW_MAIN);
  EXPECT_TRUE(IsWindowVisible(window_));
  SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(window_) || IsIconic(window_)) << "not minimised into the icon";
}

TEST_F(TrayTest, TheSystemMenuOpensTheCentredAboutBoxWithTheVersionLine) {
  ASSERT_NE(Open(), nullptr);
  std::string versionLine;
  RECT box{};
  ui::Script script(10000);
  script.OnDialog("Larkspur32 のﾊﾞｰｼﾞｮﾝ情報", [&](HWND about) {
    versionLine = e2e::ControlText(about, IDC_VERSION_LINE);
    GetWindowRect(about, &box);
    e2e::SaveScreenshot(about, "about-box");
    PostMessageA(about, WM_COMMAND, IDOK, 0);
  });
  script.Start();
  // The low four bits of a system command are the system's own.
  SendMessageA(window_, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
  ASSERT_EQ(script.Failure(), "");
  EXPECT_NE(GetMenuState(GetSystemMenu(window_, FALSE), IDM_ABOUTBOX, MF_BYCOMMAND), static_cast<UINT>(-1));
  EXPECT_EQ(versionLine, "LARKSPUR32 Version " LARKSPUR_TEST_VERSION);
  EXPECT_LE(std::abs(box.left + box.right - GetSystemMetrics(SM_CXSCREEN)), 1);
  EXPECT_LE(std::abs(box.top + box.bottom - GetSystemMetrics(SM_CYSCREEN)), 1);
}

}  // namespace
