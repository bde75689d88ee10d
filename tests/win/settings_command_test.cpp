// The main window's settings command: one sheet at a time, and what the
// window takes over from it, after OK only.
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>

#include "main_window_rig.h"
#include "res/resource.h"
#include "sample_data/sample_data.h"
#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "support/e2e_win.h"
#include "support/scratch_directory.h"
#include "support/ui_script_win.h"

namespace {

constexpr const char* kSheetCaption = "設定";
constexpr int kWednesday = 3;
constexpr int kSchedulePage = 2;
constexpr int kReservePage = 3;

HWND Sheet() { return ui::FindShown(kSheetCaption); }

HWND ShowPage(int index) {
  ui::SelectPage(Sheet(), index);
  return ui::SheetPage(Sheet(), index);
}

std::size_t OpenSheets() { return e2e::FindWindows({"#32770", kSheetCaption, GetCurrentProcessId()}).size(); }

std::string NextRunText(HWND window) {
  char text[32] = "";
  GetDlgItemTextA(window, IDC_NEXT_TIME, text, sizeof text);
  return text;
}

class SettingsCommandTest : public MainWindowTest {
 protected:
  void SetUp() override {
    root_ = scratch_.Path() + "\\データ";
    sample::DataDirectoryBuilder data(root_);
    ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, ""));
    ASSERT_TRUE(data.AddFolder("Account1", "INBOX.BOX", "", ""));
    CSettingsKey root;
    layout::Write(root, layout::kMailBoxPath, root_);
    // Wednesday 22:14; the one entry is Friday 7:05.
    clock_.ms = WeekTime(kWednesday, 22, 14) * 1000LL;
    CSchedule schedule;
    schedule.Day(5).AddEntry(7, 5, {"表示"}, 0);
    schedule.Save();
  }

  // Runs the settings command with script driving the sheet.
  void RunSettings(ui::Script& script) {
    script.Start();
    Command(ID_SETTINGS);
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(OpenSheets(), 0u);
  }

  ScratchDirectory scratch_;
  std::string root_;
};

TEST_F(SettingsCommandTest, ASecondCommandWhileTheSheetIsOpenOpensNothing) {
  ASSERT_NE(Open(), nullptr);
  WriteRootDword("RDoubleClk", 1);
  HWND window = window_;
  ui::Script script;
  script.OnDialog(kSheetCaption, [window](HWND) {
    // From the toolbar, a posted command and the tray's double-click alike.
    SendMessageA(window, WM_COMMAND, ID_SETTINGS, 0);
    PostMessageA(window, WM_COMMAND, ID_SETTINGS, 0);
    SendMessageA(window, WM_TRAY_NOTIFY, ID_TRAY_ICON, WM_LBUTTONDBLCLK);
  });
  script.Do("count the sheets", [] {
    EXPECT_EQ(OpenSheets(), 1u);
    // The window waits for the sheet, as the owner of a modal window does.
    ui::PressLater(Sheet(), PSBTN_CANCEL);
  });
  RunSettings(script);
  // Closed again, the command opens a sheet once more.
  ui::Script again;
  again.OnDialog(kSheetCaption, [](HWND sheet) { ui::PressLater(sheet, PSBTN_CANCEL); });
  RunSettings(again);
}

TEST_F(SettingsCommandTest, ApplyThenCancelStoresThePagesButTheWindowKeepsWhatItHad) {
  ASSERT_NE(Open(), nullptr);
  Command(ID_TIMER_START);
  ASSERT_EQ(NextRunText(window_), " 7:05");
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND schedule = ShowPage(kSchedulePage);
    ui::SetText(schedule, IDC_RETRY_COUNT, "4");
    ui::Click(ShowPage(kReservePage), IDC_SEND_CHECK);
    SendMessageA(Sheet(), PSM_APPLY, 0, 0);
    ui::PressLater(Sheet(), PSBTN_CANCEL);
  });
  RunSettings(script);
  EXPECT_EQ(ReadRootDword("RetryCount"), 4);
  EXPECT_EQ(NextRunText(window_), " 7:05");
  CSettingsKey root;
  CRegistryKey accounts;
  EXPECT_FALSE(accounts.Open(root, layout::kAccountsKey));
}

