// The main window made in the test process with fakes for the client, the
// dial-up line, the launcher and the clock: next run and clock, folding the
// clock, position, topmost, what it does at start, the tray icon and its menu,
// the about box, and the close-down.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "app/main_dialog_win.h"
#include "res/resource.h"
#include "sample_data/sample_data.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings/registry_key.h"
#include "support/job_fakes.h"
#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"
#include "support/ui_script_win.h"
#include "win/application_win.h"

namespace {

class TestApplication : public CWinApplication {
 protected:
  bool InitInstance() override { return true; }
};

class MainWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { Close(); }

  HWND Open() {
    // The window deletes its object when it is destroyed.
    auto* dialog = new CMainDialog(CJobSequencer::Ports{client_, dialer_, launcher_, clock_});
    if (dialog->Create()) return window_ = dialog->Handle();
    delete dialog;
    return window_ = nullptr;
  }
  // Destroying the window runs its close-down.
  void Close() {
    if (IsWindow(window_)) DestroyWindow(window_);
    window_ = nullptr;
  }
  void Command(int id) { SendMessageA(window_, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
  // True while the shell holds the program's tray icon for window.
  static bool IconPresent(HWND window) {
    NOTIFYICONDATAA data{};
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window;
    data.uID = ID_TRAY_ICON;
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
  }
  static void WriteRootDword(const char* name, int value) { CSettingsKey().WriteDword(name, value); }
  static int ReadRootDword(const char* name) { return CSettingsKey().ReadDword(name, -1); }

  SettingsSandbox sandbox_;
  TestApplication app_;
  FakeClient client_;
  FakeDialer dialer_;
  FakeLauncher launcher_;
  FakeClock clock_;
  HWND window_ = nullptr;
};

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

using TrayTest = MainWindowTest;

// With the icon the window stays hidden until asked for. The menu opens where
// the notice says the mouse was, which the cursor may have left by the time
// the notice is handled.
TEST_F(TrayTest, TheIconHidesTheWindowAndItsMenuOpensWhereTheClickWas) {
  AddFridayEntries({8});
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

// Closing: the dial-up question, and the steps that run whatever its answer.
using CloseDownTest = MainWindowTest;

TEST_F(CloseDownTest, AnOpenLineIsOfferedForHangingUpAndTheRestRunsWhateverTheAnswer) {
  const struct {
    bool connected;
    int answer;
  } cases[] = {{false, 0}, {true, IDYES}, {true, IDNO}};
  for (const auto& c : cases) {
    dialer_ = FakeDialer();
    if (c.connected) dialer_.Connect("ポスト");
    WriteRootDword("TaskTray", 1);
    WriteRootDword("SavePos", 1);
    ASSERT_NE(Open(), nullptr);
    SetWindowPos(window_, nullptr, 210, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    std::string question;
    // Generous: after the tray tests, Wine now and then takes over 10 s to close.
    ui::Script script(30000);
    script.OnDialog("LARKSPUR32", [&](HWND box) {
      question = ui::MessageText(box);
      PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(c.answer), 0);
    });
    script.Start();
    // Closed as Cancel does, through a message loop.
    HWND closing = window_;
    PostMessageA(closing, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(closing); }, 40000)) << "the window did not close";
    EXPECT_EQ(script.Failure().empty(), c.connected) << c.answer;
    EXPECT_EQ(question, c.connected ? "ダイアルアップ中です\n切断しますか" : "");
    EXPECT_EQ(dialer_.HasConnection(), c.answer == IDNO);
    // No icon is left behind, and the position is saved, after No as well.
    EXPECT_FALSE(IconPresent(closing)) << c.answer;
    EXPECT_EQ(ReadRootDword("SaveX"), 210) << c.answer;
    EXPECT_EQ(ReadRootDword("SaveY"), 120) << c.answer;
  }
}

}  // namespace
