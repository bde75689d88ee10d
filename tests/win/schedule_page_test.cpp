// The schedule page and the schedule detail dialog: adding, editing and
// deleting entries across weekdays, the retry values, the detail's checks.
#include <gtest/gtest.h>

#include <ctime>
#include <memory>

#include "res/settings_ui_ids.h"
#include "schedule/local_time.h"
#include "settings/settings_layout.h"
#include "settings_fixture.h"
#include "settings_ui/settings_sheet_win.h"
#include "support/ui_script_win.h"

namespace settings_test {
namespace {

constexpr const char* kDetailCaption = "スケジュール詳細";
constexpr int kWednesday = 3;

class SchedulePageTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    sheet_.Draft().jobs.Load(root_);
  }

  // Shows weekday day's list on the schedule page.
  static HWND ShowDay(int day) {
    HWND page = ShowPage(kSchedulePage);
    HWND tabs = GetDlgItem(page, IDC_WEEKDAY_TABS);
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(day), 0);
    NMHDR header{tabs, IDC_WEEKDAY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
    SendMessageA(page, WM_NOTIFY, IDC_WEEKDAY_TABS, reinterpret_cast<LPARAM>(&header));
    return page;
  }

  // Picks row of weekday day's list and clicks button (edit or delete).
  static void ClickOnRow(int day, int row, int button) {
    HWND page = ShowDay(day);
    ui::FocusListRow(page, IDC_ENTRY_LIST, row);
    ui::ClickLater(page, button);
  }

  // Answers the question box captioned 削除 with button, and waits until it is gone.
  static void Answer(ui::Script& script, const std::string& text, int button) {
    auto box = std::make_shared<HWND>(nullptr);
    script.OnDialog("削除", [text, button, box](HWND window) {
      *box = window;
      EXPECT_EQ(ui::MessageText(window), text);
      PostMessageA(window, WM_COMMAND, button, 0);
    });
    script.When("the question to close", [box] { return !IsWindow(*box); }, [] {});
  }

  int EveryDayCount(int hour, int minute) {
    int count = 0;
    for (int day = 0; day < CSchedule::kDays; ++day) {
      const CScheduleEntry* entry = schedule_.Day(day).FindExact(hour, minute);
      count += entry != nullptr && entry->EveryDay != 0 ? 1 : 0;
    }
    return count;
  }

  CSettingSheet sheet_;
  CSchedule& schedule_ = sheet_.Draft().schedule;
};

