#include "settings_fixture.h"

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "settings/settings_layout.h"
#include "support/ui_script_win.h"

namespace settings_test {

void SettingsTest::SetUp() {
  ASSERT_FALSE(scratch_.Path().empty());
  root_ = JoinPath(scratch_.Path(), "データ");
  otherRoot_ = JoinPath(scratch_.Path(), "別ソフト");
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

void UseDataRoot(const std::string& root) {
  CSettingsKey settings;
  layout::Write(settings, layout::kMailBoxPath, root);
}

HWND Sheet() { return FindOwnDialog(kSheetCaption); }

HWND ShowPage(int index) {
  SendMessageA(Sheet(), PSM_SETCURSEL, static_cast<WPARAM>(index), 0);
  return PropSheet_IndexToHwnd(Sheet(), index);
}

}  // namespace settings_test
