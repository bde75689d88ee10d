// The tray icon, its menu and double-click, the system menu and the about box.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "app/tray_menu_win.h"
#include "main_window_rig.h"
#include "res/resource.h"
#include "schedule/schedule.h"
#include "support/e2e_win.h"
#include "support/modal_stepper_win.h"

namespace {

void TrayMouse(HWND window, UINT mouseMessage) {
  SendMessageA(window, WM_TRAY_NOTIFY, ID_TRAY_ICON, static_cast<LPARAM>(mouseMessage));
}

// "id text" per item, "-" for a separator, marked when not plainly enabled.
std::vector<std::string> ReadMenu(HMENU menu) {
  std::vector<std::string> items;
  for (int i = 0; i < GetMenuItemCount(menu); ++i) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    char text[256] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    const bool plain = (state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) == 0;
    items.push_back((state & MF_SEPARATOR) != 0 ? "-"
                    : std::to_string(GetMenuItemID(menu, i)) + " " + text + (plain ? "" : " (not plain)"));
  }
  return items;
}

using TrayTest = MainWindowTest;

TEST_F(TrayTest, WithTheIconTheWindowStaysHiddenUntilTheUserAsksForIt) {
  WriteRootDword("TaskTray", 1);
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(IconPresent(window_)) << "the icon was not installed";
  for (int round = 0; round < 2; ++round) {
    EXPECT_FALSE(IsWindowVisible(window_)) << round;
    ShowWindow(window_, SW_SHOW);
    SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
    EXPECT_FALSE(IsWindowVisible(window_)) << round;
    Command(ID_SHOW_MAIN);
    EXPECT_TRUE(IsWindowVisible(window_)) << round;
    // Minimising hides it behind the icon again.
    SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    EXPECT_FALSE(IsIconic(window_)) << round;
  }
  HWND old = window_;
  Close();
  EXPECT_FALSE(IconPresent(old)) << "the icon stayed after the window closed";

  // Without the icon, minimising minimises.
  WriteRootDword("TaskTray", 0);
  ASSERT_NE(Open(), nullptr);
  EXPECT_FALSE(IconPresent(window_));
  SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(window_));
}

TEST_F(TrayTest, DoubleClickingTheIconDoesWhatRDoubleClkSays) {
  const struct {
    int setting;
    bool shown;
    int posted;
  } cases[] = {{0, true, 0}, {1, false, ID_SETTINGS}, {2, false, ID_FETCH}, {3, false, 0}};
  for (const auto& c : cases) {
    WriteRootDword("TaskTray", 1);
    WriteRootDword("RDoubleClk", c.setting);
    ASSERT_NE(Open(), nullptr);
    TrayMouse(window_, WM_LBUTTONDBLCLK);
    TrayMouse(window_, WM_RBUTTONDOWN);
    EXPECT_EQ(IsWindowVisible(window_) != FALSE, c.shown) << c.setting;
    EXPECT_EQ(TakePostedCommand(), c.posted) << c.setting;
    EXPECT_EQ(TakePostedCommand(), 0) << c.setting;
    Close();
  }
}

