// The settings sheet as a whole: what OK, Apply and Cancel store, the general
// page's fetch accounts, and a change of the data root on the first page.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "client/mailbox_paths.h"
#include "res/settings_ui_ids.h"
#include "settings/settings_layout.h"
#include "settings_fixture.h"
#include "settings_ui/settings_sheet_win.h"
#include "support/ui_script_win.h"

namespace settings_test {
namespace {

constexpr const char* kChooserCaption = "ﾌｫﾙﾀﾞの選択";

using SettingsSheetTest = SettingsTest;

std::vector<std::string> Sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

// The titles of the general page's tree that carry a check mark.
std::vector<std::string> CheckedInTree(HWND page) {
  std::vector<std::string> checked;
  for (const std::string& title : ui::TreeTexts(page, IDC_ACCOUNT_TREE)) {
    TVITEMA item{};
    item.mask = TVIF_HANDLE | TVIF_IMAGE;
    item.hItem = ui::FindTreeItem(page, IDC_ACCOUNT_TREE, title);
    SendDlgItemMessageA(page, IDC_ACCOUNT_TREE, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    if (item.iImage == 1) {
      checked.push_back(title);
    }
  }
  return checked;
}

std::vector<std::string> StoredFetchAccounts() {
  CSettingsKey settings;
  CRegistryKey list;
  std::vector<std::string> names;
  std::string name;
  if (list.Open(settings, layout::kDefAccountKey)) {
    for (int i = 0; list.EnumSubkeyName(i, name); ++i) {
      names.push_back(name);
    }
  }
  return names;
}

// Browses for the data root on the mail client page: the chooser starts in
// the current data root, opens the folders named in path one after the other
// (".." for the parent) and confirms the folder it then shows.
void ChooseDataRoot(ui::Script& script, const std::vector<std::string>& path) {
  script.Do("browse for the data root", [] { ui::ClickLater(ShowPage(kCorvidPage), IDC_MAILBOX_BROWSE); });
  script.OnDialog(kChooserCaption, [path](HWND chooser) {
    HWND folders = GetDlgItem(chooser, lst2);
    for (const std::string& name : path) {
      const std::string item = "[" + name + "]";
      const LRESULT index =
          SendMessageA(folders, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
      ASSERT_GE(index, 0) << name;
      SendMessageA(folders, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
      SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(lst2, LBN_DBLCLK), reinterpret_cast<LPARAM>(folders));
    }
    PostMessageA(chooser, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the chooser", [] {});
}

// The process's current directory for as long as the object lives.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const std::string& path) {
    GetCurrentDirectoryA(MAX_PATH, saved_);
    SetCurrentDirectoryA(path.c_str());
  }
  ~CurrentDirectory() { SetCurrentDirectoryA(saved_); }
  CurrentDirectory(const CurrentDirectory&) = delete;
  CurrentDirectory& operator=(const CurrentDirectory&) = delete;

 private:
  char saved_[MAX_PATH] = "";
};

TEST_F(SettingsSheetTest, OkWithoutTheGeneralPageKeepsTheStoredTrayOption) {
  {
    CSettingsKey settings;
    layout::Write(settings, layout::kTaskTray, 1);
  }
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    EXPECT_EQ(ui::ActivePageIndex(Sheet()), kCorvidPage);
    EXPECT_EQ(ui::SheetPage(Sheet(), kGeneralPage), nullptr);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(sheet.GeneralPage().TaskTray(), 1);
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kTaskTray), 1);
  // The mail client page was shown, so OK stored it, the data root included.
  EXPECT_EQ(layout::Read(settings, layout::kMailBoxPath), root_);
}

TEST_F(SettingsSheetTest, ApplyThenCancelLeavesThePagesValuesStoredButNotTheJobSettings) {
  CSettingSheet sheet;
  sheet.Jobs().Load(root_);
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    ui::Click(ShowPage(kGeneralPage), IDC_TOP_MOST);
    HWND schedule = ShowPage(kSchedulePage);
    ui::SetText(schedule, IDC_RETRY_COUNT, "3");
    HWND reserve = ShowPage(kReservePage);
    ui::Click(reserve, IDC_RESERVE_SEND);
    SendMessageA(Sheet(), PSM_APPLY, 0, 0);
    ui::PressLater(Sheet(), PSBTN_CANCEL);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(script.Failure(), "");
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kTopMost), 1);
  EXPECT_EQ(layout::Read(settings, layout::kRetryCount), 3);
  EXPECT_EQ(layout::Read(settings, layout::kMailBoxPath), root_);
  CRegistryKey schedule;
  EXPECT_TRUE(schedule.Open(settings, layout::kScheduleKey));
  // The job settings are the opener's to save, after OK only.
  CRegistryKey accounts;
  EXPECT_FALSE(accounts.Open(settings, layout::kAccountsKey));
}

TEST_F(SettingsSheetTest, TickingThreeFetchAccountsStoresExactlyThemInTreeOrder) {
  {
    CSettingsKey settings;
    // A title that is gone and one that differs only in letter case are dropped.
    layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, {"旧アカウント", "ＫＡＮＡ"});
  }
  CSettingSheet sheet;
  LOGFONTA nowFont{};
  LOGFONTA nextFont{};
  lstrcpyA(nowFont.lfFaceName, "ＭＳ Ｐ明朝");
  lstrcpyA(nextFont.lfFaceName, "ＭＳ Ｐゴシック");
  sheet.GeneralPage().SetFonts(nowFont, nextFont);
  std::vector<std::string> treeOrder;
  ui::Script script;
  script.OnDialog(kSheetCaption, [&](HWND) {
    HWND general = ShowPage(kGeneralPage);
    treeOrder = ui::TreeTexts(general, IDC_ACCOUNT_TREE);
    for (const char* title : {kKana, kWork, kHome}) {
      ui::ClickTreeItem(general, IDC_ACCOUNT_TREE, title);
    }
    ui::Shot(Sheet(), "settings-general");
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  ASSERT_EQ(treeOrder.size(), 3u);
  EXPECT_EQ(StoredFetchAccounts(), (std::vector<std::string>{"account0", "account1", "account2"}));
  CSettingsKey settings;
  std::vector<std::string> stored;
  layout::ReadTextList(settings, layout::kDefAccountKey, stored);
  EXPECT_EQ(stored, treeOrder);
}

TEST_F(SettingsSheetTest, UncheckingEveryAccountLeavesAnEmptyList) {
  {
    CSettingsKey settings;
    layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, {kHome});
  }
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND general = ShowPage(kGeneralPage);
    ui::ClickTreeItem(general, IDC_ACCOUNT_TREE, kHome);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  CSettingsKey settings;
  CRegistryKey list;
  ASSERT_TRUE(list.Open(settings, layout::kDefAccountKey));
  EXPECT_EQ(list.CountSubkeys(), 0);
}

TEST_F(SettingsSheetTest, TheTrayBoxGovernsTheDoubleClickChoiceWhichIsStoredUnchanged) {
  {
    CSettingsKey settings;
    layout::Write(settings, layout::kRDoubleClk, 2);
  }
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND general = ShowPage(kGeneralPage);
    for (int id : {IDC_DOUBLE_CLICK_LABEL, IDC_DOUBLE_CLICK_SHOW, IDC_DOUBLE_CLICK_SETTINGS, IDC_DOUBLE_CLICK_FETCH}) {
      EXPECT_FALSE(ui::IsEnabled(general, id)) << id;
    }
    EXPECT_TRUE(ui::IsChecked(general, IDC_DOUBLE_CLICK_FETCH));
    ui::Click(general, IDC_TASK_TRAY);
    EXPECT_TRUE(ui::IsEnabled(general, IDC_DOUBLE_CLICK_SETTINGS));
    ui::Click(general, IDC_TASK_TRAY);
    EXPECT_FALSE(ui::IsEnabled(general, IDC_DOUBLE_CLICK_SETTINGS));
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kRDoubleClk), 2);
  EXPECT_EQ(layout::Read(settings, layout::kTaskTray), 0);
}

