// The settings sheet as a whole: what OK, Apply and Cancel store, the general
// page's fetch accounts, a change of the data root on the first page, and
// the boxes of every settings dialog that show the user's texts.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "data_dir/mailbox_paths.h"
#include "res/settings_ui_ids.h"
#include "settings/settings_layout.h"
#include "settings_fixture.h"
#include "settings_ui/settings_sheet_win.h"
#include "support/ui_script_win.h"
#include "win/application_win.h"

namespace settings_test {
namespace {

constexpr const char* kChooserCaption = "ﾌｫﾙﾀﾞの選択";
// The sheet's own Apply button.
constexpr int kApplyButton = 0x3021;

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
  std::vector<std::string> titles;
  layout::ReadTextList(CSettingsKey(), layout::kDefAccountKey, titles);
  return titles;
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

TEST_F(SettingsSheetTest, OkWithoutTheGeneralPageKeepsTheStoredTrayOptionAndTheMailClientPageItsAccount) {
  {
    CSettingsKey settings;
    layout::Write(settings, layout::kTaskTray, 1);
    layout::Write(settings, layout::kDefAccount, std::string(kHome));
  }
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND page = ui::SheetPage(Sheet(), kCorvidPage);
    EXPECT_EQ(ui::ActivePageIndex(Sheet()), kCorvidPage);
    EXPECT_EQ(ui::ComboSelection(page, IDC_ACCOUNT_LIST), kHome);
    EXPECT_FALSE(ui::IsVisible(page, IDC_DEF_MAILBOX));
    EXPECT_FALSE(ui::IsVisible(page, IDC_CHANGE_TEST));
    // A visit to another page keeps the account the user picked.
    ui::SelectCombo(page, IDC_ACCOUNT_LIST, ComboIndex(page, IDC_ACCOUNT_LIST, kKana));
    ShowPage(kSchedulePage);
    EXPECT_EQ(ui::ComboSelection(ShowPage(kCorvidPage), IDC_ACCOUNT_LIST), kKana);
    EXPECT_EQ(ui::SheetPage(Sheet(), kGeneralPage), nullptr);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(sheet.Draft().general.TaskTray, 1);
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kTaskTray), 1);
  EXPECT_EQ(layout::Read(settings, layout::kDefAccount), kKana);
  // Stored by OK even though it never changed.
  EXPECT_EQ(layout::Read(settings, layout::kMailBoxPath), root_);
}

TEST_F(SettingsSheetTest, TheFetchAccountsStoredAreExactlyTheTicksInTreeOrder) {
  const struct {
    bool accounts;  // false: the data root has none (say, it is out of reach)
    std::vector<std::string> stored;
    std::vector<std::string> clicked;
    std::vector<std::string> keyed;  // turned by the space key
    std::size_t expected;
  } cases[] = {
      // A title that is gone and one that differs only in letter case are dropped.
      {true, {"旧アカウント", "ＫＡＮＡ"}, {kKana, kWork, kHome}, {}, 3},
      {true, {kHome}, {}, {kHome}, 0},
      // Nothing to tick is no reason to forget the stored list.
      {false, {kHome, "旧アカウント"}, {}, {}, 2},
  };
  for (const auto& c : cases) {
    UseDataRoot(c.accounts ? root_ : scratch_.Path());
    {
      CSettingsKey settings;
      layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, c.stored);
      layout::Write(settings, layout::kNowTimeColor, static_cast<std::int32_t>(RGB(128, 0, 0)));
      layout::Write(settings, layout::kNextTimeColor, static_cast<std::int32_t>(RGB(0, 0, 128)));
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
      for (const std::string& title : c.clicked) {
        ui::ClickTreeItem(general, IDC_ACCOUNT_TREE, title);
      }
      for (const std::string& title : c.keyed) {
        ui::PressSpaceOnTreeItem(general, IDC_ACCOUNT_TREE, title);
      }
      if (c.accounts && c.expected != 0) {
        ui::Shot(Sheet(), "settings-general");
      }
      ui::PressLater(Sheet(), PSBTN_OK);
    });
    script.Start();
    ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(StoredFetchAccounts(), !c.accounts ? c.stored : c.expected == 0 ? std::vector<std::string>{} : treeOrder);
    // The clock's fonts from the main window and its stored colours go back
    // with the rest of the page.
    CSettingsKey settings;
    EXPECT_EQ(layout::Read(settings, layout::kNowTimeFont), "ＭＳ Ｐ明朝");
    EXPECT_EQ(layout::Read(settings, layout::kNextTimeFont), "ＭＳ Ｐゴシック");
    EXPECT_EQ(layout::Read(settings, layout::kNowTimeColor), static_cast<std::int32_t>(RGB(128, 0, 0)));
    EXPECT_EQ(layout::Read(settings, layout::kNextTimeColor), static_cast<std::int32_t>(RGB(0, 0, 128)));
  }
}

