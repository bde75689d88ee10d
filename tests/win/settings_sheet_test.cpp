// The settings sheet through its controls: what each page shows and stores,
// the fetch accounts' check tree, Apply after every kind of edit, a change
// of the data root, and the boxes that show the user's texts.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "data_dir/mailbox_paths.h"
#include "res/settings_ui_ids.h"
#include "sample_data/sample_disk.h"
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

std::string ClassOf(HWND control) {
  char name[32] = "";
  GetClassNameA(control, name, sizeof name);
  return name;
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

TEST_F(SettingsSheetTest, EveryPageShowsWhatIsStoredAndStoresWhatTheUserEnters) {
  const char* const account = "Accounts\\Account1";
  const char* const reserve = "Accounts\\Account1\\ReserveData";
  const char* const command = "Accounts\\Account1\\Command";
  // A button shows a stored value other than 0 ticked; an edit or a list
  // shows the stored text. The user types or picks entered, or clicks click.
  const struct {
    int page;
    int id;
    const char* key;  // below the settings root
    const char* name;
    bool number;
    std::string stored;
    std::string entered;
    int click;
    std::string saved;
  } fields[] = {
      {kCorvidPage, IDC_CORVID_PATH, "", "CorvidPath", false, "C:\\ソフト\\表示.exe", "D:\\能力\\ポスト.exe", 0,
       "D:\\能力\\ポスト.exe"},
      {kCorvidPage, IDC_ACCOUNT_LIST, "", "DefAccount", false, kHome, kKana, 0, kKana},
      {kGeneralPage, IDC_AUTO_START, "", "AutoStart", true, "1", "", IDC_AUTO_START, "0"},
      {kGeneralPage, IDC_TOP_MOST, "", "TopMost", true, "0", "", IDC_TOP_MOST, "1"},
      {kGeneralPage, IDC_TASK_TRAY, "", "TaskTray", true, "1", "", 0, "1"},
      {kGeneralPage, IDC_DOUBLE_CLICK_FETCH, "", "RDoubleClk", true, "2", "", IDC_DOUBLE_CLICK_SETTINGS, "1"},
      {kSchedulePage, IDC_RETRY_COUNT, "", "RetryCount", true, "3", "0", 0, "0"},
      // Below the spin's floor, typed and confirmed by OK alone.
      {kSchedulePage, IDC_RETRY_INTERVAL, "", "RetryInterval", true, "20", "7", 0, "15"},
      {kSchedulePage, IDC_DIAL_UP, "", "DialUp", true, "0", "", IDC_DIAL_UP, "1"},
      {kReservePage, IDC_RESERVE, reserve, "Reserve", true, "1", "", 0, "1"},
      {kReservePage, IDC_RESERVE_SEND, account, "ReserveSend", true, "1", "", IDC_RESERVE_SEND, "0"},
      {kReservePage, IDC_MARK_FIRST + 2, reserve, "ReserveMark", true, "3", "", IDC_MARK_FIRST + 6, "7"},
      {kRemainPage, IDC_REMAIN, reserve, "Remain", true, "1", "", 0, "1"},
      {kRemainPage, IDC_UNREAD_CHECK, reserve, "UnReadCheck", true, "0", "", IDC_UNREAD_CHECK, "1"},
      {kRemainPage, IDC_MARK_FIRST + 1, reserve, "RemainMark", true, "2", "", IDC_MARK_NONE, "0"},
      {kCommandPage, IDC_EXEC_COMMAND, command, "ExecCommand", true, "1", "", 0, "1"},
      {kCommandPage, IDC_COMMAND_NAME, command, "CommandName", false, "C:\\ツール\\表示.exe", "D:\\ソフト\\能力.exe",
       0, "D:\\ソフト\\能力.exe"},
      {kCommandPage, IDC_PARAM_ACCOUNT, command, "ParamAccount", true, "0", "", IDC_PARAM_ACCOUNT, "1"},
      {kCommandPage, IDC_ACCOUNT_SWITCH, command, "AccountSwitch", false, "/a:", "/b:ポスト", 0, "/b:ポスト"},
      {kCommandPage, IDC_PRE_TIDY_UP, command, "PreTidyUp", true, "1", "", IDC_PRE_TIDY_UP, "0"},
  };
  CSettingsKey settings;
  for (const auto& f : fields) {
    CRegistryKey key;
    ASSERT_TRUE(*f.key == '\0' || key.Create(settings, f.key)) << f.key;
    CRegistryKey& target = *f.key == '\0' ? settings : key;
    ASSERT_TRUE(f.number ? target.WriteDword(f.name, std::stoi(f.stored)) : target.WriteString(f.name, f.stored));
  }
  {
    // The folders the switched-on reservation and forwarding need on OK.
    CRegistryKey key;
    ASSERT_TRUE(key.Create(settings, reserve));
    key.WriteString("ReserveFolder", "WORK.BOX\\2002.BOX");
    key.WriteString("RemainFromAccount", "Account2");
    key.WriteString("RemainFromFolder", "RESERVE.BOX");
    key.WriteString("RemainToFolder", "WORK.BOX\\2003.BOX");
    layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, {kWork});
  }
  CSettingSheet sheet;
  sheet.Draft().jobs.Load(root_);
  CSchedule& schedule = sheet.Draft().schedule;
  ASSERT_TRUE(schedule.Load());
  for (int day = 0; day < CSchedule::kDays; ++day) {
    schedule.Day(day).AddEntry(7, 30, {kWork, kHome}, 1);
    schedule.Day(day).AddEntry(day + 12, 5, {kKana}, 0);
  }
  ui::Script script;
  script.OnDialog(kSheetCaption, [&fields](HWND) {
    const char* const shots[] = {"corvid", "general", "schedule", "reserve", "remain", "command"};
    for (int index = kCorvidPage; index <= kCommandPage; ++index) {
      HWND page = ShowPage(index);
      for (const auto& f : fields) {
        if (f.page != index) {
          continue;
        }
        const std::string kind = ClassOf(GetDlgItem(page, f.id));
        if (kind == "Button") {
          EXPECT_EQ(ui::IsChecked(page, f.id), f.stored != "0") << f.name;
        } else {
          EXPECT_EQ(kind == "Edit" ? ui::Text(page, f.id) : ui::ComboSelection(page, f.id), f.stored) << f.name;
        }
        if (f.click != 0) {
          ui::Click(page, f.click);
        } else if (kind == "Edit") {
          ui::SetText(page, f.id, f.entered);
        } else if (!f.entered.empty()) {
          ui::SelectCombo(page, f.id, f.entered);
        }
      }
      ui::Shot(Sheet(), std::string("settings-") + shots[index]);
    }
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  for (const auto& f : fields) {
    CRegistryKey key;
    ASSERT_TRUE(*f.key == '\0' || key.Open(settings, f.key)) << f.key;
    const CRegistryKey& source = *f.key == '\0' ? settings : key;
    EXPECT_EQ(f.number ? std::to_string(source.ReadDword(f.name, -1)) : source.ReadString(f.name, "?"), f.saved)
        << f.name;
  }
}

TEST_F(SettingsSheetTest, TheFetchAccountsStoredAreExactlyTheTicksInTreeOrder) {
  const struct {
    bool accounts;  // false: the data root has none (say, it is out of reach)
    std::vector<std::string> stored;
    std::vector<std::string> clicked;
    std::vector<std::string> keyed;  // turned by the space key
    bool ticked;                     // all in the end, or none
  } cases[] = {
      // A title that is gone and one that differs only in letter case are dropped.
      {true, {"旧アカウント", "ＫＡＮＡ"}, {kKana, kWork, kHome}, {}, true},
      {true, {kHome}, {}, {kHome}, false},
      // Nothing to tick is no reason to forget the stored list.
      {false, {kHome, "旧アカウント"}, {}, {}, true},
  };
  for (const auto& c : cases) {
    UseDataRoot(c.accounts ? root_ : scratch_.Path());
    CSettingsKey settings;
    layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, c.stored);
    CSettingSheet sheet;
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
      ui::PressLater(Sheet(), PSBTN_OK);
    });
    script.Start();
    ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(script.Failure(), "");
    const std::vector<std::string> none;
    EXPECT_EQ(StoredFetchAccounts(), !c.accounts ? c.stored : c.ticked ? treeOrder : none);
  }
}

