// The pages that edit one job record at a time check on OK that every
// account they switched on has its folders.
#include <gtest/gtest.h>

#include "res/settings_ui_ids.h"
#include "settings_fixture.h"
#include "settings_ui/settings_sheet_win.h"
#include "support/ui_script_win.h"

namespace settings_test {
namespace {

using RecordPagesTest = SettingsTest;

TEST_F(RecordPagesTest, OkChecksEveryAccountInRecordOrderNotJustTheOneOnScreen) {
  const std::string noFolder = "送信予約ﾒｰﾙの保存先ﾌｫﾙﾀﾞが指定されていません";
  const struct {
    int page, onOff;  // the page and its own switch
    int CReserveData::*on;
    const char* caption;
    std::string messages[2];  // for the second and the third record; the first stays on screen
  } cases[] = {
      {kReservePage, IDC_RESERVE, &CReserveData::Reserve, "送信予約ﾍﾟｰｼﾞ", {noFolder, noFolder}},
      // A destination gone from the disk in an earlier record comes before a
      // source never chosen in a later one.
      {kRemainPage, IDC_REMAIN, &CReserveData::Remain, "回送予約ﾍﾟｰｼﾞ",
       {"転送先のﾌｫﾙﾀﾞが指定されていません", "転送元のﾌｫﾙﾀﾞが指定されていません"}},
  };
  for (const auto& c : cases) {
    CSettingSheet sheet;
    CAccountJobList& jobs = sheet.Draft().jobs;
    ASSERT_TRUE(jobs.Load(root_));
    CReserveData& second = jobs.At(1).reserve;
    second.*c.on = jobs.At(2).reserve.*c.on = 1;
    second.RemainFromAccount = "Account2";
    second.RemainFromFolder = "RESERVE.BOX";
    second.RemainToFolder = "GONE.BOX";
    ui::Script script;
    script.OnDialog(kSheetCaption, [&c](HWND) {
      ShowPage(c.page);
      ui::PressLater(Sheet(), PSBTN_OK);
    });
    for (const std::string& title : {jobs.At(1).title, jobs.At(2).title}) {
      script.OnDialog(c.caption, [&c, title](HWND box) {
        EXPECT_EQ(ui::MessageText(box), c.messages[title == kKana]);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      });
      script.OnDialog(kFolderDialogCaption, [title](HWND dialog) {
        const bool fixed = IsWindowVisible(GetDlgItem(dialog, IDC_FIXED_ACCOUNT));
        EXPECT_EQ(fixed ? ui::Text(dialog, IDC_FIXED_ACCOUNT) : ui::ComboSelection(dialog, IDC_ACCOUNT_CHOICE), title);
        if (title == kHome) {
          ui::Shot(dialog, "settings-folder-dialog");
        } else if (!fixed) {
          ui::SelectCombo(dialog, IDC_ACCOUNT_CHOICE, kHome);
          ui::Shot(dialog, "settings-folder-choice");
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      });
      script.AfterClose("the folder dialog", [&c, title] {
        HWND page = PropSheet_IndexToHwnd(Sheet(), c.page);
        EXPECT_EQ(PropSheet_GetCurrentPageHwnd(Sheet()), page);
        EXPECT_EQ(ui::ComboSelection(page, IDC_ACCOUNT_LIST), title);
        // The user gives up on this account.
        ui::Click(page, c.onOff);
        ui::PressLater(Sheet(), PSBTN_OK);
      });
    }
    script.Start();
    ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(script.Failure(), "") << c.caption;
  }
}

}  // namespace
}  // namespace settings_test