TEST_F(SchedulePageTest, ANewEveryDayEntrySkipsTheWeekdayThatHasItsTime) {
  schedule_.Day(kWednesday).AddEntry(7, 30, {kHome}, 0);
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) { ui::ClickLater(ShowDay(1), IDC_ENTRY_ADD); });
  script.OnDialog(kDetailCaption, [](HWND detail) {
    EXPECT_TRUE(ui::IsEnabled(detail, IDC_EVERY_DAY));
    EXPECT_FALSE(ui::IsEnabled(detail, IDC_MONDAY));
    ui::SetText(detail, IDC_HOUR, "7");
    ui::SetText(detail, IDC_MINUTE, "30");
    ui::Click(detail, IDC_EVERY_DAY);
    EXPECT_TRUE(ui::IsEnabled(detail, IDC_SUNDAY));
    ui::ClickTreeItem(detail, IDC_ACCOUNT_TREE, kWork);
    ui::ClickTreeItem(detail, IDC_ACCOUNT_TREE, kKana);
    ui::Shot(detail, "settings-schedule-detail");
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the detail", [] {
    HWND page = ShowDay(kWednesday);
    EXPECT_EQ(ui::ListColumn(page, IDC_ENTRY_LIST, 1), std::vector<std::string>{kHome});
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(EveryDayCount(7, 30), 6);
  ASSERT_EQ(schedule_.Day(kWednesday).Count(), 1u);
  EXPECT_EQ(schedule_.Day(kWednesday).At(0).EveryDay, 0);
  // The checked accounts in tree order, whatever the order of the clicks.
  const std::vector<std::string> accounts = schedule_.Day(0).At(0).accounts;
  ASSERT_EQ(accounts.size(), 2u);
  EXPECT_NE(accounts[0], accounts[1]);
  // OK stored the whole schedule.
  CSchedule stored;
  stored.Load();
  EXPECT_EQ(stored.Day(kWednesday).Count(), 1u);
  EXPECT_EQ(stored.Day(5).Count(), 1u);
}

TEST_F(SchedulePageTest, EditingAnEveryDayEntryMovesEveryCopyButNotAPlainEntry) {
  for (int day = 0; day < CSchedule::kDays; ++day) {
    schedule_.Day(day).AddEntry(7, 30, {kWork}, 1);
  }
  schedule_.Day(kWednesday).AddEntry(7, 30, {kHome}, 0);
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) { ClickOnRow(1, 0, IDC_ENTRY_EDIT); });
  script.OnDialog(kDetailCaption, [](HWND detail) {
    EXPECT_FALSE(ui::IsEnabled(detail, IDC_EVERY_DAY));
    EXPECT_TRUE(ui::IsChecked(detail, IDC_EVERY_DAY));
    EXPECT_FALSE(ui::IsEnabled(detail, IDC_MONDAY));
    EXPECT_EQ(ui::Text(detail, IDC_HOUR), "7");
    ui::SetText(detail, IDC_HOUR, "8");
    ui::ClickTreeItem(detail, IDC_ACCOUNT_TREE, kHome);
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the detail", [] { ui::PressLater(Sheet(), PSBTN_CANCEL); });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(EveryDayCount(8, 30), 7);
  const CScheduleEntry* plain = schedule_.Day(kWednesday).FindExact(7, 30);
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->accounts, std::vector<std::string>{kHome});
  EXPECT_EQ(schedule_.Day(0).FindExact(8, 30)->accounts.size(), 2u);
}

TEST_F(SchedulePageTest, DeletingAnEveryDayEntryAsksWhetherTheOtherDaysGoToo) {
  for (int day = 0; day < CSchedule::kDays; ++day) {
    schedule_.Day(day).AddEntry(7, 30, {kWork}, 1);
    schedule_.Day(day).AddEntry(9, 0, {kWork}, 1);
  }
  ui::Script script;
  const std::string first = "削除していいですか?";
  const std::string second = "このﾃﾞｰﾀは毎日実行される設定です。\n他の日のﾃﾞｰﾀも削除しますか";
  script.OnDialog(kSheetCaption, [](HWND) { ClickOnRow(1, 0, IDC_ENTRY_DELETE); });
  Answer(script, first, IDOK);
  Answer(script, second, IDNO);
  script.Do("delete 9:00 everywhere", [] { ClickOnRow(2, 1, IDC_ENTRY_DELETE); });
  Answer(script, first, IDOK);
  Answer(script, second, IDYES);
  script.Do("refuse to delete", [] { ClickOnRow(2, 0, IDC_ENTRY_DELETE); });
  Answer(script, first, IDCANCEL);
  script.Do("cancel", [] { ui::PressLater(Sheet(), PSBTN_CANCEL); });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(schedule_.Day(1).FindExact(7, 30), nullptr);
  EXPECT_EQ(EveryDayCount(7, 30), 6);
  EXPECT_EQ(EveryDayCount(9, 0), 0);
}

