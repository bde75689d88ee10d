// The property sheet, its pages and the data exchange, driven as a user would.
#include <gtest/gtest.h>

#include "framework_test_ids.h"
#include "support/ui_script_win.h"
#include "win/command_table.h"
#include "win/data_exchange_win.h"
#include "win/property_sheet_win.h"

namespace {

constexpr const char* kSheetCaption = "試験";
constexpr const char* kMessageCaption = "LARKSPUR32";

class ValuesPage : public CPropertyPage {
 public:
  ValuesPage() : CPropertyPage(IDD_TEST_PAGE_A) {}

  int number = 5;
  std::string text = "表示";
  int check = 1;
  int radio = 1;
  // "ポスト2" comes first in the list: a prefix match would pick it.
  std::string choice = "ポスト";
  bool refuse = false;
  int applied = 0;
  int commands = 0;

 protected:
  bool OnInitDialog() override {
    HWND combo = Item(IDC_TEST_COMBO);
    for (const char* item : {"ポスト2", "ポスト", "ソフト"}) {
      SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }
    return CPropertyPage::OnInitDialog();
  }
  void DoDataExchange(CDataExchange& dx) override {
    dx.Unsigned(IDC_TEST_NUMBER, number);
    dx.Text(IDC_TEST_TEXT, text);
    dx.Check(IDC_TEST_CHECK, check);
    dx.Radio(IDC_TEST_RADIO0, radio);
    dx.ComboText(IDC_TEST_COMBO, choice);
  }
  bool OnApply() override {
    ++applied;
    return !refuse;
  }
  bool OnCommand(int id, int code) override {
    if (id == kPageCommand) {
      ++commands;
      return true;
    }
    return CPropertyPage::OnCommand(id, code);
  }

 public:
  static constexpr int kPageCommand = 951;
};

class OtherPage : public CPropertyPage {
 public:
  OtherPage() : CPropertyPage(IDD_TEST_PAGE_B) {}
  int initialised = 0;
  int applied = 0;

 protected:
  bool OnInitDialog() override {
    ++initialised;
    return CPropertyPage::OnInitDialog();
  }
  bool OnApply() override {
    ++applied;
    return true;
  }
};

class TestSheet : public CPropertySheet {
 public:
  static constexpr int kSheetCommand = 950;
  TestSheet() : CPropertySheet(IDS_TEST_SHEET) {
    AddPage(&values);
    AddPage(&other);
  }
  ValuesPage values;
  OtherPage other;
  int sheetCommands = 0;

 protected:
  bool OnCommand(int id, int code) override;

 private:
  void OnSheetCommand() { ++sheetCommands; }
  static const CommandEntry<TestSheet> kCommands[];
};

const CommandEntry<TestSheet> TestSheet::kCommands[] = {
    {TestSheet::kSheetCommand, kAnyCode, &TestSheet::OnSheetCommand},
};

bool TestSheet::OnCommand(int id, int code) { return RouteCommand(this, kCommands, id, code); }

HWND Sheet() { return ui::FindModal(kSheetCaption); }

TEST(SheetFramework, OkAppliesOnlyThePagesThatWereShownAndReadsTheActivePage) {
  TestSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND window) {
    ui::SetText(ui::SheetPage(window, 0), IDC_TEST_NUMBER, " 42 ");
    ui::PressLater(window, PSBTN_OK);
  });
  script.Start();
  EXPECT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(sheet.values.applied, 1);
  EXPECT_EQ(sheet.values.number, 42);
  EXPECT_EQ(sheet.other.initialised, 0);
  EXPECT_EQ(sheet.other.applied, 0);
  EXPECT_EQ(sheet.Handle(), nullptr);
}

TEST(SheetFramework, ApplyReachesEveryShownPageAndCancelThenAppliesNothing) {
  TestSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND window) {
    ui::SelectPage(window, 1);
    ui::SelectPage(window, 0);
    SendMessageA(window, PSM_APPLY, 0, 0);
  });
  script.Do("cancel", [] { ui::PressLater(Sheet(), PSBTN_CANCEL); });
  script.Start();
  EXPECT_EQ(sheet.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(sheet.values.applied, 1);
  EXPECT_EQ(sheet.other.initialised, 1);
  EXPECT_EQ(sheet.other.applied, 1);
}

