// Closing the main window: the dial-up question, and the steps that run
// whatever its answer.
#include <string>

#include "main_window_rig.h"
#include "support/ui_script_win.h"

namespace {

using CloseDownTest = MainWindowTest;

TEST_F(CloseDownTest, AnOpenLineIsOfferedForHangingUpAndTheRestRunsWhateverTheAnswer) {
  const struct {
    bool connected;
    int answer;
  } cases[] = {{false, 0}, {true, IDYES}, {true, IDNO}};
  for (const auto& c : cases) {
    dialer_ = FakeDialer();
    if (c.connected) dialer_.Connect("ポスト");
    WriteRootDword("TaskTray", 1);
    WriteRootDword("SavePos", 1);
    ASSERT_NE(Open(), nullptr);
    SetWindowPos(window_, nullptr, 210, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    std::string question;
    // Generous: after the tray tests, Wine now and then takes over 10 s to close.
    ui::Script script(30000);
    script.OnDialog("LARKSPUR32", [&](HWND box) {
      question = ui::MessageText(box);
      PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(c.answer), 0);
    });
    script.Start();
    // Closed as Cancel does, through a message loop.
    HWND closing = window_;
    PostMessageA(closing, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(closing); }, 40000)) << "the window did not close";
    EXPECT_EQ(script.Failure().empty(), c.connected) << c.answer;
    EXPECT_EQ(question, c.connected ? "ダイアルアップ中です\n切断しますか" : "");
    EXPECT_EQ(dialer_.HasConnection(), c.answer == IDNO);
    // No icon is left behind, and the position is saved, after No as well.
    EXPECT_FALSE(IconPresent(closing)) << c.answer;
    EXPECT_EQ(ReadRootDword("SaveX"), 210) << c.answer;
    EXPECT_EQ(ReadRootDword("SaveY"), 120) << c.answer;
  }
}

}  // namespace
