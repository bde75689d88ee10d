// The pages that edit one job record at a time: the folders they name, and
// their checks on OK over every account.
#include <gtest/gtest.h>

#include "res/settings_ui_ids.h"
#include "sample_data/sample_data.h"
#include "settings_fixture.h"
#include "settings_ui/settings_sheet_win.h"
#include "support/ui_script_win.h"

namespace settings_test {
namespace {

using RecordPagesTest = SettingsTest;

TEST_F(RecordPagesTest, OkChecksEveryAccountInRecordOrderNotJustTheOneOnScreen) {
  const std::string noReserveFolder = "送信予約ﾒｰﾙの保存先ﾌｫﾙﾀﾞが指定されていません";
  const struct {
    int page;
    int onOff;  // the page's own switch
    const char* caption;
    // The second and third records in record order; the first stays on screen.
    void (*second)(CReserveData&);
    void (*third)(CReserveData&);
    std::string messages[2];
    const char* shots[2];
  } cases[] = {
      {kReservePage, IDC_RESERVE, "送信予約ﾍﾟｰｼﾞ", [](CReserveData& d) { d.Reserve = 1; },
       [](CReserveData& d) { d.Reserve = 1; }, {noReserveFolder, noReserveFolder},
       {"settings-folder-dialog", nullptr}},
      // A destination gone from the disk in an earlier record comes before a
      // source never chosen in a later one, which may be in any account.
      {kRemainPage, IDC_REMAIN, "回送予約ﾍﾟｰｼﾞ",
       [](CReserveData& d) {
         d.Remain = 1;
         d.RemainFromAccount = "Account2";
         d.RemainFromFolder = "RESERVE.BOX";
         d.RemainToFolder = "GONE.BOX";
       },
       [](CReserveData& d) { d.Remain = 1; },
       {"転送先のﾌｫﾙﾀﾞが指定されていません", "転送元のﾌｫﾙﾀﾞが指定されていません"},
       {nullptr, "settings-folder-choice"}},
  };
  for (const auto& c : cases) {
    CSettingSheet sheet;
    CAccountJobList& jobs = sheet.Draft().jobs;
    jobs.Load(root_);
    ASSERT_EQ(jobs.Count(), 3u);
    c.second(jobs.At(1).reserve);
    c.third(jobs.At(2).reserve);
    ui::Script script;
    script.OnDialog(kSheetCaption, [&c](HWND) {
      ShowPage(c.page);
      ui::PressLater(Sheet(), PSBTN_OK);
    });
    for (std::size_t i = 1; i <= 2; ++i) {
      const std::string title = jobs.At(i).title;
      script.OnDialog(c.caption, [&c, i](HWND box) {
        EXPECT_EQ(ui::MessageText(box), c.messages[i - 1]);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      });
      script.OnDialog(kFolderDialogCaption, [&c, i, title](HWND dialog) {
        const std::string shown = ui::Text(dialog, IDC_FIXED_ACCOUNT);
        EXPECT_EQ(IsWindowVisible(GetDlgItem(dialog, IDC_FIXED_ACCOUNT)) ? shown
                                                                         : ui::ComboSelection(dialog, IDC_ACCOUNT_CHOICE),
                  title);
        if (c.shots[i - 1] != nullptr) {
          ui::Shot(dialog, c.shots[i - 1]);
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      });
      script.AfterClose("the folder dialog", [&c, title] {
        HWND page = ui::SheetPage(Sheet(), c.page);
        EXPECT_EQ(ui::ActivePageIndex(Sheet()), c.page);
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

TEST_F(RecordPagesTest, AFolderIsJudgedByItsPathAndWithoutATitleShownByItsDirectoryName) {
  ASSERT_TRUE(sample::DataDirectoryBuilder(root_).AddFolder("Account1", "WORK.BOX\\表示.BOX", "", ""));
  CSettingSheet sheet;
  CAccountJob* work = sheet.Draft().jobs.Load(root_) ? sheet.Draft().jobs.FindByTitle(kWork) : nullptr;
  ASSERT_NE(work, nullptr);
  work->reserve.Remain = 1;
  work->reserve.RemainFromAccount = "Account1";
  work->reserve.RemainFromFolder = "WORK.BOX\\表示.BOX";
  work->reserve.RemainToFolder = "work.box\\2002.box";
  RefreshDerivedTitles(*work, root_);
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND remain = ShowPage(kRemainPage);
    EXPECT_EQ(ui::Text(remain, IDC_REMAIN_FROM_FOLDER), "表示.BOX");
    EXPECT_EQ(ui::Text(remain, IDC_REMAIN_TO_FOLDER), "２００２年");
    HWND reserve = ShowPage(kReservePage);
    ui::Click(reserve, IDC_RESERVE);
    ui::ClickLater(reserve, IDC_RESERVE_FOLDER_CHANGE);
  });
  script.OnDialog(kFolderDialogCaption, [](HWND dialog) {
    ui::SelectTreeItem(dialog, IDC_FOLDER_TREE, "表示.BOX");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the folder dialog", [] {
    EXPECT_EQ(ui::Text(ui::SheetPage(Sheet(), kReservePage), IDC_RESERVE_FOLDER), "表示.BOX");
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(work->reserve.ReserveFolder, "WORK.BOX\\表示.BOX");
  EXPECT_EQ(work->reserve.RemainFromFolder, "WORK.BOX\\表示.BOX");
}

}  // namespace
}  // namespace settings_test