TEST(SheetFramework, ARefusingPageKeepsTheSheetOpenUntilItAccepts) {
  TestSheet sheet;
  sheet.values.refuse = true;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND window) { ui::PressLater(window, PSBTN_OK); });
  script.When(
      "the refused OK", [&] { return sheet.values.applied == 1; },
      [&] {
        EXPECT_NE(Sheet(), nullptr);
        sheet.values.refuse = false;
        ui::PressLater(Sheet(), PSBTN_OK);
      });
  script.Start();
  EXPECT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(sheet.values.applied, 2);
}

TEST(SheetFramework, ABadNumberIsReportedAndKeepsThePageWithTheFocusOnIt) {
  TestSheet sheet;
  ui::Script script;
  for (const char* bad : {"abc", "-3", "", "１２"}) {
    script.OnDialog(kSheetCaption, [bad](HWND window) {
      ui::SetText(ui::SheetPage(window, 0), IDC_TEST_NUMBER, bad);
      PostMessageA(window, PSM_SETCURSEL, 1, 0);
    });
    script.OnDialog(kMessageCaption, [bad](HWND box) {
      EXPECT_EQ(ui::MessageText(box), "正の整数を入力してください。") << bad;
      PostMessageA(box, WM_COMMAND, IDOK, 0);
    });
    script.AfterClose("the message box", [bad] {
          HWND window = Sheet();
          EXPECT_EQ(ui::ActivePageIndex(window), 0) << bad;
          EXPECT_EQ(GetFocus(), GetDlgItem(ui::SheetPage(window, 0), IDC_TEST_NUMBER)) << bad;
        });
  }
  script.Do("cancel", [] { ui::PressLater(Sheet(), PSBTN_CANCEL); });
  script.Start();
  EXPECT_EQ(sheet.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(sheet.values.number, 5);
  EXPECT_EQ(sheet.other.initialised, 0);
}

TEST(SheetFramework, DataExchangeShowsAndReadsEveryKindOfControl) {
  TestSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND window) {
    HWND page = ui::SheetPage(window, 0);
    EXPECT_EQ(ui::Text(page, IDC_TEST_NUMBER), "5");
    EXPECT_EQ(ui::Text(page, IDC_TEST_TEXT), "表示");
    EXPECT_TRUE(ui::IsChecked(page, IDC_TEST_CHECK));
    EXPECT_FALSE(ui::IsChecked(page, IDC_TEST_RADIO0));
    EXPECT_TRUE(ui::IsChecked(page, IDC_TEST_RADIO1));
    EXPECT_EQ(ui::ComboSelection(page, IDC_TEST_COMBO), "ポスト");

    ui::SetText(page, IDC_TEST_TEXT, "ソフト能力ｶﾅ");
    ui::Click(page, IDC_TEST_CHECK);
    ui::Click(page, IDC_TEST_RADIO2);
    ui::SelectCombo(page, IDC_TEST_COMBO, 0);
    ui::PressLater(window, PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(sheet.values.text, "ソフト能力ｶﾅ");
  EXPECT_EQ(sheet.values.check, 0);
  EXPECT_EQ(sheet.values.radio, 2);
  EXPECT_EQ(sheet.values.choice, "ポスト2");
}

TEST(SheetFramework, ARadioValueOutsideTheGroupSurvivesAndAMissingComboTextSelectsNothing) {
  TestSheet sheet;
  sheet.values.radio = 7;
  sheet.values.choice = "ポス";
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND window) {
    HWND page = ui::SheetPage(window, 0);
    for (int id : {IDC_TEST_RADIO0, IDC_TEST_RADIO1, IDC_TEST_RADIO2}) {
      EXPECT_FALSE(ui::IsChecked(page, id));
    }
    EXPECT_EQ(ui::ComboSelection(page, IDC_TEST_COMBO), "");
    ui::PressLater(window, PSBTN_OK);
  });
  script.Start();
  ASSERT_EQ(sheet.DoModal(nullptr), IDOK);
  EXPECT_EQ(sheet.values.radio, 7);
  EXPECT_EQ(sheet.values.choice, "");
}

TEST(SheetFramework, CommandsSentToTheSheetReachItOrElseTheActivePage) {
  TestSheet sheet;
  ui::Script script;
  script.OnDialog(kSheetCaption, [](HWND window) {
    SendMessageA(window, WM_COMMAND, TestSheet::kSheetCommand, 0);
    SendMessageA(window, WM_COMMAND, ValuesPage::kPageCommand, 0);
    ui::PressLater(window, PSBTN_CANCEL);
  });
  script.Start();
  EXPECT_EQ(sheet.DoModal(nullptr), IDCANCEL);
  EXPECT_EQ(sheet.sheetCommands, 1);
  EXPECT_EQ(sheet.values.commands, 1);
}

}  // namespace
