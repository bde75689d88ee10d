// The main window's settings command: one sheet at a time, and what the
// window takes over from it: after OK only, not after Apply then Cancel.
#include <windows.h>
#include <commctrl.h>

#include "main_window_rig.h"
#include "res/resource.h"
#include "support/e2e_win.h"
#include "support/ui_script_win.h"

namespace {

constexpr const char* kSheetCaption = "設定";
constexpr int kGeneralPage = 1;

std::size_t OpenSheets() { return e2e::FindWindows({"#32770", kSheetCaption, GetCurrentProcessId()}).size(); }

using SettingsCommandTest = MainWindowTest;

TEST_F(SettingsCommandTest, TheWindowTakesTheTrayOptionOverOnOkOnlyFromItsOneSheet) {
  WriteRootDword("TaskTray", 1);
  WriteRootDword("RDoubleClk", 1);
  ASSERT_NE(Open(), nullptr);
  ASSERT_TRUE(IconPresent(window_));
  HWND window = window_;
  for (const bool ok : {false, true}) {
    WriteRootDword("TaskTray", 1);
    ui::Script script;
    script.OnDialog(kSheetCaption, [window, ok](HWND sheet) {
      // From the toolbar, a posted command and the tray's double-click alike.
      SendMessageA(window, WM_COMMAND, ID_SETTINGS, 0);
      PostMessageA(window, WM_COMMAND, ID_SETTINGS, 0);
      SendMessageA(window, WM_TRAY_NOTIFY, ID_TRAY_ICON, WM_LBUTTONDBLCLK);
      SendMessageA(sheet, PSM_SETCURSEL, kGeneralPage, 0);
      ui::Click(ui::SheetPage(sheet, kGeneralPage), IDC_TASK_TRAY);
      if (!ok) {
        SendMessageA(sheet, PSM_APPLY, 0, 0);
      }
    });
    script.Do("count the sheets", [ok] {
      EXPECT_EQ(OpenSheets(), 1u);
      ui::PressLater(ui::FindShown(kSheetCaption), ok ? PSBTN_OK : PSBTN_CANCEL);
    });
    script.Start();
    Command(ID_SETTINGS);
    EXPECT_EQ(script.Failure(), "");
    EXPECT_EQ(OpenSheets(), 0u);
    EXPECT_EQ(ReadRootDword("TaskTray"), 0) << ok;
    EXPECT_EQ(IconPresent(window_), !ok) << ok;
    EXPECT_EQ(IsWindowVisible(window_) != FALSE, ok) << ok;
  }
}

}  // namespace