TEST_F(SettingsSheetTest, TheTrayBoxGovernsTheDoubleClickChoiceWhichIsStoredUnchanged) {
  // 5 is no choice of the radio group: none is ticked, and it stays 5.
  for (const int stored : {2, 5}) {
    {
      CSettingsKey settings;
      layout::Write(settings, layout::kRDoubleClk, stored);
    }
    CSettingSheet sheet;
    ui::Script script;
    script.OnDialog(kSheetCaption, [stored](HWND) {
      HWND general = ShowPage(kGeneralPage);
      EXPECT_FALSE(ui::IsEnabled(general, IDC_DOUBLE_CLICK_SETTINGS));
      EXPECT_EQ(ui::IsChecked(general, IDC_DOUBLE_CLICK_FETCH), stored == 2);
      ui::Click(general, IDC_TASK_TRAY);
      EXPECT_TRUE(ui::IsEnabled(general, IDC_DOUBLE_CLICK_SETTINGS));
      ui::Click(general, IDC_TASK_TRAY);
      EXPECT_FALSE(ui::IsEnabled(general, IDC_DOUBLE_CLICK_SETTINGS));
      ui::PressLater(Sheet(), PSBTN_OK);
    });
    script.Start();
    ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
    CSettingsKey settings;
    EXPECT_EQ(layout::Read(settings, layout::kRDoubleClk), stored);
    EXPECT_EQ(layout::Read(settings, layout::kTaskTray), 0);
  }
}

