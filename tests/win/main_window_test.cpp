// The main window made in the test process with fakes for the client, the
// dial-up line, the launcher and the clock: next run and clock, what it does
// at start, the tray icon and its menu, and the close-down with the window's
// position.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

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

// Closing: the dial-up question, and the steps that run whatever its answer.
// The position is restored and saved only when asked, and never off the
// screen: the template puts the window at 0,0, a minimised one is parked at -32000.
using CloseDownTest = MainWindowTest;

TEST_F(CloseDownTest, AnOpenLineIsOfferedForHangingUpAndTheRestRunsWhateverTheAnswer) {
  const struct {
    bool connected;
    int answer, savePos, saved, opened;
    bool minimise;
  } cases[] = {{false, 0, 1, 200, 200, false},
               {true, IDYES, 0, 200, 0, false},
               {true, IDNO, 1, -32000, 0, false},
               {false, 0, 1, 0, 0, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.answer) + " " + std::to_string(c.saved));
    dialer_ = FakeDialer();
    if (c.connected) dialer_.Connect("ポスト");
    WriteRootDword("TaskTray", 1);
    WriteRootDword("SavePos", c.savePos);
    WriteRootDword("SaveX", c.saved);
    WriteRootDword("SaveY", c.saved);
    ASSERT_NE(Open(), nullptr);
    RECT opened{};
    GetWindowRect(window_, &opened);
    EXPECT_TRUE(opened.left == c.opened && opened.top == c.opened) << opened.left << "," << opened.top;
    SetWindowPos(window_, nullptr, 210, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (c.minimise) ShowWindow(window_, SW_MINIMIZE);
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
    EXPECT_EQ(script.Failure().empty(), c.connected);
    EXPECT_EQ(question, c.connected ? "ダイアルアップ中です\n切断しますか" : "");
    EXPECT_EQ(dialer_.HasConnection(), c.answer == IDNO);
    // No icon is left behind, and the position is saved, after No as well.
    EXPECT_FALSE(IconPresent(closing));
    EXPECT_EQ(ReadRootDword("SaveX"), c.savePos ? 210 : c.saved);
    EXPECT_EQ(ReadRootDword("SaveY"), c.savePos ? 120 : c.saved);
  }
}

}  // namespace
