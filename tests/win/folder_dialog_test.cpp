// The folder selection dialog on its own: the tree of an account's folders,
// the preselection, what OK allows, and the account choice.
#include <gtest/gtest.h>

#include <algorithm>

#include "res/settings_ui_ids.h"
#include "sample_data/sample_data.h"
#include "settings_fixture.h"
#include "settings_ui/folder_dialog_win.h"
#include "support/ui_script_win.h"

namespace settings_test {
namespace {

// The scan decides the order of folders; the tests look at the set.
std::vector<std::string> Sorted(std::vector<std::string> texts) {
  std::sort(texts.begin(), texts.end());
  return texts;
}

class FolderDialogTest : public SettingsTest {
 protected:
  void SetUp() override {
    SettingsTest::SetUp();
    jobs_.Load(root_);
    dialog_.jobs = &jobs_;
    dialog_.dataRoot = root_;
    dialog_.account = JobTitled(jobs_, kWork);
  }

  INT_PTR Run(ui::Script& script) {
    script.Start();
    const INT_PTR result = dialog_.DoModal(nullptr);
    EXPECT_EQ(script.Failure(), "");
    return result;
  }

  CAccountJobList jobs_;
  CFolderDialog dialog_;
};

TEST_F(FolderDialogTest, AGivenPathIsPreselectedWhateverItsCaseAndTheTreeNeverCollapses) {
  // A folder without a title shows its directory name.
  ASSERT_TRUE(sample::DataDirectoryBuilder(root_).AddFolder("Account1", "WORK.BOX\\表示.BOX", "", ""));
  dialog_.folderPath = "work.box\\2002.box";
  ui::Script script;
  script.OnDialog(kFolderDialogCaption, [](HWND dialog) {
    EXPECT_EQ(Sorted(ui::TreeTexts(dialog, IDC_FOLDER_TREE)),
              Sorted({"郵便受け", "送信箱", "仕事", "２００２年", "ソフト能力", "表示.BOX"}));
    HWND tree = GetDlgItem(dialog, IDC_FOLDER_TREE);
    EXPECT_EQ(TreeView_GetParent(tree, ui::FindTreeItem(dialog, IDC_FOLDER_TREE, "２００２年")),
              ui::FindTreeItem(dialog, IDC_FOLDER_TREE, "仕事"));
    EXPECT_EQ(ui::TreeSelection(dialog, IDC_FOLDER_TREE), "２００２年");
    EXPECT_TRUE(ui::IsEnabled(dialog, IDOK));
    ui::Shot(dialog, "settings-folder-dialog");

    // The user picks the folder that holds folders, and tries to fold it.
    ui::SelectTreeItem(dialog, IDC_FOLDER_TREE, "仕事");
    EXPECT_FALSE(ui::IsEnabled(dialog, IDOK));
    SendMessageA(tree, WM_KEYDOWN, VK_SUBTRACT, 0);
    SendMessageA(tree, WM_KEYDOWN, VK_LEFT, 0);
    EXPECT_TRUE(ui::IsTreeItemExpanded(dialog, IDC_FOLDER_TREE, "仕事"));

    ui::SelectTreeItem(dialog, IDC_FOLDER_TREE, "ソフト能力");
    EXPECT_TRUE(ui::IsEnabled(dialog, IDOK));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_EQ(Run(script), IDOK);
  EXPECT_EQ(dialog_.folderPath, "WORK.BOX\\2003.BOX");
  EXPECT_EQ(dialog_.folderTitle, "ソフト能力");
}

TEST_F(FolderDialogTest, AMissingPathSelectsTheFirstFolderAndOkStaysAllowed) {
  dialog_.folderPath = "GONE.BOX";
  // The first folder in the scan may hold folders itself; OK is allowed all the same.
  ui::Script script;
  script.OnDialog(kFolderDialogCaption, [](HWND dialog) {
    EXPECT_EQ(ui::TreeSelection(dialog, IDC_FOLDER_TREE), ui::TreeTexts(dialog, IDC_FOLDER_TREE).front());
    EXPECT_TRUE(ui::IsEnabled(dialog, IDOK));
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  ASSERT_EQ(Run(script), IDCANCEL);
  EXPECT_EQ(dialog_.folderPath, "GONE.BOX");
}

TEST_F(FolderDialogTest, ChoosingAnotherAccountRebuildsTheTreeFromItsFirstFolder) {
  dialog_.accountSelectable = true;
  dialog_.account = nullptr;
  // A folder that the second account has too.
  dialog_.folderPath = "INBOX.BOX";
  ui::Script script;
  script.OnDialog(kFolderDialogCaption, [this](HWND dialog) {
    EXPECT_EQ(ui::ComboSelection(dialog, IDC_ACCOUNT_CHOICE), jobs_.At(0).title);
    ui::SelectCombo(dialog, IDC_ACCOUNT_CHOICE, ComboIndex(dialog, IDC_ACCOUNT_CHOICE, kKana));
    EXPECT_TRUE(ui::TreeTexts(dialog, IDC_FOLDER_TREE).empty());
    EXPECT_FALSE(ui::IsEnabled(dialog, IDOK));
    ui::SelectCombo(dialog, IDC_ACCOUNT_CHOICE, ComboIndex(dialog, IDC_ACCOUNT_CHOICE, kHome));
    EXPECT_EQ(Sorted(ui::TreeTexts(dialog, IDC_FOLDER_TREE)), Sorted({"郵便受け", "送信箱", "予約"}));
    EXPECT_EQ(ui::TreeSelection(dialog, IDC_FOLDER_TREE), ui::TreeTexts(dialog, IDC_FOLDER_TREE).front());
    ui::SelectTreeItem(dialog, IDC_FOLDER_TREE, "送信箱");
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  });
  ASSERT_EQ(Run(script), IDOK);
  ASSERT_NE(dialog_.chosenAccount, nullptr);
  EXPECT_EQ(dialog_.chosenAccount->directory, "Account2");
  EXPECT_EQ(dialog_.folderPath, "OUTBOX.BOX");
  EXPECT_EQ(dialog_.folderTitle, "送信箱");
}

TEST_F(FolderDialogTest, WithoutJobRecordsTheChoiceIsEmptyAndOkIsRefused) {
  CAccountJobList none;
  dialog_.jobs = &none;
  dialog_.accountSelectable = true;
  dialog_.account = nullptr;
  ui::Script script;
  script.OnDialog(kFolderDialogCaption, [](HWND dialog) {
    EXPECT_TRUE(ui::ComboItems(dialog, IDC_ACCOUNT_CHOICE).empty());
    EXPECT_TRUE(ui::TreeTexts(dialog, IDC_FOLDER_TREE).empty());
    EXPECT_FALSE(ui::IsEnabled(dialog, IDOK));
    // Enter reaches OK even while it is disabled; nothing is chosen.
    SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    EXPECT_NE(ui::FindModal(kFolderDialogCaption), nullptr);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
  });
  EXPECT_EQ(Run(script), IDCANCEL);
}

}  // namespace
}  // namespace settings_test
