// The pages that edit one job record at a time: send reservation, forwarding
// and commands; their folder checks on OK and how they keep accounts apart.
#include <gtest/gtest.h>

#include "res/settings_ui_ids.h"
#include "sample_data/sample_data.h"
#include "settings_fixture.h"
#include "settings_ui/settings_sheet_win.h"
#include "support/ui_script_win.h"

namespace settings_test {
namespace {

constexpr const char* kReserveCaption = "送信予約ﾍﾟｰｼﾞ";
constexpr const char* kRemainCaption = "回送予約ﾍﾟｰｼﾞ";

class RecordPagesTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    jobs_.Load(root_);
  }

  // Shows page index with the account titled title selected, as a user picks it.
  static HWND ShowAccount(int index, const std::string& title) {
    HWND page = ShowPage(index);
    ui::DropDownCombo(page, IDC_ACCOUNT_LIST);
    ui::SelectCombo(page, IDC_ACCOUNT_LIST, ComboIndex(page, IDC_ACCOUNT_LIST, title));
    return page;
  }

  // Expects the message box captioned caption with text, and closes it.
  static void ExpectMessage(ui::Script& script, const char* caption, const std::string& text) {
    script.OnDialog(caption, [text](HWND box) {
      EXPECT_EQ(ui::MessageText(box), text);
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
  }

  CSettingSheet sheet_;
  CAccountJobList& jobs_ = sheet_.Draft().jobs;
};

TEST_F(RecordPagesTest, ReservationWithoutAFolderKeepsTheSheetOpenAndOpensTheFolderDialog) {
  int applied = 0;
  sheet_.SetApplyListener([&applied] { ++applied; });
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND page = ShowAccount(kReservePage, kWork);
    ui::Click(page, IDC_RESERVE);
    EXPECT_TRUE(ui::IsEnabled(page, IDC_RESERVE_FOLDER_CHANGE));
    ui::Click(page, IDC_MARK_FIRST + 2);
    ui::Shot(Sheet(), "settings-reserve");
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  ExpectMessage(script, kReserveCaption, "送信予約ﾒｰﾙの保存先ﾌｫﾙﾀﾞが指定されていません");
  script.OnDialog(kFolderDialogCaption, [](HWND dialog) {
    EXPECT_EQ(ui::Text(dialog, IDC_FIXED_ACCOUNT), kWork);
    EXPECT_TRUE(ui::IsVisible(dialog, IDC_FIXED_ACCOUNT));
    EXPECT_FALSE(ui::IsVisible(dialog, IDC_ACCOUNT_CHOICE));
    ui::SelectTreeItem(dialog, IDC_FOLDER_TREE, "２００２年");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the folder dialog", [] {
    HWND page = ui::SheetPage(Sheet(), kReservePage);
    EXPECT_EQ(ui::ActivePageIndex(Sheet()), kReservePage);
    EXPECT_EQ(ui::Text(page, IDC_RESERVE_FOLDER), "２００２年");
    SendMessageA(Sheet(), PSM_APPLY, 0, 0);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  // Apply and the OK after it were heard, the refused OK was not.
  EXPECT_EQ(applied, 2);
  const CAccountJob* work = JobTitled(jobs_, kWork);
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(work->reserve.Reserve, 1);
  EXPECT_EQ(work->reserve.ReserveFolder, "WORK.BOX\\2002.BOX");
  EXPECT_EQ(work->reserve.reserveFolderTitle, "２００２年");
  EXPECT_EQ(work->reserve.ReserveMark, 3);
}

TEST_F(RecordPagesTest, ARefusalFromAnotherTabShowsTheAccountThatLacksTheFolder) {
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    // Not the first account in the list: coming back must not lose it.
    ui::Click(ShowAccount(kReservePage, kKana), IDC_RESERVE);
    ShowPage(kCommandPage);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  ExpectMessage(script, kReserveCaption, "送信予約ﾒｰﾙの保存先ﾌｫﾙﾀﾞが指定されていません");
  script.OnDialog(kFolderDialogCaption, [](HWND dialog) {
    EXPECT_EQ(ui::Text(dialog, IDC_FIXED_ACCOUNT), kKana);
    // ｶﾅ has no folders: nothing to confirm.
    EXPECT_FALSE(ui::IsEnabled(dialog, IDOK));
    EXPECT_TRUE(ui::TreeTexts(dialog, IDC_FOLDER_TREE).empty());
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  script.AfterClose("the folder dialog", [] {
    HWND page = ui::SheetPage(Sheet(), kReservePage);
    EXPECT_EQ(ui::ActivePageIndex(Sheet()), kReservePage);
    EXPECT_EQ(ui::ComboSelection(page, IDC_ACCOUNT_LIST), kKana);
    ui::Click(page, IDC_RESERVE);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(JobTitled(jobs_, kKana)->reserve.Reserve, 0);
}

TEST_F(RecordPagesTest, ForwardingReportsTheSourceFolderFirstThenTheDestination) {
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND page = ShowAccount(kRemainPage, kWork);
    ui::Click(page, IDC_REMAIN);
    ui::Click(page, IDC_UNREAD_CHECK);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  ExpectMessage(script, kRemainCaption, "転送元のﾌｫﾙﾀﾞが指定されていません");
  script.OnDialog(kFolderDialogCaption, [](HWND dialog) {
    // The source may be any account; it starts at the page's own.
    EXPECT_TRUE(ui::IsVisible(dialog, IDC_ACCOUNT_CHOICE));
    EXPECT_FALSE(ui::IsVisible(dialog, IDC_FIXED_ACCOUNT));
    EXPECT_EQ(ui::ComboSelection(dialog, IDC_ACCOUNT_CHOICE), kWork);
    ui::SelectCombo(dialog, IDC_ACCOUNT_CHOICE, ComboIndex(dialog, IDC_ACCOUNT_CHOICE, kHome));
    EXPECT_EQ(ui::TreeSelection(dialog, IDC_FOLDER_TREE), "郵便受け");
    ui::SelectTreeItem(dialog, IDC_FOLDER_TREE, "予約");
    ui::Shot(dialog, "settings-folder-choice");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the source's folder dialog", [] {
    HWND page = ui::SheetPage(Sheet(), kRemainPage);
    EXPECT_EQ(ui::Text(page, IDC_REMAIN_FROM_ACCOUNT), kHome);
    EXPECT_EQ(ui::Text(page, IDC_REMAIN_FROM_FOLDER), "予約");
    ui::Shot(Sheet(), "settings-remain");
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  ExpectMessage(script, kRemainCaption, "転送先のﾌｫﾙﾀﾞが指定されていません");
  script.OnDialog(kFolderDialogCaption, [](HWND dialog) {
    // The destination stays in the page's own account.
    EXPECT_EQ(ui::Text(dialog, IDC_FIXED_ACCOUNT), kWork);
    ui::SelectTreeItem(dialog, IDC_FOLDER_TREE, "ソフト能力");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the destination's folder dialog", [] { ui::PressLater(Sheet(), PSBTN_OK); });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  const CAccountJob* work = JobTitled(jobs_, kWork);
  ASSERT_NE(work, nullptr);
  EXPECT_EQ(work->reserve.Remain, 1);
  EXPECT_EQ(work->reserve.UnReadCheck, 1);
  EXPECT_EQ(work->reserve.RemainFromAccount, "Account2");
  EXPECT_EQ(work->reserve.RemainFromFolder, "RESERVE.BOX");
  EXPECT_EQ(work->reserve.remainFromAccountTitle, kHome);
  EXPECT_EQ(work->reserve.remainFromFolderTitle, "予約");
  EXPECT_EQ(work->reserve.RemainToFolder, "WORK.BOX\\2003.BOX");
  EXPECT_EQ(work->reserve.remainToFolderTitle, "ソフト能力");
}

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
  } cases[] = {
      {kReservePage, IDC_RESERVE, kReserveCaption, [](CReserveData& d) { d.Reserve = 1; },
       [](CReserveData& d) { d.Reserve = 1; }, {noReserveFolder, noReserveFolder}},
      // A destination gone from the disk in an earlier record comes before a
      // source never chosen in a later one.
      {kRemainPage, IDC_REMAIN, kRemainCaption,
       [](CReserveData& d) {
         d.Remain = 1;
         d.RemainFromAccount = "Account2";
         d.RemainFromFolder = "RESERVE.BOX";
         d.RemainToFolder = "GONE.BOX";
       },
       [](CReserveData& d) { d.Remain = 1; },
       {"転送先のﾌｫﾙﾀﾞが指定されていません", "転送元のﾌｫﾙﾀﾞが指定されていません"}},
  };
  for (const auto& c : cases) {
    CSettingSheet sheet;
    sheet.Draft().jobs.Load(root_);
    ASSERT_EQ(sheet.Draft().jobs.Count(), 3u);
    c.second(sheet.Draft().jobs.At(1).reserve);
    c.third(sheet.Draft().jobs.At(2).reserve);
    ui::Script script;
    script.OnDialog(kSheetCaption, [&c](HWND) {
      ShowPage(c.page);
      ui::PressLater(Sheet(), PSBTN_OK);
    });
    for (std::size_t i = 1; i <= 2; ++i) {
      const std::string title = sheet.Draft().jobs.At(i).title;
      ExpectMessage(script, c.caption, c.messages[i - 1]);
      script.OnDialog(kFolderDialogCaption, [title](HWND dialog) {
        const bool fixed = ui::IsVisible(dialog, IDC_FIXED_ACCOUNT);
        EXPECT_EQ(fixed ? ui::Text(dialog, IDC_FIXED_ACCOUNT) : ui::ComboSelection(dialog, IDC_ACCOUNT_CHOICE), title);
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
    EXPECT_EQ(script.Failure(), "");
    EXPECT_TRUE(script.Finished()) << c.caption;
  }
}

TEST_F(RecordPagesTest, AFolderWithoutATitleShowsItsDirectoryNameAndIsNoMissingFolder) {
  ASSERT_TRUE(sample::DataDirectoryBuilder(root_).AddFolder("Account1", "WORK.BOX\\表示.BOX", "", ""));
  CAccountJob* work = jobs_.FindByTitle(kWork);
  ASSERT_NE(work, nullptr);
  CReserveData& data = work->reserve;
  data.Reserve = 1;
  data.ReserveFolder = "WORK.BOX\\表示.BOX";
  data.Remain = 1;
  data.RemainFromAccount = "Account1";
  data.RemainFromFolder = "WORK.BOX\\表示.BOX";
  data.RemainToFolder = "WORK.BOX\\2002.BOX";
  RefreshDerivedTitles(*work, root_);
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    EXPECT_EQ(ui::Text(ShowAccount(kReservePage, kWork), IDC_RESERVE_FOLDER), "表示.BOX");
    HWND remain = ShowAccount(kRemainPage, kWork);
    EXPECT_EQ(ui::Text(remain, IDC_REMAIN_FROM_FOLDER), "表示.BOX");
    EXPECT_EQ(ui::Text(remain, IDC_REMAIN_TO_FOLDER), "２００２年");
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(work->reserve.ReserveFolder, "WORK.BOX\\表示.BOX");
  EXPECT_EQ(work->reserve.RemainFromFolder, "WORK.BOX\\表示.BOX");
}

TEST_F(RecordPagesTest, EachAccountKeepsItsOwnValuesWhicheverWayTheSelectionMoves) {
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND page = ShowAccount(kReservePage, kWork);
    ui::Click(page, IDC_SEND_CHECK);
    // By keyboard: the selection moves without the list being opened.
    ui::SelectCombo(page, IDC_ACCOUNT_LIST, ComboIndex(page, IDC_ACCOUNT_LIST, kHome));
    EXPECT_FALSE(ui::IsChecked(page, IDC_SEND_CHECK));
    ui::Click(page, IDC_RESERVE_SEND);
    ui::SelectCombo(page, IDC_ACCOUNT_LIST, ComboIndex(page, IDC_ACCOUNT_LIST, kWork));
    EXPECT_TRUE(ui::IsChecked(page, IDC_SEND_CHECK));
    EXPECT_FALSE(ui::IsChecked(page, IDC_RESERVE_SEND));

    HWND commands = ShowAccount(kCommandPage, kWork);
    ui::Click(commands, IDC_EXEC_COMMAND);
    ui::SetText(commands, IDC_COMMAND_NAME, "C:\\ツール\\表示.exe");
    ShowAccount(kCommandPage, kHome);
    EXPECT_EQ(ui::Text(commands, IDC_COMMAND_NAME), "");
    // Leaving the page and coming back keeps what was typed.
    ShowPage(kGeneralPage);
    ShowAccount(kCommandPage, kWork);
    EXPECT_EQ(ui::Text(commands, IDC_COMMAND_NAME), "C:\\ツール\\表示.exe");
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  const CAccountJob* work = JobTitled(jobs_, kWork);
  const CAccountJob* home = JobTitled(jobs_, kHome);
  EXPECT_EQ(work->reserve.SendCheck, 1);
  EXPECT_EQ(work->ReserveSend, 0);
  EXPECT_EQ(home->reserve.SendCheck, 0);
  EXPECT_EQ(home->ReserveSend, 1);
  EXPECT_EQ(work->command.ExecCommand, 1);
  EXPECT_EQ(work->command.CommandName, "C:\\ツール\\表示.exe");
  EXPECT_EQ(home->command.ExecCommand, 0);
}

TEST_F(RecordPagesTest, TheCommandPageEnablesArgumentsByItsSwitches) {
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND page = ShowAccount(kCommandPage, kWork);
    const int argumentControls[] = {IDC_COMMAND_NAME, IDC_COMMAND_BROWSE, IDC_PARAM_MAILBOX, IDC_PARAM_ACCOUNT};
    for (int id : argumentControls) {
      EXPECT_FALSE(ui::IsEnabled(page, id)) << id;
    }
    ui::Click(page, IDC_EXEC_COMMAND);
    for (int id : argumentControls) {
      EXPECT_TRUE(ui::IsEnabled(page, id)) << id;
    }
    EXPECT_FALSE(ui::IsEnabled(page, IDC_ACCOUNT_SWITCH));
    ui::Click(page, IDC_PARAM_ACCOUNT);
    EXPECT_TRUE(ui::IsEnabled(page, IDC_ACCOUNT_SWITCH));
    EXPECT_FALSE(ui::IsEnabled(page, IDC_MAILBOX_SWITCH));
    ui::SetText(page, IDC_ACCOUNT_SWITCH, "/a:");
    ui::Shot(Sheet(), "settings-command");
    ui::Click(page, IDC_EXEC_COMMAND);
    EXPECT_FALSE(ui::IsEnabled(page, IDC_ACCOUNT_SWITCH));
    EXPECT_EQ(ui::Text(page, IDC_ACCOUNT_SWITCH), "/a:");
    // Sorting changes no enabling.
    ui::Click(page, IDC_PRE_TIDY_UP);
    EXPECT_FALSE(ui::IsEnabled(page, IDC_COMMAND_NAME));
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet_.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  const CCommandData& command = JobTitled(jobs_, kWork)->command;
  EXPECT_EQ(command.PreTidyUp, 1);
  EXPECT_EQ(command.ExecCommand, 0);
  EXPECT_EQ(command.ParamAccount, 1);
  EXPECT_EQ(command.AccountSwitch, "/a:");
}

}  // namespace
}  // namespace settings_test