TEST_F(SettingsSheetTest, EveryChangeOnTheMailClientAndGeneralPagesEnablesApply) {
  enum Change { kType, kSelectNext, kConfirmPicker };
  const struct {
    int page;
    int id;
    Change change;
  } cases[] = {
      {kCorvidPage, IDC_CORVID_PATH, kType},
      {kCorvidPage, IDC_ACCOUNT_LIST, kSelectNext},
      {kGeneralPage, IDC_NEXT_FONT_CHANGE, kConfirmPicker},
      {kGeneralPage, IDC_NOW_COLOR, kConfirmPicker},
  };
  const auto picker = [] { return ui::FindOtherModal({Sheet()}); };
  for (const auto& c : cases) {
    CSettingSheet sheet;
    ui::Script script;
    script.OnDialog(kSheetCaption, [&c](HWND) {
      HWND page = ShowPage(c.page);
      EXPECT_FALSE(ui::IsEnabled(Sheet(), kApplyButton)) << c.id;
      if (c.change == kType) {
        ui::SetText(page, c.id, "C:\\ソフト\\表示.exe");
      } else if (c.change == kSelectNext) {
        const LRESULT shown = SendDlgItemMessageA(page, c.id, CB_GETCURSEL, 0, 0);
        ui::SelectCombo(page, c.id, static_cast<int>((shown + 1) % 3));
      } else {
        ui::ClickLater(page, c.id);
      }
    });
    if (c.change == kConfirmPicker) {
      script.When("the picker", [picker] { return picker() != nullptr; },
                  [picker] { PostMessageA(picker(), WM_COMMAND, IDOK, 0); });
      script.When("the picker to close", [picker] { return picker() == nullptr; }, [] {});
    }
    script.Do("look at Apply", [&c] {
      EXPECT_TRUE(ui::IsEnabled(Sheet(), kApplyButton)) << c.id;
      ui::PressLater(Sheet(), PSBTN_CANCEL);
    });
    script.Start();
    EXPECT_EQ(sheet.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(script.Failure(), "");
  }
}

TEST_F(SettingsSheetTest, ADataRootChangeReloadsThePagesAlreadyShown) {
  {
    CSettingsKey settings;
    layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, {kWork, kHome});
  }
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    for (int index : {kReservePage, kRemainPage, kCommandPage}) {
      ShowPage(index);
    }
    HWND general = ShowPage(kGeneralPage);
    EXPECT_EQ(Sorted(CheckedInTree(general)), Sorted({kWork, kHome}));
    ui::ClickTreeItem(general, IDC_ACCOUNT_TREE, kHome);
  });
  // As many accounts as before, with other titles.
  ChooseDataRoot(script, {"..", "別ソフト"});
  script.Do("look at the pages without showing them", [this, &sheet] {
    EXPECT_EQ(sheet.Draft().client.MailBoxPath, otherRoot_);
    const std::string first = sheet.Draft().jobs.At(0).title;
    for (int index : {kReservePage, kRemainPage, kCommandPage}) {
      HWND page = ui::SheetPage(Sheet(), index);
      EXPECT_EQ(Sorted(ui::ComboItems(page, IDC_ACCOUNT_LIST)), Sorted({kOtherFirst, kOtherSecond, kHome})) << index;
      EXPECT_EQ(ui::ComboSelection(page, IDC_ACCOUNT_LIST), first) << index;
      EXPECT_EQ(ui::Text(page, IDC_MAILBOX_PATH), otherRoot_) << index;
    }
    ui::Shot(Sheet(), "settings-corvid");
    HWND general = ui::SheetPage(Sheet(), kGeneralPage);
    EXPECT_EQ(Sorted(ui::TreeTexts(general, IDC_ACCOUNT_TREE)), Sorted({kOtherFirst, kOtherSecond, kHome}));
    // The marks come from the stored list again, not from the clicks.
    EXPECT_EQ(CheckedInTree(general), std::vector<std::string>{kHome});
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  CSettingsKey settings;
  EXPECT_EQ(layout::Read(settings, layout::kMailBoxPath), otherRoot_);
  EXPECT_EQ(layout::Read(settings, layout::kDefAccount), sheet.Draft().accountTitles.front());
  EXPECT_EQ(StoredFetchAccounts(), std::vector<std::string>{kHome});
}

TEST_F(SettingsSheetTest, ChoosingTheSameDataRootAgainKeepsWhatThePagesHold) {
  const struct {
    std::string stored;
    std::vector<std::string> path;
  } cases[] = {
      {root_ + "\\", {}},
      {root_, {"..", "データ"}},
  };
  for (const auto& c : cases) {
    UseDataRoot(c.stored);
    CSettingSheet sheet;
    sheet.Draft().jobs.Load(c.stored);
    ui::Script script;
    script.OnDialog(kSheetCaption, [](HWND) {
      HWND commands = ShowPage(kCommandPage);
      ui::SelectCombo(commands, IDC_ACCOUNT_LIST, ComboIndex(commands, IDC_ACCOUNT_LIST, kWork));
      ui::Click(commands, IDC_EXEC_COMMAND);
      ui::SetText(commands, IDC_COMMAND_NAME, "C:\\ツール\\表示.exe");
    });
    ChooseDataRoot(script, c.path);
    script.Do("OK", [] { ui::PressLater(Sheet(), PSBTN_OK); });
    script.Start();
    ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(sheet.Draft().client.MailBoxPath, c.stored);
    const CAccountJob* work = JobTitled(sheet.Draft().jobs, kWork);
    ASSERT_NE(work, nullptr);
    EXPECT_EQ(work->command.CommandName, "C:\\ツール\\表示.exe") << c.stored;
  }
}

TEST_F(SettingsSheetTest, PagesWithoutAccountsComeAliveWhenTheDataRootGetsSome) {
  // The scratch folder holds both roots but is none itself.
  UseDataRoot(scratch_.Path());
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    HWND remain = ShowPage(kRemainPage);
    EXPECT_FALSE(ui::IsEnabled(remain, IDC_ACCOUNT_LIST));
    EXPECT_FALSE(ui::IsEnabled(remain, IDC_REMAIN));
    EXPECT_FALSE(ui::IsEnabled(ShowPage(kCorvidPage), IDC_ACCOUNT_LIST));
  });
  ChooseDataRoot(script, {"別ソフト"});
  script.Do("look at the pages", [] {
    EXPECT_TRUE(ui::IsEnabled(ui::SheetPage(Sheet(), kCorvidPage), IDC_ACCOUNT_LIST));
    HWND remain = ui::SheetPage(Sheet(), kRemainPage);
    EXPECT_TRUE(ui::IsEnabled(remain, IDC_ACCOUNT_LIST));
    EXPECT_TRUE(ui::IsEnabled(remain, IDC_REMAIN));
    ui::PressLater(Sheet(), PSBTN_CANCEL);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(script.Failure(), "");
}

TEST_F(SettingsSheetTest, AFolderIsADataRootExactlyWhenItHoldsMailBox) {
  // C: is the Wine prefix's own drive: "C:\" and "MailBox" make "C:\MailBox".
  const struct {
    std::string start;
    std::vector<std::string> path;
    bool makeDriveMailBox;
    std::string refused;  // the folder the message names; empty when accepted
  } cases[] = {
      {root_, {"mailbox"}, false, JoinPath(root_, "mailbox")},
      {"C:\\", {}, false, "C:\\"},
      {"C:\\", {}, true, ""},
  };
  for (const auto& c : cases) {
    UseDataRoot(c.start);
    if (c.makeDriveMailBox) {
      ASSERT_TRUE(CreateDirectoryA("C:\\MailBox", nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    }
    CSettingSheet sheet;
    std::string message;
    ui::Script script;
    script.OnDialog(kSheetCaption, [](HWND) {});
    ChooseDataRoot(script, c.path);
    script.Do("OK", [&message] {
      if (HWND box = ui::FindModal("LARKSPUR32")) {
        message = ui::MessageText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      ui::PressLater(Sheet(), PSBTN_CANCEL);
    });
    script.Start();
    const INT_PTR result = sheet.DoModal(nullptr);
    RemoveDirectoryA("C:\\MailBox");
    ASSERT_EQ(result, IDCANCEL);
    EXPECT_EQ(script.Failure(), "");
    if (c.refused.empty()) {
      EXPECT_EQ(message, "");
      EXPECT_EQ(sheet.Draft().client.MailBoxPath, c.start);
      EXPECT_TRUE(sheet.Draft().accountTitles.empty());
    } else {
      EXPECT_EQ(lstrcmpiA(message.c_str(), (c.refused + " は有効なメールボックスでは有りません").c_str()), 0)
          << message;
      EXPECT_EQ(sheet.Draft().client.MailBoxPath, c.start);
    }
  }
}

BOOL CALLBACK CollectEmptyTextBox(HWND child, LPARAM param) {
  char className[16] = "";
  GetClassNameA(child, className, sizeof className);
  const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
  const LONG_PTR type = style & SS_TYPEMASK;
  const bool text = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP;
  if (lstrcmpiA(className, "Static") == 0 && text && GetWindowTextLengthA(child) == 0) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
  }
  return TRUE;
}

INT_PTR CALLBACK InertDialog(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(SettingsDialogs, EveryBoxFilledAtRunTimeShowsAnAmpersandAsItIs) {
  // Titles, paths and font names may hold "&"; a box without SS_NOPREFIX
  // would underline the next character instead.
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  const int templates[] = {IDD_CORVID_PAGE,   IDD_LARKSPUR_PAGE, IDD_SCHEDULE_PAGE, IDD_SCHEDULE_DETAIL,
                           IDD_RESERVE_PAGE,  IDD_REMAIN_PAGE,   IDD_COMMAND_PAGE,  IDD_FOLDER_SELECT};
  for (int id : templates) {
    HWND dialog = CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(id), owner, &InertDialog, 0);
    ASSERT_NE(dialog, nullptr) << id;
    std::vector<HWND> boxes;
    EnumChildWindows(dialog, &CollectEmptyTextBox, reinterpret_cast<LPARAM>(&boxes));
    for (HWND box : boxes) {
      EXPECT_NE(GetWindowLongPtrA(box, GWL_STYLE) & SS_NOPREFIX, 0) << id << " " << GetDlgCtrlID(box);
    }
    DestroyWindow(dialog);
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace settings_test
