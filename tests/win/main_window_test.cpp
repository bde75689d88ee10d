// The main window's layout: toolbar, clock folding, position, topmost, and
// the toolbar's enabling and tooltips.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "main_window_rig.h"
#include "res/resource.h"
#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "support/e2e_win.h"

namespace {

RECT ChildRectOf(HWND dialog, int id) {
  RECT rect{};
  HWND child = GetDlgItem(dialog, id);
  GetWindowRect(child, &rect);
  MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

int Height(const RECT& rect) { return rect.bottom - rect.top; }
int Width(const RECT& rect) { return rect.right - rect.left; }

void AddFridayEntry() {
  CSchedule schedule;
  schedule.Day(5).AddEntry(7, 5, {"ポスト"}, 0);
  schedule.Save();
}

TEST_F(MainWindowTest, TheToolBarSitsAboveTheClockAndTheWindowGrewToHoldIt) {
  ASSERT_NE(Open(), nullptr);
  HWND bar = ToolBar();
  ASSERT_NE(bar, nullptr);
  const struct {
    int command;
    int image;
  } slots[] = {{ID_TIMER_START, 0}, {0, 0},        {ID_SETTINGS, 1}, {0, 0},
               {ID_ABORT, 2},       {ID_FETCH, 3}, {0, 0},           {ID_CLOCK_HIDE, 4}};
  ASSERT_EQ(SendMessageA(bar, TB_BUTTONCOUNT, 0, 0), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(SlotCommand(i), slots[i].command) << "slot " << i + 1;
    if (slots[i].command != 0) {
      EXPECT_EQ(SlotImage(i), slots[i].image) << "slot " << i + 1;
    }
  }

  // The template's controls moved down by the bar and its border; the
  // client area is the template's plus that much.
  const RECT barRect = ChildRectOf(window_, 59392);
  const int room = Height(barRect) + 2;
  RECT templateSize{0, 0, 105, 45};
  MapDialogRect(window_, &templateSize);
  RECT nextTime{7, 0, 62, 27};
  MapDialogRect(window_, &nextTime);
  EXPECT_EQ(barRect.top, 0);
  EXPECT_EQ(ChildRectOf(window_, IDC_NEXT_TIME).top, nextTime.top + room);
  EXPECT_EQ(Height(ClientRect()), templateSize.bottom + room);
  EXPECT_EQ(Width(barRect), Width(ClientRect()));
  app_.OnIdle();
  Settle();
  EXPECT_FALSE(e2e::SaveScreenshot(window_, "main-window").empty());
}

TEST_F(MainWindowTest, FoldingLeavesCaptionBordersAndToolBarAndUnfoldingRestoresTheStartHeight) {
  ASSERT_NE(Open(), nullptr);
  const RECT start = WindowRect();
  const int startClient = Height(ClientRect());
  const int room = Height(ChildRectOf(window_, 59392)) + 2;
  SetWindowPos(window_, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

  Command(ID_CLOCK_HIDE);
  RECT folded = WindowRect();
  EXPECT_EQ(Height(ClientRect()), room);
  EXPECT_EQ(Height(folded), Height(start) - (startClient - room));
  EXPECT_EQ(folded.left, 120);
  EXPECT_EQ(folded.top, 90);
  EXPECT_EQ(Width(folded), Width(start));
  EXPECT_EQ(ReadRootDword("NoTimeDisp", -1), 1);
  EXPECT_EQ(SlotCommand(7), ID_CLOCK_SHOW);
  EXPECT_EQ(SlotImage(7), 6);
  Settle();
  EXPECT_FALSE(e2e::SaveScreenshot(window_, "main-window-folded").empty());

  // Folding again (a posted command) keeps the window folded.
  Command(ID_CLOCK_HIDE);
  EXPECT_EQ(Height(WindowRect()), Height(folded));

  Command(ID_CLOCK_SHOW);
  const RECT unfolded = WindowRect();
  EXPECT_EQ(Height(unfolded), Height(start));
  EXPECT_EQ(unfolded.left, 120);
  EXPECT_EQ(unfolded.top, 90);
  EXPECT_EQ(ReadRootDword("NoTimeDisp", -1), 0);
  EXPECT_EQ(SlotCommand(7), ID_CLOCK_HIDE);
  EXPECT_EQ(SlotImage(7), 4);
}

TEST_F(MainWindowTest, AWindowStartedFoldedUnfoldsToTheFullHeight) {
  ASSERT_NE(Open(), nullptr);
  const int fullHeight = Height(WindowRect());
  Close();

  WriteRootDword("NoTimeDisp", 1);
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(Height(ClientRect()), Height(ChildRectOf(window_, 59392)) + 2);
  EXPECT_EQ(SlotCommand(7), ID_CLOCK_SHOW);
  Command(ID_CLOCK_SHOW);
  EXPECT_EQ(Height(WindowRect()), fullHeight);
}

TEST_F(MainWindowTest, SavedPositionIsRestoredOnlyWhenAskedForAndOnAScreen) {
  struct Case {
    int savePos;
    int x;
    int y;
    POINT expected;
  };
  // Without a saved position the window stays where the template puts it.
  const Case cases[] = {
      {1, 0, 0, {0, 0}},
      {1, 200, 150, {200, 150}},
      {0, 200, 150, {0, 0}},
      // Where the system parks minimised windows: on no screen, so ignored.
      {1, -32000, -32000, {0, 0}},
  };
  for (const Case& c : cases) {
    WriteRootDword("SavePos", c.savePos);
    WriteRootDword("SaveX", c.x);
    WriteRootDword("SaveY", c.y);
    ASSERT_NE(Open(), nullptr);
    const RECT window = WindowRect();
    EXPECT_EQ(window.left, c.expected.x) << "SavePos " << c.savePos << " at " << c.x << "," << c.y;
    EXPECT_EQ(window.top, c.expected.y) << "SavePos " << c.savePos << " at " << c.x << "," << c.y;
    Close();
  }
}

TEST_F(MainWindowTest, ClosingSavesTheCornerOnlyWhenAskedAndNeverTheMinimisedOne) {
  struct Case {
    int savePos;
    bool minimise;
    POINT stored;
  };
  const Case cases[] = {
      {1, false, {140, 60}},
      {1, true, {140, 60}},
      {0, false, {7, 7}},
  };
  for (const Case& c : cases) {
    WriteRootDword("SavePos", c.savePos);
    WriteRootDword("SaveX", 7);
    WriteRootDword("SaveY", 7);
    ASSERT_NE(Open(), nullptr);
    SetWindowPos(window_, nullptr, 140, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (c.minimise) {
      ShowWindow(window_, SW_MINIMIZE);
      ASSERT_TRUE(IsIconic(window_));
    }
    Close();
    EXPECT_EQ(ReadRootDword("SaveX", -1), c.stored.x) << "SavePos " << c.savePos << " minimised " << c.minimise;
    EXPECT_EQ(ReadRootDword("SaveY", -1), c.stored.y) << "SavePos " << c.savePos << " minimised " << c.minimise;
  }
}

TEST_F(MainWindowTest, TopMostTakesEffectAtStartAndAtTheNextFoldOnly) {
  auto topMost = [this] { return (GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0; };
  WriteRootDword("TopMost", 1);
  ASSERT_NE(Open(), nullptr);
  EXPECT_TRUE(topMost());
  WriteRootDword("TopMost", 0);
  EXPECT_TRUE(topMost());
  Command(ID_CLOCK_HIDE);
  EXPECT_FALSE(topMost());
  WriteRootDword("TopMost", 1);
  Command(ID_CLOCK_SHOW);
  EXPECT_TRUE(topMost());
}

TEST_F(MainWindowTest, IdleUpdatesEnableStartWithANextRunAndFetchWithDefaultAccounts) {
  struct Case {
    bool entry;
    int defAccountItems;  // -1: no DefAccount key at all
    bool start;
    bool fetch;
  };
  const Case cases[] = {
      {false, -1, false, false},
      {true, -1, true, false},
      {false, 0, false, false},
      {true, 1, true, true},
      {false, 2, false, true},
  };
  for (const Case& c : cases) {
    SettingsSandbox clean;
    if (c.entry) {
      AddFridayEntry();
    }
    if (c.defAccountItems >= 0) {
      CSettingsKey root;
      CRegistryKey list;
      ASSERT_TRUE(list.Create(root, "DefAccount"));
      for (int i = 0; i < c.defAccountItems; ++i) {
        CRegistryKey item;
        ASSERT_TRUE(item.Create(list, "account" + std::to_string(i)));
        item.WriteString(nullptr, "表示");
      }
    }
    ASSERT_NE(Open(), nullptr);
    app_.OnIdle();
    const std::string label = "entry " + std::to_string(c.entry) + ", items " +
                              std::to_string(c.defAccountItems);
    EXPECT_EQ(ButtonEnabled(ID_TIMER_START), c.start) << label;
    EXPECT_EQ(ButtonEnabled(ID_FETCH), c.fetch) << label;
    EXPECT_TRUE(ButtonEnabled(ID_SETTINGS)) << label;
    EXPECT_TRUE(ButtonEnabled(ID_CLOCK_HIDE)) << label;
    Close();
  }
}

TEST_F(MainWindowTest, TooltipsShowTheSecondHalfOfTheCommandsString) {
  ASSERT_NE(Open(), nullptr);
  HWND tips = reinterpret_cast<HWND>(SendMessageA(ToolBar(), TB_GETTOOLTIPS, 0, 0));
  HWND abortChild = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 1, 1, window_,
                                    reinterpret_cast<HMENU>(ID_ABORT), nullptr, nullptr);
  struct Case {
    UINT_PTR idFrom;
    UINT flags;
    std::string expected;
  };
  const Case cases[] = {
      {ID_FETCH, 0, "取り込み"},
      {ID_CLOCK_HIDE, 0, "時計を表示しない"},
      {ID_TIMER_STOP, 0, "ﾀｲﾏｰｽﾄｯﾌﾟ"},
      {reinterpret_cast<UINT_PTR>(abortChild), TTF_IDISHWND, "処理の中断"},
      {0, 0, ""},
  };
  for (const Case& c : cases) {
    NMTTDISPINFOA ansi{};
    ansi.hdr = {tips, c.idFrom, static_cast<UINT>(TTN_GETDISPINFOA)};
    ansi.uFlags = c.flags;
    SendMessageA(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ansi));
    ASSERT_NE(ansi.lpszText, nullptr);
    EXPECT_EQ(std::string(ansi.lpszText), c.expected);

    NMTTDISPINFOW wide{};
    wide.hdr = {tips, c.idFrom, static_cast<UINT>(TTN_GETDISPINFOW)};
    wide.uFlags = c.flags;
    SendMessageA(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&wide));
    ASSERT_NE(wide.lpszText, nullptr);
    char back[200] = "";
    WideCharToMultiByte(932, 0, wide.lpszText, -1, back, sizeof back, nullptr, nullptr);
    EXPECT_EQ(std::string(back), c.expected);
  }
  DestroyWindow(abortChild);
}

}  // namespace
