// The tray icon, its menu and double-click, the system menu and the about box.
#include <windows.h>
#include <shellapi.h>

#include <cstdlib>
#include <cstring>

#include <string>
#include <vector>

#include "app/tray_menu_win.h"
#include "main_window_rig.h"
#include "res/resource.h"
#include "support/e2e_win.h"
#include "support/modal_stepper_win.h"

namespace {

constexpr DWORD kModalBound = 10000;

// True while the shell holds our icon for the window.
bool IconPresent(HWND window) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = ID_TRAY_ICON;
  data.uFlags = NIF_TIP;
  std::strcpy(data.szTip, "LARKSPUR32");
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

void TrayMouse(HWND window, UINT mouseMessage) {
  SendMessageA(window, WM_TRAY_NOTIFY, ID_TRAY_ICON, static_cast<LPARAM>(mouseMessage));
}

// "id text" per item, "-" for a separator: readable when a test fails.
std::vector<std::string> ReadMenu(HMENU menu) {
  std::vector<std::string> items;
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    const UINT state = GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
    if ((state & MF_SEPARATOR) != 0) {
      items.push_back("-");
      continue;
    }
    char text[256] = "";
    GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
    std::string item = std::to_string(GetMenuItemID(menu, i)) + " " + text;
    if ((state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) != 0) {
      item += " (not plain)";
    }
    items.push_back(item);
  }
  return items;
}

std::string Item(int command, const std::string& text) { return std::to_string(command) + " " + text; }

using TrayTest = MainWindowTest;

