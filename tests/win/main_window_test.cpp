// The main window's layout: toolbar, clock folding, position and topmost,
// and the toolbar's enabling and tooltips.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <utility>

#include "main_window_rig.h"
#include "res/resource.h"
#include "sample_data/sample_data.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "support/e2e_win.h"
#include "support/job_fakes.h"
#include "support/scratch_directory.h"

namespace {

int Height(const RECT& rect) { return rect.bottom - rect.top; }

void AddFridayEntry() {
  CSchedule schedule;
  schedule.Day(5).AddEntry(7, 5, {"ポスト"}, 0);
  schedule.Save();
}

std::string ItemText(HWND dialog, int id) {
  char text[64] = "";
  GetDlgItemTextA(dialog, id, text, sizeof text);
  return text;
}

TEST_F(MainWindowTest, ArmingShowsTheNextRunAndPutsStopOnTheFirstSlot) {
  const std::pair<std::string, std::string> none{"--:--", "---"};
  auto nextRun = [this] { return std::make_pair(ItemText(window_, IDC_NEXT_TIME), ItemText(window_, IDC_NEXT_WEEKDAY)); };
  clock_.ms = WeekTime(3, 22, 14) * 1000LL;
  {
    CSchedule schedule;
    schedule.Day(5).AddEntry(7, 5, {"ポスト"}, 0);
    schedule.Day(5).AddEntry(12, 0, {"ポスト"}, 0);
    schedule.Save();
  }
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(ItemText(window_, IDC_NOW_TIME), "22:14");
  EXPECT_EQ(ItemText(window_, IDC_NOW_WEEKDAY), "Wed");
  EXPECT_EQ(nextRun(), none);
  EXPECT_EQ(Slot(0), std::make_pair(ID_TIMER_START, 0));

  Command(ID_TIMER_START);
  EXPECT_EQ(nextRun(), std::make_pair(std::string(" 7:05"), std::string("Fri")));
  EXPECT_EQ(Slot(0), std::make_pair(ID_TIMER_STOP, 5));
  app_.OnIdle();
  Settle();
  EXPECT_FALSE(e2e::SaveScreenshot(window_, "main-window").empty());

  // The clock set past the run, then a sleep past the next one: each time the
  // window shows the time and the next run that is still to come at once.
  clock_.ms = WeekTime(5, 7, 30) * 1000LL;
  SendMessageA(window_, WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(nextRun(), std::make_pair(std::string("12:00"), std::string("Fri")));
  clock_.ms = WeekTime(5, 12, 30) * 1000LL;
  SendMessageA(window_, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_EQ(nextRun(), std::make_pair(std::string(" 7:05"), std::string("Fri")));
  EXPECT_EQ(ItemText(window_, IDC_NOW_TIME), "12:30");

  Command(ID_TIMER_STOP);
  EXPECT_EQ(nextRun(), none);
  EXPECT_EQ(Slot(0), std::make_pair(ID_TIMER_START, 0));

  // Armed with an empty schedule: armed, but nothing to show.
  Close();
  SettingsSandbox empty;
  ASSERT_NE(Open(), nullptr);
  Command(ID_TIMER_START);
  EXPECT_EQ(nextRun(), none);
  EXPECT_EQ(Slot(0), std::make_pair(ID_TIMER_STOP, 5));
}

TEST_F(MainWindowTest, RunningOutOfMemoryWhileLoadingEndsTheProgramAsItSays) {
  ScratchDirectory scratch;
  sample::DataDirectoryBuilder data(scratch.Path());
  ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, ""));
  {
    CSettingsKey root;
    root.WriteString("MailBoxPath", scratch.Path());
  }
  int told = 0;
  SetJobRecordAllocator([]() -> CAccountJob* { return nullptr; });
  SetOutOfMemoryHandler([&told] { ++told; });
  ASSERT_NE(Open(), nullptr);
  SetJobRecordAllocator(nullptr);
  SetOutOfMemoryHandler(nullptr);
  EXPECT_EQ(told, 1);
  EXPECT_EQ(TakePostedCommand(), IDCANCEL);
}

TEST_F(MainWindowTest, ADataRootAwayAtStartIsReadOnceItIsThere) {
  ScratchDirectory scratch;
  const std::string root = scratch.Path() + "\\データ";
  clock_.ms = WeekTime(3, 10, 0, 30) * 1000LL;
  sample::DataDirectoryBuilder data(root);
  ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, ""));
  ASSERT_TRUE(data.AddFolder("Account1", "Outbox.box", "", ""));
  ASSERT_TRUE(data.AddFolder("Account1", "予約.box", "予約", ""));
  ASSERT_TRUE(data.AddMail("Account1", "予約.box", "00000001", static_cast<std::int32_t>(WeekTime(3, 9, 0))));
  {
    CAccountJobList jobs;
    ASSERT_TRUE(jobs.Load(root));
    jobs.At(0).reserve.Reserve = 1;
    jobs.At(0).reserve.ReserveFolder = "予約.box";
    jobs.Save();
    CSettingsKey settings;
    settings.WriteString("MailBoxPath", root);
  }
  AddFridayEntry();
  WriteRootDword("AutoStart", 1);
  client_.SetRunningOn(root);
  // The drive is not there yet when the program starts.
  const std::string away = root + "-away";
  ASSERT_TRUE(MoveFileA(root.c_str(), away.c_str()));
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(MoveFileA(away.c_str(), root.c_str()));
  clock_.ms = WeekTime(3, 10, 1, 0) * 1000LL;
  EXPECT_TRUE(e2e::WaitUntil([&] { return !client_.JournalOf("MoveMail").empty(); }, 5000))
      << "the reserved mail did not move once the data root was there";
}