TEST_F(SettingsSheetTest, ADataRootChangeReloadsThePagesAlreadyShown) {
  // No data root yet: the pages start without accounts, and the chooser
  // opens in the current directory.
  UseDataRoot("");
  CurrentDirectory current(otherRoot_);
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    for (int index : {kReservePage, kRemainPage, kCommandPage}) {
      HWND page = ShowPage(index);
      EXPECT_FALSE(ui::IsEnabled(page, IDC_ACCOUNT_LIST)) << index;
    }
    EXPECT_FALSE(ui::IsEnabled(ShowPage(kCorvidPage), IDC_ACCOUNT_LIST));
  });
  ChooseDataRoot(script, {});
  script.Do("look at the pages without showing them", [this, &sheet] {
    EXPECT_EQ(sheet.MailBoxPath(), otherRoot_);
    EXPECT_EQ(ui::ActivePageIndex(Sheet()), kCorvidPage);
    EXPECT_TRUE(ui::IsEnabled(ui::SheetPage(Sheet(), kCorvidPage), IDC_ACCOUNT_LIST));
    const std::string first = sheet.Jobs().At(0).title;
    for (int index : {kReservePage, kRemainPage, kCommandPage}) {
      HWND page = ui::SheetPage(Sheet(), index);
      std::vector<std::string> items = ui::ComboItems(page, IDC_ACCOUNT_LIST);
      std::sort(items.begin(), items.end());
      EXPECT_EQ(items, Sorted({kOtherFirst, kOtherSecond, kHome})) << index;
      EXPECT_EQ(ui::ComboSelection(page, IDC_ACCOUNT_LIST), first) << index;
      EXPECT_TRUE(ui::IsEnabled(page, IDC_ACCOUNT_LIST)) << index;
      EXPECT_EQ(ui::Text(page, IDC_MAILBOX_PATH), otherRoot_) << index;
    }
    EXPECT_TRUE(ui::IsEnabled(ui::SheetPage(Sheet(), kRemainPage), IDC_REMAIN));
    EXPECT_TRUE(ui::IsEnabled(ui::SheetPage(Sheet(), kReservePage), IDC_RESERVE));
    EXPECT_TRUE(ui::IsEnabled(ui::SheetPage(Sheet(), kCommandPage), IDC_EXEC_COMMAND));
    ui::Shot(Sheet(), "settings-corvid");
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kMailBoxPath), otherRoot_);
  EXPECT_EQ(layout::Read(settings, layout::kDefAccount), sheet.AccountTitles().front());
}

