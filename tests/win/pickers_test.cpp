// The directory, font face and program pickers on the common dialogs.
#include <windows.h>
#include <dlgs.h>

#include <gtest/gtest.h>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_disk.h"
#include "settings_ui/pickers_win.h"
#include "support/scratch_directory.h"
#include "support/ui_script_win.h"

namespace {

constexpr const char* kChooserCaption = "ﾌｫﾙﾀﾞの選択";

std::string CurrentDirectory() {
  char path[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, path);
  return path;
}

// The common dialog a picker opened: the one enabled dialog of this thread.
HWND Picker() { return ui::FindOtherModal({}); }

// The chooser's current-folder line: its text, whether all of it fits, and
// whether a path too long for it loses its middle rather than its end.
struct FolderLine {
  std::string text;
  bool whole = false;
  bool shortens = false;
};

FolderLine CurrentFolderLine(HWND chooser) {
  HWND line = GetDlgItem(chooser, stc1);
  FolderLine shown{ui::Text(chooser, stc1)};
  HDC dc = GetDC(line);
  HGDIOBJ font = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(line, WM_GETFONT, 0, 0)));
  SIZE size{};
  GetTextExtentPoint32A(dc, shown.text.c_str(), static_cast<int>(shown.text.size()), &size);
  SelectObject(dc, font);
  ReleaseDC(line, dc);
  RECT client{};
  GetClientRect(line, &client);
  shown.whole = size.cx <= client.right;
  shown.shortens = (GetWindowLongPtrA(line, GWL_STYLE) & SS_PATHELLIPSIS) != 0;
  return shown;
}

// Picks item in the chooser's folder list; opens it too when open is set.
void PickFolder(HWND chooser, const std::string& item, bool open) {
  HWND folders = GetDlgItem(chooser, lst2);
  const LRESULT index =
      SendMessageA(folders, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(item.c_str()));
  ASSERT_GE(index, 0) << item;
  SendMessageA(folders, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (open) {
    SendMessageA(chooser, WM_COMMAND, MAKEWPARAM(lst2, LBN_DBLCLK), reinterpret_cast<LPARAM>(folders));
  }
}

TEST(Pickers, TheFolderChooserReturnsTheFolderItShowsAndRestoresTheCurrentDirectory) {
  ScratchDirectory scratch;
  const std::string folder = JoinPath(scratch.Path(), "ソフト能力");
  const std::string inner = JoinPath(folder, "表示");
  ASSERT_TRUE(sample::MakeDirectory(folder));
  ASSERT_TRUE(sample::MakeDirectory(inner));
  // Short enough for a line as wide as the dialog, too long for one as wide as the folder list.
  const std::string rootFolder = "C:\\ソフト能力の表示とポストの表示";
  ASSERT_TRUE(sample::MakeDirectory(rootFolder));
  const std::string before = CurrentDirectory();
  const struct {
    std::string initial;
    bool open;  // the inner folder is only selected, or opened
    int button;
    std::string expected;
    bool whole;  // the line shows all of the path
  } cases[] = {
      {folder, false, IDOK, folder, false},
      {folder, true, IDOK, inner, false},
      {folder, true, IDCANCEL, inner, false},
      {rootFolder, false, IDOK, rootFolder, true},
      // A folder that is not there: the dialog stays where the process is.
      {JoinPath(folder, "無い"), false, IDOK, before, false},
  };
  for (const auto& c : cases) {
    CFolderChooser chooser(c.initial);
    FolderLine line;
    ui::Script script;
    script.OnDialog(kChooserCaption, [&c, &folder, &line](HWND window) {
      for (int id : {stc3, edt1, lst1, stc2, cmb1}) {
        EXPECT_FALSE(ui::IsVisible(window, id)) << id;
      }
      if (c.initial == folder) {
        ui::Shot(window, "settings-folder-chooser");
        PickFolder(window, "[表示]", c.open);
      }
      line = CurrentFolderLine(window);
      PostMessageA(window, WM_COMMAND, c.button, 0);
    });
    script.Start();
    EXPECT_EQ(chooser.DoModal(nullptr), c.button) << c.initial;
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(lstrcmpiA(chooser.Path().c_str(), c.expected.c_str()), 0) << chooser.Path();
    EXPECT_EQ(CurrentDirectory(), before);
    // The line names the folder OK returns, whole or shortened in the middle.
    EXPECT_EQ(lstrcmpiA(line.text.c_str(), c.expected.c_str()), 0) << line.text;
    EXPECT_TRUE(line.whole || line.shortens) << line.text;
    EXPECT_TRUE(line.whole || !c.whole) << line.text;
  }
  RemoveDirectoryA(rootFolder.c_str());
}

TEST(Pickers, TheFontNameDialogOffersTheFaceListAlone) {
  LOGFONTA font{};
  lstrcpyA(font.lfFaceName, "ＭＳ Ｐ明朝");
  font.lfHeight = -24;
  CFontNameDialog dialog(font, CF_SCREENFONTS | CF_EFFECTS);
  std::string chosen;
  ui::Script script;
  script.When("the font dialog", [] { return Picker() != nullptr; }, [&chosen] {
    HWND window = Picker();
    for (int id : {stc2, cmb2, stc3, cmb3, grp1, chx1, chx2, grp2, stc5, cmb5}) {
      EXPECT_FALSE(ui::IsVisible(window, id)) << id;
    }
    EXPECT_TRUE(ui::IsVisible(window, cmb1));
    // The colour row sits below the shrunken window.
    RECT client{};
    GetClientRect(window, &client);
    RECT colour{};
    GetWindowRect(GetDlgItem(window, cmb4), &colour);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&colour), 2);
    EXPECT_GE(colour.top, client.bottom);
    ui::Shot(window, "settings-font-dialog");
    const int index = static_cast<int>(SendDlgItemMessageA(window, cmb1, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                           reinterpret_cast<LPARAM>("ＭＳ Ｐゴシック")));
    EXPECT_GE(index, 0);
    ui::SelectCombo(window, cmb1, index);
    chosen = ui::ComboSelection(window, cmb1);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  });
  script.Start();
  ASSERT_EQ(dialog.DoModal(nullptr), IDOK);
  EXPECT_EQ(script.Failure(), "");
  EXPECT_EQ(std::string(dialog.Font().lfFaceName), chosen);
}