TEST_F(SettingsCommandTest, OkTakesTheJobSettingsAndScheduleOverAndComputesTheNextRun) {
  ASSERT_NE(Open(), nullptr);
  Command(ID_TIMER_START);
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    ui::Click(ShowPage(kReservePage), IDC_SEND_CHECK);
    HWND page = ShowPage(kSchedulePage);
    HWND tabs = GetDlgItem(page, IDC_WEEKDAY_TABS);
    SendMessageA(tabs, TCM_SETCURSEL, kWednesday, 0);
    NMHDR header{tabs, IDC_WEEKDAY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(page, WM_NOTIFY, IDC_WEEKDAY_TABS, reinterpret_cast<LPARAM>(&header));
    ui::ClickLater(page, IDC_ENTRY_ADD);
  });
  script.OnDialog("スケジュール詳細", [](HWND detail) {
    ui::SetText(detail, IDC_HOUR, "23");
    ui::SetText(detail, IDC_MINUTE, "0");
    ui::ClickTreeItem(detail, IDC_ACCOUNT_TREE, "表示");
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the detail", [] { ui::PressLater(Sheet(), PSBTN_OK); });
  RunSettings(script);
  // Still armed, now on tonight's new entry.
  EXPECT_EQ(NextRunText(window_), "23:00");
  EXPECT_EQ(Slot(0), std::make_pair(ID_TIMER_STOP, 5));
  CSettingsKey root;
  CRegistryKey reserve;
  ASSERT_TRUE(reserve.Open(root, "Accounts\\Account1\\ReserveData"));
  EXPECT_EQ(reserve.ReadDword("SendCheck", -1), 1);
}

TEST_F(SettingsCommandTest, OkWithAnEmptyScheduleDisarms) {
  ASSERT_NE(Open(), nullptr);
  Command(ID_TIMER_START);
  ASSERT_EQ(Slot(0), std::make_pair(ID_TIMER_STOP, 5));
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND page = ShowPage(kSchedulePage);
    HWND tabs = GetDlgItem(page, IDC_WEEKDAY_TABS);
    SendMessageA(tabs, TCM_SETCURSEL, 5, 0);
    NMHDR header{tabs, IDC_WEEKDAY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(page, WM_NOTIFY, IDC_WEEKDAY_TABS, reinterpret_cast<LPARAM>(&header));
    ui::FocusListRow(page, IDC_ENTRY_LIST, 0);
    ui::ClickLater(page, IDC_ENTRY_DELETE);
  });
  script.OnDialog("削除", [](HWND box) { PostMessageA(box, WM_COMMAND, IDOK, 0); });
  script.AfterClose("the question", [] { ui::PressLater(Sheet(), PSBTN_OK); });
  RunSettings(script);
  EXPECT_EQ(NextRunText(window_), "--:--");
  EXPECT_EQ(Slot(0), std::make_pair(ID_TIMER_START, 0));
}

TEST_F(SettingsCommandTest, TheTrayOptionIsTakenOverOnOkOnly) {
  WriteRootDword("TaskTray", 1);
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(IconPresent(window_));
  ASSERT_FALSE(IsWindowVisible(window_));
  for (const bool confirm : {false, true}) {
    ui::Script script;
    script.OnDialog(kSheetCaption, [confirm](HWND) {
      ui::Click(ShowPage(1), IDC_TASK_TRAY);
      ui::PressLater(Sheet(), confirm ? PSBTN_OK : PSBTN_CANCEL);
    });
    RunSettings(script);
    EXPECT_EQ(IconPresent(window_), !confirm) << confirm;
    EXPECT_EQ(IsWindowVisible(window_) != FALSE, confirm) << confirm;
  }
  EXPECT_EQ(ReadRootDword("TaskTray"), 0);
}

}  // namespace
