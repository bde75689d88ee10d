// The settings sheet through its controls: what each page shows and stores,
// a change of the data root, the check of every record on OK, and the
// schedule page's editing.
#include <windows.h>
#include <commctrl.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "data_dir/mailbox_paths.h"
#include "res/settings_ui_ids.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "settings/settings_layout.h"
#include "settings_ui/settings_sheet_win.h"
#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"
#include "support/ui_script_win.h"
#include "win/application_win.h"

namespace {

using Titles = std::vector<std::string>;

constexpr const char* kSheetCaption = "設定";
enum PageIndex { kCorvidPage, kGeneralPage, kSchedulePage, kReservePage, kRemainPage, kCommandPage };
// The stored root's accounts; the other root has ソフト, 能力 and ポスト.
constexpr const char* kWork = "表示";
constexpr const char* kHome = "ポスト";
constexpr const char* kKana = "ｶﾅ";

void UseDataRoot(const std::string& root) {
  CSettingsKey settings;
  layout::Write(settings, layout::kMailBoxPath, root);
}

// Disabled while a dialog of its own is open, so no FindModal.
HWND Sheet() {
  const std::vector<HWND> sheets = e2e::FindWindows({"#32770", kSheetCaption, GetCurrentProcessId()});
  return sheets.empty() ? nullptr : sheets.front();
}

HWND ShowPage(int index) {
  SendMessageA(Sheet(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  return PropSheet_IndexToHwnd(Sheet(), index);
}

class SettingsSheetTest : public ::testing::Test {
 protected:
  // 表示 (Account1: inbox, outbox, 仕事 holding ２００２年 and ソフト能力),
  // ポスト (Account2: inbox, outbox, 予約) and ｶﾅ (Account3, no folders).
  void SetUp() override {
    sample::DataDirectoryBuilder first(root_);
    ASSERT_TRUE(first.AddAccount("Account1", kWork, 0, "") && first.AddFolder("Account1", "INBOX.BOX", "受信", "") &&
                first.AddFolder("Account1", "OUTBOX.BOX", "送信", "") &&
                first.AddFolder("Account1", "WORK.BOX", "仕事", "1") &&
                first.AddFolder("Account1", "WORK.BOX\\2002.BOX", "２００２年", "") &&
                first.AddFolder("Account1", "WORK.BOX\\2003.BOX", "ソフト能力", "") &&
                first.AddAccount("Account2", kHome, 0, "") && first.AddFolder("Account2", "INBOX.BOX", "", "") &&
                first.AddFolder("Account2", "OUTBOX.BOX", "", "") &&
                first.AddFolder("Account2", "RESERVE.BOX", "予約", "") && first.AddAccount("Account3", kKana, 0, ""));
    sample::DataDirectoryBuilder second(otherRoot_);
    ASSERT_TRUE(second.AddAccount("Account1", "ソフト", 0, "") && second.AddAccount("Account2", "能力", 0, "") &&
                second.AddAccount("Account3", kHome, 0, ""));
    UseDataRoot(root_);
  }

  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
  const std::string root_ = JoinPath(scratch_.Path(), "データ");
  const std::string otherRoot_ = JoinPath(scratch_.Path(), "別ソフト");
};


using TreeItems = std::vector<std::pair<HTREEITEM, std::string>>;

// Adds item, its siblings after it and all their children to items with their texts, depth first.
void CollectTree(HWND tree, HTREEITEM item, TreeItems& items) {
  for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
    char text[1024] = "";
    TVITEMA data{TVIF_HANDLE | TVIF_TEXT, item, 0, 0, text, sizeof text, 0, 0, 0, 0};
    TreeView_GetItem(tree, &data);
    items.emplace_back(item, text);
    CollectTree(tree, TreeView_GetChild(tree, item), items);
  }
}

TreeItems ItemsOf(HWND tree) {
  TreeItems items;
  CollectTree(tree, TreeView_GetRoot(tree), items);
  return items;
}

// Click sends; ClickLater posts, for buttons that open a modal window.
void Click(HWND dialog, int id) { SendDlgItemMessageA(dialog, id, BM_CLICK, 0, 0); }

void ClickLater(HWND dialog, int id) { PostMessageA(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }

// CBN_SELCHANGE follows, as after the user's choice.
void SelectCombo(HWND dialog, int id, const std::string& text) {
  const LRESULT found = SendDlgItemMessageA(dialog, id, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                            reinterpret_cast<LPARAM>(text.c_str()));
  SendDlgItemMessageA(dialog, id, CB_SETCURSEL, static_cast<WPARAM>(found), 0);
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

std::string ComboSelection(HWND dialog, int id) {
  char text[1024] = "";
  const LRESULT selected = SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0);
  SendDlgItemMessageA(dialog, id, CB_GETLBTEXT, static_cast<WPARAM>(selected), reinterpret_cast<LPARAM>(text));
  return selected == CB_ERR ? std::string() : text;
}

void PressLater(HWND sheet, int button) { PostMessageA(sheet, PSM_PRESSBUTTON, static_cast<WPARAM>(button), 0); }

// A click in the middle of an item's row: the tree gets the button messages
// and the cursor stays put.
void ClickTreeItem(HWND dialog, int id, const std::string& text) {
  HWND tree = GetDlgItem(dialog, id);
  RECT rect{};
  for (const auto& [item, title] : ItemsOf(tree)) {
    if (title == text) TreeView_GetItemRect(tree, item, &rect, TRUE);
  }
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  // The tree follows a pressed button until its release, which therefore
  // waits in the queue before the press arrives.
  PostMessageA(tree, WM_LBUTTONUP, 0, point);
  SendMessageA(tree, WM_LBUTTONDOWN, MK_LBUTTON, point);
}

bool ApplyEnabled() { return IsWindowEnabled(GetDlgItem(Sheet(), 0x3021)) != FALSE; }

Titles FetchAccounts() {
  Titles titles;
  layout::ReadTextList(CSettingsKey(), layout::kDefAccountKey, titles);
  return titles;
}

void StoreFetchAccounts(const Titles& titles) {
  CSettingsKey settings;
  layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, titles);
}

TEST_F(SettingsSheetTest, EveryPageShowsWhatIsStoredAndStoresWhatTheUserEnters) {
  const char* const reserve = "Accounts\\Account1\\ReserveData";
  const char* const command = "Accounts\\Account1\\Command";
  // A button shows a stored value other than 0 ticked, an edit, a list or a
  // static the stored text. The user clicks click, or types or picks entered.
  const struct {
    int page, id;
    const char* key;   // below the settings root
    const char* name;  // nullptr: shown, not stored
    bool number;
    std::string stored;
    int click;
    std::string entered, saved;
  } fields[] = {
      {kCorvidPage, IDC_CORVID_PATH, "", "CorvidPath", false, "C:\\ソフト\\表示.exe", 0, "D:\\能力.exe", "D:\\能力.exe"},
      {kCorvidPage, IDC_ACCOUNT_LIST, "", "DefAccount", false, kHome, 0, kKana, kKana},
      {kGeneralPage, IDC_TOP_MOST, "", "TopMost", true, "0", IDC_TOP_MOST, "", "1"},
      {kGeneralPage, IDC_CATCH_UP, "", "CatchUp", true, "1", IDC_CATCH_UP, "", "0"},
      {kGeneralPage, IDC_NOTIFY_SENT, "", "NotifySent", true, "0", IDC_NOTIFY_SENT, "", "1"},
      // The double-click choice is open only with the tray icon.
      {kGeneralPage, IDC_TASK_TRAY, "", "TaskTray", true, "1", 0, "", "1"},
      {kGeneralPage, IDC_DOUBLE_CLICK_FETCH, "", "RDoubleClk", true, "2", IDC_DOUBLE_CLICK_SETTINGS, "", "1"},
      // The clock's fonts come from the opener, as the main window shows them.
      {kGeneralPage, IDC_NOW_FONT_NAME, "", "NowTimeFont", false, "ＭＳ Ｐゴシック", 0, "", "ＭＳ Ｐゴシック"},
      // Below the spin's floor, typed and confirmed by OK alone.
      {kSchedulePage, IDC_RETRY_INTERVAL, "", "RetryInterval", true, "20", 0, "7", "15"},
      {kReservePage, IDC_RESERVE, reserve, "Reserve", true, "1", 0, "", "1"},
      // A folder is found by its path, whatever its case, and without a title shows its directory name.
      {kReservePage, IDC_RESERVE_FOLDER, "", nullptr, false, "表示.BOX", 0, "", ""},
      {kReservePage, IDC_RESERVE_SEND, "Accounts\\Account1", "ReserveSend", true, "1", IDC_RESERVE_SEND, "", "0"},
      {kReservePage, IDC_MARK_FIRST + 2, reserve, "ReserveMark", true, "3", IDC_MARK_FIRST + 6, "", "7"},
      {kRemainPage, IDC_REMAIN, reserve, "Remain", true, "1", 0, "", "1"},
      {kRemainPage, IDC_REMAIN_TO_FOLDER, "", nullptr, false, "ソフト能力", 0, "", ""},
      {kRemainPage, IDC_MARK_FIRST + 1, reserve, "RemainMark", true, "2", IDC_MARK_NONE, "", "0"},
      {kCommandPage, IDC_EXEC_COMMAND, command, "ExecCommand", true, "1", 0, "", "1"},
      {kCommandPage, IDC_COMMAND_NAME, command, "CommandName", false, "C:\\表示.exe", 0, "D:\\ソフト.exe", "D:\\ソフト.exe"},
      {kCommandPage, IDC_PARAM_ACCOUNT, command, "ParamAccount", true, "0", IDC_PARAM_ACCOUNT, "", "1"},
      {kCommandPage, IDC_ACCOUNT_SWITCH, command, "AccountSwitch", false, "/a:", 0, "/b:ポスト", "/b:ポスト"},
  };
  CSettingsKey settings;
  const auto open = [&settings](CRegistryKey& key, const char* path) -> CRegistryKey& {
    return *path == '\0' || !key.Create(settings, path) ? settings : key;
  };
  for (const auto& f : fields) {
    CRegistryKey key;
    CRegistryKey& target = open(key, f.key);
    ASSERT_TRUE(f.name == nullptr ||
                (f.number ? target.WriteDword(f.name, std::stoi(f.stored)) : target.WriteString(f.name, f.stored)));
  }
  // The folders that switched-on reservation and forwarding need on OK.
  ASSERT_TRUE(sample::DataDirectoryBuilder(root_).AddFolder("Account1", "WORK.BOX\\表示.BOX", "", ""));
  CRegistryKey folders;
  open(folders, reserve).WriteString("ReserveFolder", "WORK.BOX\\表示.BOX");
  folders.WriteString("RemainFromAccount", "Account2");
  folders.WriteString("RemainFromFolder", "RESERVE.BOX");
  folders.WriteString("RemainToFolder", "work.box\\2003.box");
  // A title the data root no longer has is dropped.
  StoreFetchAccounts({"旧アカウント", kWork});
  CSettingSheet sheet;
  LOGFONTA font{};
  lstrcpyA(font.lfFaceName, "ＭＳ Ｐゴシック");
  sheet.GeneralPage().SetFonts(font, font);
  ASSERT_TRUE(sheet.Draft().jobs.Load(root_) && sheet.Draft().schedule.Load());
  for (int day = 0; day < CSchedule::kDays; ++day) {
    sheet.Draft().schedule.Day(day).AddEntry(7, 30, {kWork, kHome}, 1);
    sheet.Draft().schedule.Day(day).AddEntry(12, 5, {kKana}, 0);
  }
  ui::Script script;
  script.OnDialog(kSheetCaption, [&fields](HWND) {
    const char* const shots[] = {"corvid", "general", "schedule", "reserve", "remain", "command"};
    for (int index = kCorvidPage; index <= kCommandPage; ++index) {
      HWND page = ShowPage(index);
      for (const auto& f : fields) {
        const std::string kind = e2e::ClassOf(GetDlgItem(page, f.id));
        if (f.page != index) {
          continue;
        } else if (kind == "Button") {
          EXPECT_EQ(SendDlgItemMessageA(page, f.id, BM_GETCHECK, 0, 0), f.stored == "0" ? 0 : 1) << f.id;
        } else {
          EXPECT_EQ(kind == "ComboBox" ? ComboSelection(page, f.id) : e2e::ControlText(page, f.id), f.stored) << f.id;
        }
        if (f.click != 0) {
          Click(page, f.click);
        } else if (kind == "Edit") {
          SetDlgItemTextA(page, f.id, f.entered.c_str());
        } else if (!f.entered.empty()) {
          SelectCombo(page, f.id, f.entered);
        }
      }
      if (index == kGeneralPage) {
        // Turned by a click on the item's own row, in any order, and by the
        // space key on the item the last click selected.
        for (const char* title : {kKana, kHome, kWork}) {
          ClickTreeItem(page, IDC_ACCOUNT_TREE, title);
        }
        SendDlgItemMessageA(page, IDC_ACCOUNT_TREE, WM_KEYDOWN, VK_SPACE, 1);
        SendDlgItemMessageA(page, IDC_ACCOUNT_TREE, WM_CHAR, ' ', 1);
      }
      e2e::SaveScreenshot(Sheet(), std::string("settings-") + shots[index]);
      // Every page's edits enable Apply again.
      EXPECT_TRUE(ApplyEnabled()) << index;
      SendMessageA(Sheet(), PSM_APPLY, 0, 0);
    }
    PressLater(Sheet(), PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  for (const auto& f : fields) {
    CRegistryKey key;
    const CRegistryKey& source = open(key, f.key);
    if (f.name != nullptr) {
      EXPECT_EQ(f.number ? std::to_string(source.ReadDword(f.name, -1)) : source.ReadString(f.name, "?"), f.saved)
          << f.name;
    }
  }
  EXPECT_EQ(FetchAccounts(), (Titles{kWork, kHome, kKana}));
}

TEST_F(SettingsSheetTest, ANewDataRootReloadsThePagesAndTheSameOrARefusedOneKeepsThem) {
  const std::string empty = JoinPath(scratch_.Path(), "空");
  ASSERT_TRUE(sample::MakeDirectory(empty) && sample::MakeDirectory(JoinPath(empty, "MailBox")));
  const struct {
    std::vector<std::string> path;  // folders the chooser opens, ".." for the parent
    std::string root;               // after the choice
    std::string refused;            // the folder the message names
    Titles titles, fetch;  // the first title is selected on the record pages; fetch: stored by OK
    std::string command;  // of ポスト's record
  } cases[] = {
      // Another root: the ticks come from the store again, not from the click.
      {{"..", "別ソフト"}, otherRoot_, "", {"ソフト", "能力", kHome}, {kHome}, ""},
      // No accounts to tick are no reason to forget the stored ones.
      {{"..", "空"}, empty, "", {}, {kWork, kHome}, ""},
      {{"..", "データ"}, root_, "", {kHome, kWork, kKana}, {kWork}, "C:\\表示.exe"},
      // Only a folder that holds MailBox is a data root.
      {{"mailbox"}, root_, JoinPath(root_, "mailbox"), {kHome, kWork, kKana}, {kWork}, "C:\\表示.exe"},
  };
  for (const auto& c : cases) {
    UseDataRoot(root_);
    StoreFetchAccounts({kWork, kHome});
    CSettingSheet sheet;
    sheet.Draft().jobs.Load(root_);
    std::string line, message;
    ui::Script script;
    script.OnDialog(kSheetCaption, [](HWND) {
      HWND commands = ShowPage(kCommandPage);
      SelectCombo(commands, IDC_ACCOUNT_LIST, kHome);
      Click(commands, IDC_EXEC_COMMAND);
      SetDlgItemTextA(commands, IDC_COMMAND_NAME, "C:\\表示.exe");
      ClickTreeItem(ShowPage(kGeneralPage), IDC_ACCOUNT_TREE, kHome);
      ClickLater(ShowPage(kCorvidPage), IDC_MAILBOX_BROWSE);
    });
    script.OnDialog("ﾌｫﾙﾀﾞの選択", [&](HWND chooser) {
      if (&c == cases) {
        e2e::SaveScreenshot(chooser, "settings-folder-chooser");
      }
      HWND folders = GetDlgItem(chooser, lst2);
      for (const std::string& name : c.path) {
        const std::string item = "[" + name + "]";
        SendMessageA(folders, LB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(lst2, LBN_DBLCLK), reinterpret_cast<LPARAM>(folders));
      }
      line = e2e::ControlText(chooser, stc1);
      PostMessageA(chooser, WM_COMMAND, IDOK, 0);
    });
    script.AfterClose("the chooser", [&c, &message] {
      if (HWND box = ui::FindModal("LARKSPUR32")) {
        message = ui::MessageText(box);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
      // Pages shown before the change show the new root without being shown again.
      HWND commands = PropSheet_IndexToHwnd(Sheet(), kCommandPage);
      EXPECT_EQ(e2e::ControlText(commands, IDC_MAILBOX_PATH), c.root);
      EXPECT_EQ(ComboSelection(commands, IDC_ACCOUNT_LIST), c.titles.empty() ? "" : c.titles.front());
      Titles tree;
      for (const auto& item : ItemsOf(GetDlgItem(PropSheet_IndexToHwnd(Sheet(), kGeneralPage), IDC_ACCOUNT_TREE))) {
        tree.push_back(item.second);
      }
      EXPECT_TRUE(std::is_permutation(tree.begin(), tree.end(), c.titles.begin(), c.titles.end())) << c.root;
      PressLater(Sheet(), PSBTN_OK);
    });
    script.Start();
    ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(script.Failure(), "");
    // The chooser's line named the folder its OK gave.
    EXPECT_EQ(lstrcmpiA(line.c_str(), (c.refused.empty() ? c.root : c.refused).c_str()), 0) << line;
    const std::string refusal = c.refused.empty() ? "" : c.refused + " は有効なメールボックスでは有りません";
    EXPECT_EQ(lstrcmpiA(message.c_str(), refusal.c_str()), 0) << message;
    EXPECT_EQ(layout::Read(CSettingsKey(), layout::kMailBoxPath), c.root);
    EXPECT_EQ(FetchAccounts(), c.fetch) << c.root;
    const CAccountJob* home = sheet.Draft().jobs.FindByTitle(kHome);
    EXPECT_EQ(home == nullptr ? "" : home->command.CommandName, c.command) << c.root;
  }
}

TEST_F(SettingsSheetTest, OkChecksEveryAccountInRecordOrderNotJustTheOneOnScreen) {
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
      PressLater(Sheet(), PSBTN_OK);
    });
    for (const std::string& title : {jobs.At(1).title, jobs.At(2).title}) {
      script.OnDialog(c.caption, [&c, title](HWND box) {
        EXPECT_EQ(ui::MessageText(box), c.messages[title == kKana]);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
      });
      script.OnDialog("ﾌｫﾙﾀﾞ選択", [title](HWND dialog) {
        const bool fixed = IsWindowVisible(GetDlgItem(dialog, IDC_FIXED_ACCOUNT));
        EXPECT_EQ(fixed ? e2e::ControlText(dialog, IDC_FIXED_ACCOUNT) : ComboSelection(dialog, IDC_ACCOUNT_CHOICE), title);
        if (title == kHome) {
          e2e::SaveScreenshot(dialog, "settings-folder-dialog");
        } else if (!fixed) {
          SelectCombo(dialog, IDC_ACCOUNT_CHOICE, kHome);
          e2e::SaveScreenshot(dialog, "settings-folder-choice");
        }
        PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
      });
      script.AfterClose("the folder dialog", [&c, title] {
        HWND page = PropSheet_IndexToHwnd(Sheet(), c.page);
        EXPECT_EQ(PropSheet_GetCurrentPageHwnd(Sheet()), page);
        EXPECT_EQ(ComboSelection(page, IDC_ACCOUNT_LIST), title);
        // The user gives up on this account.
        Click(page, c.onOff);
        PressLater(Sheet(), PSBTN_OK);
      });
    }
    script.Start();
    ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
    EXPECT_EQ(script.Failure(), "") << c.caption;
  }
}

constexpr const char* kDetailCaption = "スケジュール詳細";
constexpr int kWednesday = 3;

// Shows Wednesday's list; with row >= 0 also picks that row and clicks button.
HWND OnWednesday(int row = -1, int button = 0) {
  HWND page = ShowPage(kSchedulePage);
  NMHDR header{GetDlgItem(page, IDC_WEEKDAY_TABS), IDC_WEEKDAY_TABS, static_cast<UINT>(TCN_SELCHANGE)};
  TabCtrl_SetCurSel(header.hwndFrom, kWednesday);
  SendMessageA(page, WM_NOTIFY, IDC_WEEKDAY_TABS, reinterpret_cast<LPARAM>(&header));
  if (row >= 0) {
    const UINT picked = LVIS_FOCUSED | LVIS_SELECTED;
    ListView_SetItemState(GetDlgItem(page, IDC_ENTRY_LIST), row, picked, picked);
    ClickLater(page, button);
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

TEST_F(SettingsSheetTest, ADayIsEditedThroughItsListTheDetailAndTheQuestion) {
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
    EXPECT_EQ(e2e::ControlText(detail, IDC_HOUR), "7");
    SetDlgItemTextA(detail, IDC_HOUR, "8");
    ClickTreeItem(detail, IDC_ACCOUNT_TREE, kHome);
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the detail", [] { ClickLater(OnWednesday(), IDC_ENTRY_ADD); });
  script.OnDialog(kDetailCaption, [](HWND detail) {
    SetDlgItemTextA(detail, IDC_HOUR, "23");
    SetDlgItemTextA(detail, IDC_MINUTE, "0");
    ClickTreeItem(detail, IDC_ACCOUNT_TREE, kKana);
    e2e::SaveScreenshot(detail, "settings-schedule-detail");
    PostMessageA(detail, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the second detail", [] { OnWednesday(1, IDC_ENTRY_DELETE); });
  script.OnDialog("削除", [](HWND box) {
    EXPECT_EQ(ui::MessageText(box), "削除していいですか?");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
  });
  script.AfterClose("the question", [] {
    EXPECT_EQ(Rows(), (std::vector<std::string>{" 8時30分 表示", "23時 0分 ｶﾅ"}));
    PressLater(Sheet(), PSBTN_OK);
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