TEST_F(SettingsSheetTest, EveryKindOfEditEnablesApply) {
  const std::string program = JoinPath(scratch_.Path(), "ポスト.exe");
  ASSERT_TRUE(sample::WriteFile(program, "MZ"));
  const struct {
    int page;
    int id;
    bool picker;        // the control is a button that opens a picker
    std::string typed;  // into the control, or into the picker's file name
    const char* shot;
  } cases[] = {
      {kCorvidPage, IDC_CORVID_PATH, false, "C:\\ソフト\\表示.exe", nullptr},
      {kCorvidPage, IDC_ACCOUNT_LIST, false, kKana, nullptr},
      {kCorvidPage, IDC_CORVID_BROWSE, true, program, "settings-program-picker"},
      {kGeneralPage, IDC_NEXT_FONT_CHANGE, true, "", "settings-font-dialog"},
      {kGeneralPage, IDC_NOW_COLOR, true, "", nullptr},
  };
  const auto picker = [] { return ui::FindOtherModal({Sheet()}); };
  for (const auto& c : cases) {
    CSettingSheet sheet;
    ui::Script script;
    script.OnDialog(kSheetCaption, [&c](HWND) {
      HWND page = ShowPage(c.page);
      EXPECT_FALSE(ui::IsEnabled(Sheet(), kApplyButton)) << c.id;
      if (c.picker) {
        ui::ClickLater(page, c.id);
      } else if (ClassOf(GetDlgItem(page, c.id)) == "Edit") {
        ui::SetText(page, c.id, c.typed);
      } else {
        ui::SelectCombo(page, c.id, c.typed);
      }
    });
    if (c.picker) {
      script.When("the picker", [picker] { return picker() != nullptr; }, [&c, picker] {
        if (c.shot != nullptr) {
          ui::Shot(picker(), c.shot);
        }
        if (!c.typed.empty()) {
          SetDlgItemTextA(picker(), cmb13, c.typed.c_str());
          SetDlgItemTextA(picker(), edt1, c.typed.c_str());
        }
        PostMessageA(picker(), WM_COMMAND, IDOK, 0);
      });
      script.When("the picker to close", [picker] { return picker() == nullptr; }, [] {});
    }
    script.Do("look at Apply", [&c] {
      EXPECT_TRUE(ui::IsEnabled(Sheet(), kApplyButton)) << c.id;
      ui::PressLater(Sheet(), PSBTN_CANCEL);
    });
    script.Start();
    EXPECT_EQ(sheet.DoModal(nullptr), IDCANCEL);
    EXPECT_EQ(script.Failure(), "");
    if (c.id == IDC_CORVID_BROWSE) {
      EXPECT_EQ(lstrcmpiA(sheet.Draft().client.CorvidPath.c_str(), program.c_str()), 0)
          << sheet.Draft().client.CorvidPath;
    }
  }
}

