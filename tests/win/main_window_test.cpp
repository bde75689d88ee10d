// The main window: next run and clock, folding the clock, position, topmost,
// and what it does at start.
#include "main_window_rig.h"

#include <commctrl.h>

#include "sample_data/sample_data.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "support/e2e_win.h"
#include "support/scratch_directory.h"

namespace {

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

int Height(HWND window) { return WindowRect(window).bottom - WindowRect(window).top; }

void AddFridayEntries(std::initializer_list<int> hours) {
  CSchedule schedule;
  for (int hour : hours) schedule.Day(5).AddEntry(hour, 5, {"ポスト"}, 0);
  schedule.Save();
}

TEST_F(MainWindowTest, TheNextRunFollowsArmingAClockChangeAndAResume) {
  auto nextRun = [this] { return e2e::ControlText(window_, IDC_NEXT_TIME) + " " + e2e::ControlText(window_, IDC_NEXT_WEEKDAY); };
  clock_.ms = WeekTime(3, 22, 14) * 1000LL;
  AddFridayEntries({7, 12});
  ASSERT_NE(Open(), nullptr);
  EXPECT_EQ(nextRun(), "--:-- ---");
  Command(ID_TIMER_START);
  EXPECT_EQ(nextRun(), " 7:05 Fri");
  EXPECT_EQ(SendDlgItemMessageA(window_, 59392, TB_COMMANDTOINDEX, ID_TIMER_STOP, 0), 0) << "no stop in the armed state";
  app_.OnIdle();
  EXPECT_FALSE(e2e::SaveScreenshot(window_, "main-window").empty());
  // Set past the run, then a sleep past the next one: each time the window
  // shows the time and the run still to come at once.
  clock_.ms = WeekTime(5, 7, 30) * 1000LL;
  SendMessageA(window_, WM_TIMECHANGE, 0, 0);
  EXPECT_EQ(nextRun(), "12:05 Fri");
  clock_.ms = WeekTime(5, 12, 30) * 1000LL;
  SendMessageA(window_, WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC, 0);
  EXPECT_EQ(nextRun(), " 7:05 Fri");
  EXPECT_EQ(e2e::ControlText(window_, IDC_NOW_TIME), "12:30");
  Command(ID_TIMER_STOP);
  EXPECT_EQ(nextRun(), "--:-- ---");
}

TEST_F(MainWindowTest, RunningOutOfMemoryWhileLoadingEndsTheProgramAsItSays) {
  ScratchDirectory scratch;
  ASSERT_TRUE(sample::DataDirectoryBuilder(scratch.Path()).AddAccount("Account1", "表示", 0, ""));
  CSettingsKey().WriteString("MailBoxPath", scratch.Path());
  int told = 0;
  SetJobRecordAllocator([]() -> CAccountJob* { return nullptr; });
  SetOutOfMemoryHandler([&told] { ++told; });
  ASSERT_NE(Open(), nullptr);
  SetJobRecordAllocator(nullptr);
  SetOutOfMemoryHandler(nullptr);
  EXPECT_EQ(told, 1);
  MSG posted{};
  EXPECT_TRUE(PeekMessageA(&posted, window_, WM_COMMAND, WM_COMMAND, PM_REMOVE) && LOWORD(posted.wParam) == IDCANCEL);
}

TEST_F(MainWindowTest, ADataRootAwayAtStartIsReadOnceItIsThere) {
  ScratchDirectory scratch;
  const std::string root = scratch.Path() + "\\データ";
  clock_.ms = WeekTime(3, 10, 0, 30) * 1000LL;
  sample::DataDirectoryBuilder data(root);
  ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, "") && data.AddFolder("Account1", "Outbox.box", "", "") &&
              data.AddFolder("Account1", "予約.box", "予約", "") &&
              data.AddMail("Account1", "予約.box", "00000001", static_cast<std::int32_t>(WeekTime(3, 9, 0))));
  CAccountJobList jobs;
  ASSERT_TRUE(jobs.Load(root));
  jobs.At(0).reserve.Reserve = 1;
  jobs.At(0).reserve.ReserveFolder = "予約.box";
  jobs.Save();
  CSettingsKey().WriteString("MailBoxPath", root);
  AddFridayEntries({7});
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

TEST_F(MainWindowTest, TheClockFoldsAwayAndComesBackAtFullHeightTakingTopMostAlong) {
  WriteRootDword("TopMost", 1);
  ASSERT_NE(Open(), nullptr);
  EXPECT_NE(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  const int full = Height(window_);
  RECT clock{0, 0, 105, 45};  // the template's size
  MapDialogRect(window_, &clock);
  SetWindowPos(window_, nullptr, 120, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  WriteRootDword("TopMost", 0);  // takes effect at the next fold
  for (int i = 0; i < 2; ++i) {  // folding twice stays folded
    Command(ID_CLOCK_HIDE);
    EXPECT_EQ(Height(window_), full - clock.bottom);
  }
  EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(ReadRootDword("NoTimeDisp"), 1);
  EXPECT_FALSE(e2e::SaveScreenshot(window_, "main-window-folded").empty());
  Command(ID_CLOCK_SHOW);
  EXPECT_EQ(WindowRect(window_).top, 90);
  EXPECT_EQ(Height(window_), full);
  EXPECT_EQ(ReadRootDword("NoTimeDisp"), 0);
  // Started folded, it unfolds to the same full height.
  Close();
  WriteRootDword("NoTimeDisp", 1);
  ASSERT_NE(Open(), nullptr);
  Command(ID_CLOCK_SHOW);
  EXPECT_EQ(Height(window_), full);
}

TEST_F(MainWindowTest, PositionIsRestoredAndSavedOnlyWhenAskedAndNeverOffTheScreen) {
  // The template puts the window at 0,0; a minimised window is parked at -32000.
  const struct { int savePos, saved, opened, storedAfterAMoveTo140; bool minimise; } cases[] = {
      {1, 200, 200, 140, false}, {0, 200, 0, 200, false}, {1, -32000, 0, 140, false}, {1, 0, 0, 140, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.savePos) + " " + std::to_string(c.saved) + " " + std::to_string(c.minimise));
    WriteRootDword("SavePos", c.savePos);
    WriteRootDword("SaveX", c.saved);
    WriteRootDword("SaveY", c.saved);
    ASSERT_NE(Open(), nullptr);
    EXPECT_EQ(WindowRect(window_).left, c.opened);
    EXPECT_EQ(WindowRect(window_).top, c.opened);
    SetWindowPos(window_, nullptr, 140, 140, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (c.minimise) ShowWindow(window_, SW_MINIMIZE);
    Close();
    EXPECT_EQ(ReadRootDword("SaveX"), c.storedAfterAMoveTo140);
    EXPECT_EQ(ReadRootDword("SaveY"), c.storedAfterAMoveTo140);
  }
}

}  // namespace