TEST_F(MainWindowTest, TheToolBarSitsAboveTheClockWhichFoldsAwayAndComesBack) {
  ASSERT_NE(Open(), nullptr);
  const std::pair<int, int> slots[] = {{ID_TIMER_START, 0}, {0, 0}, {ID_SETTINGS, 1}, {0, 0},
                        {ID_ABORT, 2}, {ID_FETCH, 3}, {0, 0}, {ID_CLOCK_HIDE, 4}};
  ASSERT_EQ(SendMessageA(ToolBar(), TB_BUTTONCOUNT, 0, 0), 8);
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(Slot(i), slots[i]) << "slot " << i + 1;
  }
  // Everything of the template moved down by the bar and its border.
  RECT bar{};
  GetWindowRect(ToolBar(), &bar);
  const int room = Height(bar) + 2;
  RECT nextTime{};
  GetWindowRect(GetDlgItem(window_, IDC_NEXT_TIME), &nextTime);
  MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&nextTime), 2);
  RECT templateSize{0, 0, 105, 45};
  MapDialogRect(window_, &templateSize);
  EXPECT_EQ(nextTime.top, room);
  EXPECT_EQ(ClientHeight(), templateSize.bottom + room);

  const RECT start = WindowRect();
  SetWindowPos(window_, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  // Folding twice (a posted command) stays folded: caption, borders and bar.
  for (int i = 0; i < 2; ++i) {
    Command(ID_CLOCK_HIDE);
    EXPECT_EQ(ClientHeight(), room);
    EXPECT_EQ(Height(WindowRect()), Height(start) - templateSize.bottom);
  }
  EXPECT_EQ(ReadRootDword("NoTimeDisp"), 1);
  EXPECT_EQ(Slot(7), std::make_pair(ID_CLOCK_SHOW, 6));
  Settle();
  EXPECT_FALSE(e2e::SaveScreenshot(window_, "main-window-folded").empty());

  Command(ID_CLOCK_SHOW);
  const RECT unfolded = WindowRect();
  EXPECT_EQ(Height(unfolded), Height(start));
  EXPECT_EQ(unfolded.left, 120);
  EXPECT_EQ(unfolded.top, 90);
  EXPECT_EQ(ReadRootDword("NoTimeDisp"), 0);
  EXPECT_EQ(Slot(7), std::make_pair(ID_CLOCK_HIDE, 4));

  // Started folded, it unfolds to the same full height.
  Close();
  WriteRootDword("NoTimeDisp", 1);
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(ClientHeight(), room);
  Command(ID_CLOCK_SHOW);
  EXPECT_EQ(Height(WindowRect()), Height(start));
}

