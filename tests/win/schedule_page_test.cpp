// The schedule page edits a weekday's entries through its list, the detail
// dialog and the question before a delete; what the edits do to the week is
// the schedule's own business.
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

// Shows Wednesday's list; with row >= 0, picks that row and clicks button.
HWND OnWednesday(int row = -1, int button = 0) {
  HWND page = ShowPage(kSchedulePage);
  HWND tabs = GetDlgItem(page, IDC_WEEKDAY_TABS);
  SendMessageA(tabs, TCM_SETCURSEL, kWednesday, 0);
  NMHDR header{tabs, IDC_WEEKDAY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
  SendMessageA(page, WM_NOTIFY, IDC_WEEKDAY_TABS, reinterpret_cast<LPARAM>(&header));
  if (row >= 0) {
    LVITEMA state{};
    state.stateMask = state.state = LVIS_FOCUSED | LVIS_SELECTED;
    SendDlgItemMessageA(page, IDC_ENTRY_LIST, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                        reinterpret_cast<LPARAM>(&state));
    ui::ClickLater(page, button);
  }
  return page;
}

std::vector<std::string> Column(int column) {
  HWND list = GetDlgItem(ui::SheetPage(Sheet(), kSchedulePage), IDC_ENTRY_LIST);
  std::vector<std::string> texts;
  for (LRESULT row = 0; row < SendMessageA(list, LVM_GETITEMCOUNT, 0, 0); ++row) {
    char text[256] = "";
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    texts.push_back(text);
  }
  return texts;
}

TEST_F(SchedulePageTest, ADayIsEditedThroughItsListTheDetailAndTheQuestion) {
  CSettingSheet sheet;
  CSchedule& schedule = sheet.Draft().schedule;
  schedule.Day(kWednesday).AddEntry(12, 5, {kKana}, 0);
  schedule.Day(kWednesday).AddEntry(7, 30, {kWork, kHome}, 0);
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    OnWednesday();
    EXPECT_EQ(Column(0), (std::vector<std::string>{" 7時30分", "12時 5分"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{std::string(kWork) + "," + kHome, kKana}));
    OnWednesday(0, IDC_ENTRY_EDIT);
  });
  script.OnDialog(kDetailCaption, [](HWND detail) {
    EXPECT_EQ(ui::Text(detail, IDC_HOUR), "7");
    ui::SetText(detail, IDC_HOUR, "8");
    ui::ClickTreeItem(detail, IDC_ACCOUNT_TREE, kHome);
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the detail", [] { ui::ClickLater(OnWednesday(), IDC_ENTRY_ADD); });
  script.OnDialog(kDetailCaption, [](HWND detail) {
    ui::SetText(detail, IDC_HOUR, "23");
    ui::SetText(detail, IDC_MINUTE, "0");
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
    EXPECT_EQ(Column(0), (std::vector<std::string>{" 8時30分", "23時 0分"}));
    EXPECT_EQ(Column(1), (std::vector<std::string>{kWork, kKana}));
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  CSchedule stored;
  ASSERT_TRUE(stored.Load());
  const CScheduleDayList& day = stored.Day(kWednesday);
  ASSERT_EQ(day.Count(), 2u);
  EXPECT_EQ(day.At(0).accounts, std::vector<std::string>{kWork});
  EXPECT_NE(day.FindExact(23, 0), nullptr);
}

}  // namespace
}  // namespace settings_test