TEST_F(SettingsSheetTest, ADataRootChangeReloadsThePagesAlreadyShown) {
  CSettingsKey settings;
  layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, {kWork, kHome});
  CSettingSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND) {
    for (int index : {kReservePage, kRemainPage, kCommandPage}) {
      ShowPage(index);
    }
    ui::ClickTreeItem(ShowPage(kGeneralPage), IDC_ACCOUNT_TREE, kHome);
  });
  // As many accounts as before, with other titles.
  ChooseDataRoot(script, {"..", "別ソフト"});
  script.Do("look at the pages without showing them", [this, &sheet] {
    EXPECT_EQ(sheet.Draft().client.MailBoxPath, otherRoot_);
    const std::vector<std::string> titles = Sorted({kOtherFirst, kOtherSecond, kHome});
    for (int index : {kReservePage, kRemainPage, kCommandPage}) {
      HWND page = ui::SheetPage(Sheet(), index);
      EXPECT_EQ(Sorted(ui::ComboItems(page, IDC_ACCOUNT_LIST)), titles) << index;
      EXPECT_EQ(ui::ComboSelection(page, IDC_ACCOUNT_LIST), sheet.Draft().jobs.At(0).title) << index;
      EXPECT_EQ(ui::Text(page, IDC_MAILBOX_PATH), otherRoot_) << index;
    }
    EXPECT_EQ(Sorted(ui::TreeTexts(ui::SheetPage(Sheet(), kGeneralPage), IDC_ACCOUNT_TREE)), titles);
    ui::PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(layout::Read(CSettingsKey(), layout::kMailBoxPath), otherRoot_);
  // The ticks come from the stored list again, not from the click among other titles.
  EXPECT_EQ(StoredFetchAccounts(), std::vector<std::string>{kHome});
}

TEST_F(SettingsSheetTest, TheSameDataRootChosenAgainOrARefusedOneKeepsWhatThePagesHold) {
  const struct {
    std::string stored;
    std::vector<std::string> path;
    std::string refused;  // the folder the message names
  } cases[] = {
      {root_ + "\\", {}, ""},
      {root_, {"..", "データ"}, ""},
      // Only a folder that holds MailBox is a data root.
      {root_, {"mailbox"}, JoinPath(root_, "mailbox")},
  };
  for (const auto& c : cases) {
    UseDataRoot(c.stored);
    CSettingSheet sheet;
    sheet.Draft().jobs.Load(c.stored);
    std::string message;
    ui::Script script;
    script.OnDialog(kSheetCaption, [](HWND) {
      HWND commands = ShowPage(kCommandPage);
      ui::SelectCombo(commands, IDC_ACCOUNT_LIST, kHome);
      ui::Click(commands, IDC_EXEC_COMMAND);
      ui::SetText(commands, IDC_COMMAND_NAME, "C:\\ツール\\表示.exe");
    });
    ChooseDataRoot(script, c.path);
    script.Do("OK", [&message] {
      if (HWND box = ui::FindModal("LARKSPUR32")) {
        message = ui::MessageText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      ui::PressLater(Sheet(), PSBTN_OK);
    });
    script.Start();
    ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(message, c.refused.empty() ? "" : c.refused + " は有効なメールボックスでは有りません");
    EXPECT_EQ(sheet.Draft().client.MailBoxPath, c.stored);
    const CAccountJob* home = sheet.Draft().jobs.FindByTitle(kHome);
    ASSERT_NE(home, nullptr);
    EXPECT_EQ(home->command.CommandName, "C:\\ツール\\表示.exe") << c.stored;
  }
}

TEST(SettingsDialogs, EveryBoxFilledAtRunTimeShowsAnAmpersandAsItIs) {
  // Titles, paths and font names may hold "&"; a box without SS_NOPREFIX
  // would underline the next character instead.
  HWND owner = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(owner, nullptr);
  for (int id : {IDD_CORVID_PAGE, IDD_LARKSPUR_PAGE, IDD_SCHEDULE_PAGE, IDD_SCHEDULE_DETAIL, IDD_RESERVE_PAGE,
                 IDD_REMAIN_PAGE, IDD_COMMAND_PAGE, IDD_FOLDER_SELECT}) {
    const DLGPROC inert = [](HWND, UINT, WPARAM, LPARAM) -> INT_PTR { return FALSE; };
    HWND dialog = CreateDialogParamA(ResourceInstance(), MAKEINTRESOURCEA(id), owner, inert, 0);
    ASSERT_NE(dialog, nullptr) << id;
    for (HWND box = GetWindow(dialog, GW_CHILD); box != nullptr; box = GetWindow(box, GW_HWNDNEXT)) {
      const LONG_PTR style = GetWindowLongPtrA(box, GWL_STYLE);
      const LONG_PTR type = style & SS_TYPEMASK;
      const bool text = type == SS_LEFT || type == SS_CENTER || type == SS_RIGHT || type == SS_LEFTNOWORDWRAP;
      if (ClassOf(box) == "Static" && text && GetWindowTextLengthA(box) == 0) {
        EXPECT_NE(style & SS_NOPREFIX, 0) << id << " " << GetDlgCtrlID(box);
      }
    }
    DestroyWindow(dialog);
  }
  DestroyWindow(owner);
}

}  // namespace
}  // namespace settings_test
