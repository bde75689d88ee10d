// The data root chooser on the common folder dialog: its current-folder line
// names what OK returns, and the process keeps its current directory.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_disk.h"
#include "settings_ui/pickers_win.h"
#include "support/scratch_directory.h"
#include "support/ui_script_win.h"

namespace {

std::string CurrentDirectory() {
  char path[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

TEST(Pickers, TheFolderChoosersLineNamesWhatOkReturns) {
  ScratchDirectory scratch;
  const std::string folder = JoinPath(scratch.Path(), "ソフト能力");
  const std::string inner = JoinPath(folder, "表示");
  ASSERT_TRUE(sample::MakeDirectory(folder));
  ASSERT_TRUE(sample::MakeDirectory(inner));
  const std::string before = CurrentDirectory();
  const struct {
    std::string initial;
    const char* item;  // opened in the folder list
    int button;
    std::string expected;
  } cases[] = {
      {folder, nullptr, IDOK, folder},
      {folder, "[表示]", IDOK, inner},
      {folder, "[表示]", IDCANCEL, inner},
      // A folder that is not there: the dialog stays where the process is.
      {JoinPath(folder, "無い"), nullptr, IDOK, before},
  };
  for (const auto& c : cases) {
    CFolderChooser chooser(c.initial);
    std::string line;
    ui::Script script;
    script.OnDialog("ﾌｫﾙﾀﾞの選択", [&c, &line](HWND window) {
      if (c.item != nullptr) {
        ui::Shot(window, "settings-folder-chooser");
        HWND folders = GetDlgItem(window, lst2);
        SendMessageA(folders, LB_SETCURSEL,
                     SendMessageA(folders, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                  reinterpret_cast<LPARAM>(c.item)),
                     0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(lst2, LBN_DBLCLK), reinterpret_cast<LPARAM>(folders));
      }
      line = ui::Text(window, stc1);
      PostMessageA(window, WM_COMMAND, c.button, 0);
    });
    script.Start();
    EXPECT_EQ(chooser.DoModal(nullptr), c.button) << c.initial;
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(lstrcmpiA(chooser.Path().c_str(), c.expected.c_str()), 0) << chooser.Path();
    EXPECT_EQ(lstrcmpiA(line.c_str(), c.expected.c_str()), 0) << line;
    EXPECT_EQ(CurrentDirectory(), before);
  }
}

}  // namespace