TEST_F(MainWindowTest, PositionIsRestoredAndSavedOnlyWhenAskedAndNeverOffTheScreen) {
  const struct {
    int savePos;
    POINT saved;
    POINT opened;  // the template puts the window at 0,0
  } starts[] = {{1, {0, 0}, {0, 0}}, {1, {200, 150}, {200, 150}}, {0, {200, 150}, {0, 0}},
                // where a minimised window is parked: on no screen
                {1, {-32000, -32000}, {0, 0}}};
  for (const auto& c : starts) {
    WriteRootDword("SavePos", c.savePos);
    WriteRootDword("SaveX", c.saved.x);
    WriteRootDword("SaveY", c.saved.y);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(WindowRect().left, c.opened.x) << c.savePos << " " << c.saved.x;
    EXPECT_EQ(WindowRect().top, c.opened.y) << c.savePos << " " << c.saved.x;
    Close();
  }

  const struct {
    int savePos;
    bool minimise;
    int stored;
  } ends[] = {{1, false, 140}, {1, true, 140}, {0, false, 7}};
  for (const auto& c : ends) {
    WriteRootDword("SavePos", c.savePos);
    WriteRootDword("SaveX", 7);
    WriteRootDword("SaveY", 7);
    ASSERT_NE(Open(), nullptr);
    SetWindowPos(window_, nullptr, 140, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (c.minimise) {
      ShowWindow(window_, SW_MINIMIZE);
    }
    Close();
    EXPECT_EQ(ReadRootDword("SaveX"), c.stored) << c.savePos << " " << c.minimise;
    EXPECT_EQ(ReadRootDword("SaveY"), c.stored) << c.savePos << " " << c.minimise;
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
}

TEST_F(MainWindowTest, IdleUpdatesEnableStartWithANextRunAndFetchWithDefaultAccounts) {
  const struct {
    bool entry;
    int accounts;  // -1: no DefAccount key
  } cases[] = {{false, -1}, {true, -1}, {false, 0}, {true, 1}, {false, 2}};
  for (const auto& c : cases) {
    SettingsSandbox clean;
    if (c.entry) {
      AddFridayEntry();
    }
    CSettingsKey root;
    CRegistryKey list;
    if (c.accounts >= 0) {
      ASSERT_TRUE(list.Create(root, "DefAccount"));
    }
    for (int i = 0; i < c.accounts; ++i) {
      CRegistryKey item;
      ASSERT_TRUE(item.Create(list, "account" + std::to_string(i)));
    }
    ASSERT_NE(Open(), nullptr);
    app_.OnIdle();
    EXPECT_EQ(ButtonEnabled(ID_TIMER_START), c.entry) << c.entry << " " << c.accounts;
    EXPECT_EQ(ButtonEnabled(ID_FETCH), c.accounts > 0) << c.entry << " " << c.accounts;
    EXPECT_TRUE(ButtonEnabled(ID_SETTINGS) && ButtonEnabled(ID_CLOCK_HIDE));
    Close();
  }
}

TEST_F(MainWindowTest, AbortIsEnabledWhileAFetchWaitsForTheClientAndEndsIt) {
  ScratchDirectory dataRoot;
  ASSERT_TRUE(sample::DataDirectoryBuilder(dataRoot.Path()).AddAccount("Account1", "ポスト", 0, ""));
  {
    CSettingsKey root;
    root.WriteString("MailBoxPath", dataRoot.Path());
    ASSERT_TRUE(layout::ReplaceTextList(root, "DefAccount", "account%d", {"ポスト"}));
  }
  client_.SetRunningOn(dataRoot.Path());
  client_.SetFetchPolls(-1);
  ASSERT_NE(Open(), nullptr);
  auto abortable = [this] {
    app_.OnIdle();
    return ButtonEnabled(ID_ABORT);
  };
  EXPECT_FALSE(abortable());
  Command(ID_FETCH);
  EXPECT_TRUE(e2e::WaitUntil(abortable, 5000)) << "the fetch never waited for the client";
  EXPECT_EQ(client_.JournalOf("StartFetch").size(), 1u);
  Command(ID_ABORT);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !abortable(); }, 5000)) << "the job did not end";
}

TEST_F(MainWindowTest, TooltipsShowTheSecondHalfOfTheCommandsStringInBothForms) {
  ASSERT_NE(Open(), nullptr);
  HWND tips = reinterpret_cast<HWND>(SendMessageA(ToolBar(), TB_GETTOOLTIPS, 0, 0));
  const struct {
    UINT_PTR id;
    std::string tip;
  } cases[] = {{ID_FETCH, "取り込み"}, {ID_CLOCK_HIDE, "時計を表示しない"}, {0, ""}};
  for (const auto& c : cases) {
    NMTTDISPINFOA ansi{};
    ansi.hdr = {tips, c.id, static_cast<UINT>(TTN_GETDISPINFOA)};
    SendMessageA(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ansi));
    EXPECT_EQ(std::string(ansi.lpszText != nullptr ? ansi.lpszText : "(none)"), c.tip);

    NMTTDISPINFOW wide{};
    wide.hdr = {tips, c.id, static_cast<UINT>(TTN_GETDISPINFOW)};
    SendMessageA(window_, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&wide));
    char back[100] = "(none)";
    if (wide.lpszText != nullptr) {
      WideCharToMultiByte(932, 0, wide.lpszText, -1, back, sizeof back, nullptr, nullptr);
    }
    EXPECT_EQ(std::string(back), c.tip);
  }
}

}  // namespace
