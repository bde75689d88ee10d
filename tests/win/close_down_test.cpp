// Closing the main window: the dial-up question, and the steps that run
// whatever its answer.
#include <windows.h>
#include <shellapi.h>

#include <fstream>
#include <string>
#include <vector>

#include "dial_up/dial_up_win.h"
#include "main_window_rig.h"
#include "res/resource.h"
#include "support/modal_stepper_win.h"

namespace {

class CloseDownTest : public MainWindowTest {
 protected:
  // Closes the window as Cancel does and gives answer to the dial-up
  // question if it comes. The question's text, empty when none came.
  std::string CloseAnswering(int answer) {
    std::string question;
    ModalStepper stepper(
        [&] {
          HWND box = FindOwnDialog("LARKSPUR32");
          if (box != nullptr) {
            char text[256] = "";
            GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
            question = text;
            PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
          }
          return box != nullptr;
        },
        10000);
    HWND closing = window_;
    PostMessageA(closing, WM_COMMAND, IDCANCEL, 0);
    MSG message;
    while (IsWindow(closing) && GetMessageA(&message, nullptr, 0, 0) > 0) {
      DispatchMessageA(&message);
    }
    window_ = nullptr;
    EXPECT_FALSE(stepper.TimedOut());
    return question;
  }
};

TEST_F(CloseDownTest, AnOpenLineIsOfferedForHangingUpAndTheRestRunsWhateverTheAnswer) {
  const struct {
    bool connected;
    int answer;
  } cases[] = {{false, 0}, {true, IDYES}, {true, IDNO}};
  for (const auto& c : cases) {
    dialer_ = FakeDialer();
    if (c.connected) {
      dialer_.Connect("ポスト");
    }
    WriteRootDword("TaskTray", 1);
    WriteRootDword("SavePos", 1);
    ASSERT_NE(Open(), nullptr);
    SetWindowPos(window_, nullptr, 210, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    HWND closing = window_;

    EXPECT_EQ(CloseAnswering(c.answer), c.connected ? "ダイアルアップ中です\n切断しますか" : "");
    EXPECT_EQ(dialer_.journal.size(), c.connected ? (c.answer == IDYES ? 2u : 1u) : 0u);
    EXPECT_EQ(dialer_.HasConnection(), c.answer == IDNO);
    // No icon is left behind, and the position is saved, after No as well.
    EXPECT_FALSE(IconPresent(closing)) << c.answer;
    EXPECT_EQ(ReadRootDword("SaveX"), 210) << c.answer;
    EXPECT_EQ(ReadRootDword("SaveY"), 120) << c.answer;
  }
}

TEST_F(CloseDownTest, WithTheStandInLibraryYesHangsUpUntilTheLineIsGoneAndNoLeavesItUp) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string journal = std::string(temp) + "lark-close-" + std::to_string(GetCurrentProcessId()) + ".txt";
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", journal.c_str());
  SetEnvironmentVariableA("LARKSPUR_RAS_SCENARIO", "polls=2");
  const std::vector<std::string> dialled = {"RasEnumConnectionsA", "RasGetEntryDialParamsA", "RasDialA"};
  std::vector<std::string> hungUp = dialled;
  hungUp.insert(hungUp.end(), {"RasHangUpA", "RasGetConnectStatusA", "RasGetConnectStatusA",
                               "RasGetConnectStatusA"});
  for (const int answer : {IDYES, IDNO}) {
    DeleteFileA(journal.c_str());
    const auto line = CreateSystemDialUp();
    ASSERT_EQ(line->Connect("ポスト"), 0);
    ASSERT_NE(Open(*line), nullptr);
    EXPECT_FALSE(CloseAnswering(answer).empty()) << answer;
    std::vector<std::string> calls;
    std::ifstream file(journal, std::ios::binary);
    for (std::string call; std::getline(file, call);) {
      calls.push_back(call.substr(0, call.find('\t')));
    }
    EXPECT_EQ(calls, answer == IDYES ? hungUp : dialled) << answer;
    EXPECT_EQ(line->HasConnection(), answer == IDNO) << answer;
    line->HangUp(0);
  }
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", nullptr);
  SetEnvironmentVariableA("LARKSPUR_RAS_SCENARIO", nullptr);
  DeleteFileA(journal.c_str());
}

}  // namespace