TEST_F(SettingsSheetTest, AnotherDataRootWithAsManyAccountsRebuildsTheFetchAccounts) {
  {
    CSettingsKey settings;
    layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, {kWork});
  }
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND general = ShowPage(kGeneralPage);
    EXPECT_EQ(Sorted(ui::TreeTexts(general, IDC_ACCOUNT_TREE)), Sorted({kWork, kHome, kKana}));
    EXPECT_EQ(CheckedInTree(general), std::vector<std::string>{kWork});
    ui::ClickTreeItem(general, IDC_ACCOUNT_TREE, kHome);
  });
  ChooseDataRoot(script, {"..", "別ソフト"});
  script.Do("look at the general page again", [] {
    HWND general = ShowPage(kGeneralPage);
    EXPECT_EQ(Sorted(ui::TreeTexts(general, IDC_ACCOUNT_TREE)), Sorted({kOtherFirst, kOtherSecond, kHome}));
    // The marks come from the stored list again, not from the clicks.
    EXPECT_TRUE(CheckedInTree(general).empty());
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kMailBoxPath), otherRoot_);
  EXPECT_TRUE(StoredFetchAccounts().empty());
}

TEST_F(SettingsSheetTest, AFolderWithoutMailBoxIsRefusedAndChangesNothing) {
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {});
  ChooseDataRoot(script, {"mailbox"});
  script.OnDialog("LARKSPUR32", [this](HWND box) {
    const std::string expected = JoinPath(root_, "mailbox") + " は有効なメールボックスでは有りません";
    EXPECT_EQ(lstrcmpiA(ui::MessageText(box).c_str(), expected.c_str()), 0) << ui::MessageText(box);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the message", [] { ui::PressLater(Sheet(), PSBTN_CANCEL); });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(sheet.MailBoxPath(), root_);
  EXPECT_EQ(sheet.AccountTitles().size(), 3u);
}

TEST_F(SettingsSheetTest, TheDriveRootIsADataRootExactlyWhenItHoldsMailBox) {
  // C: is the Wine prefix's own drive; "C:\" + "MailBox" must not double the backslash.
  UseDataRoot("C:\\");
  for (const bool withMailBox : {false, true}) {
    if (withMailBox) {
      ASSERT_TRUE(CreateDirectoryA("C:\\MailBox", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    CSettingSheet sheet;
    bool refused = false;
    ui::Script script;
    script.OnDialog(kSheetCaption, [](HWND) {});
    ChooseDataRoot(script, {});
    script.Do("OK", [&refused] {
      if (HWND box = ui::FindModal("LARKSPUR32")) {
        refused = true;
        EXPECT_EQ(ui::MessageText(box), "C:\\ は有効なメールボックスでは有りません");
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      ui::PressLater(Sheet(), PSBTN_OK);
    });
    script.Start();
    const INT_PTR result = sheet.DoModal(nullptr);
    RemoveDirectoryA("C:\\MailBox");
    ASSERT_EQ(result, IDOK);
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(refused, !withMailBox);
    CSettingsKey settings;
    EXPECT_EQ(layout::Read(settings, layout::kMailBoxPath), "C:\\");
  }
}

TEST_F(SettingsSheetTest, TheMailClientPageKeepsTheStoredAccountAndHidesItsExtras) {
  {
    CSettingsKey settings;
    layout::Write(settings, layout::kDefAccount, std::string(kHome));
    layout::Write(settings, layout::kCorvidPath, std::string("C:\\Program Files\\ソフト\\corvid.exe"));
  }
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND page = ui::SheetPage(Sheet(), kCorvidPage);
    EXPECT_EQ(ui::ComboSelection(page, IDC_ACCOUNT_LIST), kHome);
    EXPECT_EQ(ui::Text(page, IDC_CORVID_PATH), "C:\\Program Files\\ソフト\\corvid.exe");
    EXPECT_FALSE(ui::IsVisible(page, IDC_DEF_MAILBOX));
    EXPECT_FALSE(ui::IsVisible(page, IDC_CHANGE_TEST));
    // A visit elsewhere keeps the account the user picked.
    ui::SelectCombo(page, IDC_ACCOUNT_LIST, ComboIndex(page, IDC_ACCOUNT_LIST, kKana));
    ShowPage(kGeneralPage);
    EXPECT_EQ(ui::ComboSelection(ShowPage(kCorvidPage), IDC_ACCOUNT_LIST), kKana);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kDefAccount), kKana);
}

}  // namespace
}  // namespace settings_test
