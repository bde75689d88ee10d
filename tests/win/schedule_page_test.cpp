// The schedule page edits a day's entries through its list, the detail and the
// question before a delete; what an edit does to the week is the schedule's business.
#include <gtest/gtest.h>

#include "res/settings_ui_ids.h"
#include "settings_fixture.h"
#include "settings_ui/settings_sheet_win.h"
#include "support/ui_script_win.h"

namespace settings_test {
namespace {

constexpr const char* kDetailCaption = "スケジュール詳細";
constexpr int kWednesday = 3;

using SchedulePageTest = SettingsTest;

// Shows Wednesday's list; with row >= 0 also picks that row and clicks button.
HWND OnWednesday(int row = -1, int button = 0) {
  HWND page = ShowPage(kSchedulePage);
  NMHDR header{GetDlgItem(page, IDC_WEEKDAY_TABS), IDC_WEEKDAY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
  TabCtrl_SetCurSel(header.hwndFrom, kWednesday);
  SendMessageA(page, WM_NOTIFY, IDC_WEEKDAY_TABS, reinterpret_cast<LPARAM>(&header));
  if (row >= 0) {
    const UINT picked = LVIS_FOCUSED | LVIS_SELECTED;
    ListView_SetItemState(GetDlgItem(page, IDC_ENTRY_LIST), row, picked, picked);
    ui::ClickLater(page, button);
  }
  return page;
}

// The rows of the day shown, each its time and its accounts.
std::vector<std::string> Rows() {
  HWND list = GetDlgItem(PropSheet_IndexToHwnd(Sheet(), kSchedulePage), IDC_ENTRY_LIST);
  std::vector<std::string> rows;
  for (int row = 0; row < ListView_GetItemCount(list); ++row) {
    char time[64] = "", accounts[256] = "";
    ListView_GetItemText(list, row, 0, time, sizeof time);
    ListView_GetItemText(list, row, 1, accounts, sizeof accounts);
    rows.push_back(std::string(time) + " " + accounts);
  }
  return rows;
}

TEST_F(SchedulePageTest, ADayIsEditedThroughItsListTheDetailAndTheQuestion) {
  CSettingSheet sheet;
  sheet.Draft().schedule.Day(kWednesday).AddEntry(12, 5, {kKana}, 0);
  sheet.Draft().schedule.Day(kWednesday).AddEntry(7, 30, {kWork, kHome}, 0);
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    OnWednesday();
    EXPECT_EQ(Rows(), (std::vector<std::string>{" 7時30分 表示,ポスト", "12時 5分 ｶﾅ"}));
    OnWednesday(0, IDC_ENTRY_EDIT);
  });
  script.OnDialog(kDetailCaption, [](HWND detail) {
    EXPECT_EQ(ui::Text(detail, IDC_HOUR), "7");
    SetDlgItemTextA(detail, IDC_HOUR, "8");
    ui::ClickTreeItem(detail, IDC_ACCOUNT_TREE, kHome);
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the detail", [] { ui::ClickLater(OnWednesday(), IDC_ENTRY_ADD); });
  script.OnDialog(kDetailCaption, [](HWND detail) {
    SetDlgItemTextA(detail, IDC_HOUR, "23");
    SetDlgItemTextA(detail, IDC_MINUTE, "0");
    ui::ClickTreeItem(detail, IDC_ACCOUNT_TREE, kKana);
    ui::Shot(detail, "settings-schedule-detail");
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the second detail", [] { OnWednesday(1, IDC_ENTRY_DELETE); });
  script.OnDialog("削除", [](HWND box) {
    EXPECT_EQ(ui::MessageText(box), "削除していいですか?");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the question", [] {
    EXPECT_EQ(Rows(), (std::vector<std::string>{" 8時30分 表示", "23時 0分 ｶﾅ"}));
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  // The list showed the draft, which OK hands over.
  const CScheduleDayList& day = sheet.Draft().schedule.Day(kWednesday);
  ASSERT_EQ(day.Count(), 2u);
  EXPECT_EQ(day.At(0).accounts, std::vector<std::string>{kWork});
}

}  // namespace
}  // namespace settings_test