TEST_F(SchedulePageTest, ThePageOpensOnTodayWithRowsInTimeOrderAndTheRetryFloor) {
  // Today and tomorrow look the same, in case midnight passes meanwhile.
  const int today = ToLocalTime(std::time(nullptr)).weekday;
  const int tomorrow = (today + 1) % 7;
  for (int day : {today, tomorrow}) {
    schedule_.Day(day).AddEntry(12, 5, {kKana}, 0);
    schedule_.Day(day).AddEntry(7, 30, {kWork, kHome}, 1);
    schedule_.Day(day).AddEntry(10, 0, {}, 0);
  }
  ui::Script script;
  script.OnDialog(kSheetCaption, [today, tomorrow](HWND) {
    HWND page = ShowPage(kSchedulePage);
    const LRESULT shown = SendDlgItemMessageA(page, IDC_WEEKDAY_TABS, TCM_GETCURSEL, 0, 0);
    EXPECT_TRUE(shown == today || (shown == tomorrow && ToLocalTime(std::time(nullptr)).weekday == tomorrow))
        << "weekday tab " << shown << " on weekday " << today;
    EXPECT_EQ(ui::ListColumn(page, IDC_ENTRY_LIST, 0), (std::vector<std::string>{" 7時30分", "10時 0分", "12時 5分"}));
    EXPECT_EQ(ui::ListColumn(page, IDC_ENTRY_LIST, 1),
              (std::vector<std::string>{std::string(kWork) + "," + kHome, "", kKana}));
    LVITEMA row{};
    row.mask = LVIF_IMAGE;
    SendDlgItemMessageA(page, IDC_ENTRY_LIST, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&row));
    EXPECT_EQ(row.iImage, 1);
    // Edit and delete are there before a row is chosen, and do nothing without one.
    EXPECT_TRUE(ui::IsEnabled(page, IDC_ENTRY_EDIT));
    ui::Click(page, IDC_ENTRY_EDIT);
    ui::Click(page, IDC_ENTRY_DELETE);

    // Not a number: the page says so, keeps the focus there and stays.
    ui::SetText(page, IDC_RETRY_COUNT, "三");
    PostMessageA(Sheet(), PSM_SETCURSEL, kGeneralPage, 0);
  });
  script.OnDialog("LARKSPUR32", [](HWND box) {
    EXPECT_EQ(ui::MessageText(box), "正の整数を入力してください。");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the message", [] {
    HWND page = ui::SheetPage(Sheet(), kSchedulePage);
    EXPECT_EQ(ui::ActivePageIndex(Sheet()), kSchedulePage);
    EXPECT_EQ(GetFocus(), GetDlgItem(page, IDC_RETRY_COUNT));
    ui::SetText(page, IDC_RETRY_INTERVAL, "5");
    ui::Focus(page, IDC_RETRY_INTERVAL);
    ui::Focus(page, IDC_RETRY_COUNT);
    EXPECT_EQ(ui::Text(page, IDC_RETRY_INTERVAL), "15");
    ui::SetText(page, IDC_RETRY_COUNT, "0");
    ui::Click(page, IDC_DIAL_UP);
    ui::Shot(Sheet(), "settings-schedule");
    // Typed again and confirmed by OK without leaving the field.
    ui::SetText(page, IDC_RETRY_INTERVAL, "7");
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(schedule_.Day(today).Count(), 3u);
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kRetryInterval), 15);
  EXPECT_EQ(layout::Read(settings, layout::kRetryCount), 0);
  EXPECT_EQ(layout::Read(settings, layout::kDialUp), 1);
}

TEST_F(SchedulePageTest, TheDetailRefusesOkWithoutAnAccountOrWithATimeOutOfRange) {
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) { ui::ClickLater(ShowDay(1), IDC_ENTRY_ADD); });
  script.OnDialog(kDetailCaption, [](HWND detail) { PostMessageA(detail, WM_COMMAND, IDOK, 0); });
  script.OnDialog("LARKSPUR32", [](HWND box) {
    EXPECT_EQ(ui::MessageText(box), "ｱｶｳﾝﾄが選択されていません");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the first message", [] {
    HWND detail = ui::FindModal(kDetailCaption);
    ASSERT_NE(detail, nullptr);
    ui::ClickTreeItem(detail, IDC_ACCOUNT_TREE, kHome);
    ui::SetText(detail, IDC_HOUR, "24");
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.OnDialog("LARKSPUR32", [](HWND box) {
    EXPECT_EQ(ui::MessageText(box), "0 から 23 までの整数を入力してください。");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the second message", [] {
    HWND detail = ui::FindModal(kDetailCaption);
    ASSERT_NE(detail, nullptr);
    PostMessageA(detail, WM_COMMAND, IDCANCEL, 0);
  });
  script.AfterClose("the detail", [] { ui::PressLater(Sheet(), PSBTN_CANCEL); });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(script.Failure(), "");
  for (int day = 0; day < CSchedule::kDays; ++day) {
    EXPECT_EQ(schedule_.Day(day).Count(), 0u);
  }
}

}  // namespace
}  // namespace settings_test