TEST_F(TrayTest, WithTheIconTheWindowStaysHiddenUntilTheUserAsksForIt) {
  WriteRootDword("TaskTray", 1);
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(IconPresent(window_)) << "the icon was not installed";
  EXPECT_FALSE(IsWindowVisible(window_));

  ShowWindow(window_, SW_SHOW);
  SetWindowPos(window_, nullptr, 0, 0, 0, 0, SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_FALSE(IsWindowVisible(window_));

  Command(ID_SHOW_MAIN);
  EXPECT_TRUE(IsWindowVisible(window_));

  // Minimising hides the window again instead of minimising it.
  SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_FALSE(IsWindowVisible(window_));
  EXPECT_FALSE(IsIconic(window_));
  ShowWindow(window_, SW_SHOW);
  EXPECT_FALSE(IsWindowVisible(window_));

  HWND old = window_;
  Close();
  EXPECT_FALSE(IconPresent(old)) << "the icon stayed after the window closed";
}

TEST_F(TrayTest, WithoutTheIconMinimisingMinimises) {
  ASSERT_NE(Open(), nullptr);
  EXPECT_FALSE(IconPresent(window_));
  EXPECT_TRUE(IsWindowVisible(window_));
  SendMessageA(window_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  EXPECT_TRUE(IsIconic(window_));
}

TEST_F(TrayTest, DoubleClickingTheIconDoesWhatRDoubleClkSays) {
  struct Case {
    int setting;
    bool shown;
    int posted;
  };
  const Case cases[] = {
      {0, true, 0},
      {1, false, ID_SETTINGS},
      {2, false, ID_FETCH},
      {3, false, 0},
  };
  for (const Case& c : cases) {
    WriteRootDword("TaskTray", 1);
    WriteRootDword("RDoubleClk", c.setting);
    ASSERT_NE(Open(), nullptr);
    ASSERT_FALSE(IsWindowVisible(window_));
    TrayMouse(window_, WM_LBUTTONDBLCLK);
    EXPECT_EQ(IsWindowVisible(window_) != FALSE, c.shown) << "RDoubleClk " << c.setting;
    EXPECT_EQ(TakePostedCommand(), c.posted) << "RDoubleClk " << c.setting;
    // Other mouse messages do nothing.
    TrayMouse(window_, WM_RBUTTONDOWN);
    TrayMouse(window_, WM_MOUSEMOVE);
    EXPECT_EQ(TakePostedCommand(), 0);
    Close();
  }
}

TEST_F(TrayTest, ThePopUpMenuListsItsItemsInOrderForEachState) {
  const std::string separator = "-";
  const std::string show = Item(ID_SHOW_MAIN, "メイン画面表示");
  const std::string settings = Item(ID_SETTINGS, "設定");
  const std::string fetch = Item(ID_FETCH, "取り込み");
  const std::string start = Item(ID_TIMER_START, "ﾀｲﾏｰｽﾀｰﾄ");
  const std::string stop = Item(ID_TIMER_STOP, "ﾀｲﾏｰｽﾄｯﾌﾟ");
  const std::string exit = Item(IDCANCEL, "終了");
  const std::string about = Item(IDM_ABOUTBOX, "ﾊﾞｰｼﾞｮﾝ情報(Larkspur32) (&A)...");
  struct Case {
    TrayMenuState state;
    std::vector<std::string> items;
  };
  const Case cases[] = {
      {{false, false}, {show, settings, separator, fetch, separator, start, separator, exit, separator, about}},
      {{true, false}, {show, settings, separator, fetch, separator, stop, separator, exit, separator, about}},
      {{true, true}, {show, separator, fetch, separator, stop, separator, about}},
  };
  for (const Case& c : cases) {
    HMENU menu = BuildTrayMenu(c.state);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(ReadMenu(menu), c.items) << "armed " << c.state.armed << ", open " << c.state.settingsOpen;
    DestroyMenu(menu);
  }
}

TEST_F(TrayTest, ClickingTheIconShowsThePopUpMenuAtTheCursor) {
  WriteRootDword("TaskTray", 1);
  ASSERT_NE(Open(), nullptr);
  SetCursorPos(300, 200);
  RECT menu{};
  ModalStepper stepper(
      [&] {
        HWND shown = FindWindowA("#32768", nullptr);
        if (shown == nullptr || !IsWindowVisible(shown)) {
          return false;
        }
        GetWindowRect(shown, &menu);
        e2e::SaveScreenshot(shown, "tray-menu");
        EndMenu();
        return true;
      },
      kModalBound);
  TrayMouse(window_, WM_LBUTTONDOWN);
  ASSERT_TRUE(stepper.Done()) << "no pop-up menu appeared";
  EXPECT_EQ(menu.left, 300);
  EXPECT_EQ(menu.top, 200);
  EXPECT_EQ(TakePostedCommand(), 0);
}

TEST_F(TrayTest, TheSystemMenuOpensTheCentredAboutBoxWithTheVersionLine) {
  ASSERT_NE(Open(), nullptr);
  HMENU systemMenu = GetSystemMenu(window_, FALSE);
  const int count = GetMenuItemCount(systemMenu);
  ASSERT_GE(count, 2);
  char text[256] = "";
  GetMenuStringA(systemMenu, static_cast<UINT>(count - 1), text, sizeof text, MF_BYPOSITION);
  EXPECT_EQ(GetMenuItemID(systemMenu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
  EXPECT_EQ(std::string(text), "ﾊﾞｰｼﾞｮﾝ情報(Larkspur32) (&A)...");
  EXPECT_NE(GetMenuState(systemMenu, static_cast<UINT>(count - 2), MF_BYPOSITION) & MF_SEPARATOR, 0u);

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
      kModalBound);
  // The low four bits of a system command are the system's own.
  SendMessageA(window_, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0);
  ASSERT_TRUE(stepper.Done()) << "no about box appeared";
  EXPECT_EQ(versionLine, "LARKSPUR32 Version " LARKSPUR_TEST_VERSION);
  RECT desktop{};
  GetWindowRect(GetDesktopWindow(), &desktop);
  EXPECT_LE(std::abs((box.left + box.right) - (desktop.left + desktop.right)), 1);
  EXPECT_LE(std::abs((box.top + box.bottom) - (desktop.top + desktop.bottom)), 1);
}

}  // namespace