TEST_F(TrayTest, ThePopUpMenuListsItsItemsInOrderAndShowsWhereTheMouseWas) {
  const std::string show = std::to_string(ID_SHOW_MAIN) + " メイン画面表示";
  const std::string settings = std::to_string(ID_SETTINGS) + " 設定";
  const std::string fetch = std::to_string(ID_FETCH) + " 取り込み";
  const std::string start = std::to_string(ID_TIMER_START) + " ﾀｲﾏｰｽﾀｰﾄ";
  const std::string stop = std::to_string(ID_TIMER_STOP) + " ﾀｲﾏｰｽﾄｯﾌﾟ";
  const std::string exit = std::to_string(IDCANCEL) + " 終了";
  const std::string about = std::to_string(IDM_ABOUTBOX) + " ﾊﾞｰｼﾞｮﾝ情報(Larkspur32) (&A)...";
  const struct {
    TrayMenuState state;
    std::vector<std::string> items;
  } cases[] = {
      {{false, false}, {show, settings, "-", fetch, "-", start, "-", exit, "-", about}},
      {{true, false}, {show, settings, "-", fetch, "-", stop, "-", exit, "-", about}},
      {{false, true}, {show, "-", fetch, "-", start, "-", about}},
  };
  for (const auto& c : cases) {
    HMENU menu = BuildTrayMenu(c.state);
    EXPECT_EQ(ReadMenu(menu), c.items) << c.state.armed << " " << c.state.settingsOpen;
    DestroyMenu(menu);
  }

  // The menu the icon opens follows the armed state.
  CSchedule schedule;
  schedule.Day(1).AddEntry(8, 30, {"能力"}, 0);
  schedule.Save();
  WriteRootDword("TaskTray", 1);
  ASSERT_NE(Open(), nullptr);
  Command(ID_TIMER_START);
  // The notice carries where the mouse was when it was sent; by the time it
  // is handled the cursor has gone elsewhere, which the menu must not follow.
  PostMessageA(window_, WM_TRAY_NOTIFY, ID_TRAY_ICON, WM_LBUTTONDOWN);
  MSG notice{};
  ASSERT_TRUE(PeekMessageA(&notice, window_, WM_TRAY_NOTIFY, WM_TRAY_NOTIFY, PM_REMOVE));
  SetCursorPos(notice.pt.x > 400 ? 100 : 700, notice.pt.y > 300 ? 100 : 500);
  RECT shown{};
  std::vector<std::string> items;
  ModalStepper stepper(
      [&] {
        HWND menu = FindWindowA("#32768", nullptr);
        if (menu == nullptr || !IsWindowVisible(menu)) {
          return false;
        }
        GetWindowRect(menu, &shown);
        items = ReadMenu(reinterpret_cast<HMENU>(SendMessageA(menu, MN_GETHMENU, 0, 0)));
        e2e::SaveScreenshot(menu, "tray-menu");
        EndMenu();
        return true;
      },
      10000);
  DispatchMessageA(&notice);
  ASSERT_TRUE(stepper.Done()) << "no pop-up menu appeared";
  EXPECT_EQ(items, cases[1].items);
  EXPECT_EQ(shown.left, notice.pt.x);
  EXPECT_EQ(shown.top, notice.pt.y);
}

TEST_F(TrayTest, TheSystemMenuOpensTheCentredAboutBoxWithTheVersionLine) {
  ASSERT_NE(Open(), nullptr);
  const std::vector<std::string> items = ReadMenu(GetSystemMenu(window_, FALSE));
  ASSERT_GE(items.size(), 2u);
  EXPECT_EQ(items[items.size() - 2], "-");
  EXPECT_EQ(items.back(), std::to_string(IDM_ABOUTBOX) + " ﾊﾞｰｼﾞｮﾝ情報(Larkspur32) (&A)...");

  std::string versionLine;
  RECT box{};
  ModalStepper stepper(
      [&] {
        HWND about = FindOwnDialog("Larkspur32 のﾊﾞｰｼﾞｮﾝ情報");
        if (about == nullptr) {
          return false;
        }
        char line[256] = "";
        GetDlgItemTextA(about, IDC_VERSION_LINE, line, sizeof line);
        versionLine = line;
        GetWindowRect(about, &box);
        e2e::SaveScreenshot(about, "about-box");
        PostMessageA(about, WM_COMMAND, IDOK, 0);
        return true;
      },
      10000);
  // The low four bits of a system command are the system's own.
  SendMessageA(window_, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
  ASSERT_TRUE(stepper.Done()) << "no about box appeared";
  EXPECT_EQ(versionLine, "LARKSPUR32 Version " LARKSPUR_TEST_VERSION);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_LE(std::abs(box.left + box.right - desktop.right), 1);
  EXPECT_LE(std::abs(box.top + box.bottom - desktop.bottom), 1);
}

}  // namespace