TEST(Pickers, TheProgramPickerStartsAtThePathAndReturnsTheChosenFile) {
  ScratchDirectory scratch;
  const std::string current = JoinPath(scratch.Path(), "表示.exe");
  const std::string other = JoinPath(scratch.Path(), "ポスト.exe");
  ASSERT_TRUE(sample::WriteFile(current, "MZ"));
  ASSERT_TRUE(sample::WriteFile(other, "MZ"));

  std::string path = current;
  std::string filter;
  ui::Script script;
  script.When("the file dialog", [] { return Picker() != nullptr; }, [other, &filter] {
    HWND window = Picker();
    filter = ui::ComboSelection(window, cmb1);
    ui::Shot(window, "settings-program-picker");
    SetDlgItemTextA(window, cmb13, other.c_str());
    SetDlgItemTextA(window, edt1, other.c_str());
    PostMessageA(window, WM_COMMAND, IDOK, 0);
  });
  script.Start();
  ASSERT_TRUE(ChooseExecutable(nullptr, path));
  EXPECT_EQ(script.Failure(), "");
  EXPECT_TRUE(lstrcmpiA(path.c_str(), other.c_str()) == 0) << path;
  EXPECT_EQ(filter, "実行ﾌｧｲﾙ (*.exe)");

  ui::Script cancel;
  cancel.When("the file dialog", [] { return Picker() != nullptr; },
              [] { PostMessageA(Picker(), WM_COMMAND, IDCANCEL, 0); });
  cancel.Start();
  std::string unchanged = current;
  EXPECT_FALSE(ChooseExecutable(nullptr, unchanged));
  EXPECT_EQ(unchanged, current);
}

}  // namespace
