// Closing the main window: the dial-up question, and the steps that must run
// whatever its answer.
#include <windows.h>
#include <shellapi.h>

#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "client/dial_up_win.h"
#include "main_window_rig.h"
#include "res/resource.h"
#include "support/modal_stepper_win.h"

namespace {

bool IconPresent(HWND window) {
  NOTIFYICONDATAA data{};
  data.cbSize = NOTIFYICONDATAA_V1_SIZE;
  data.hWnd = window;
  data.uID = ID_TRAY_ICON;
  data.uFlags = NIF_TIP;
  std::strcpy(data.szTip, "LARKSPUR32");
  return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}

class CloseDownTest : public MainWindowTest {
 protected:
  // Closes the window as Cancel does and answers the dial-up question, if it
  // comes, with answer. Whether it came; its text goes to question.
  bool CloseAnswering(int answer, std::string& question) {
    ModalStepper stepper(
        [&] {
          HWND box = FindOwnDialog("LARKSPUR32");
          if (box == nullptr) {
            return false;
          }
          char text[256] = "";
          GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
          question = text;
          PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(answer), 0);
          return true;
        },
        10000);
    HWND old = window_;
    PostMessageA(window_, WM_COMMAND, IDCANCEL, 0);
    MSG message;
    while (IsWindow(old) && GetMessageA(&message, nullptr, 0, 0) > 0) {
      DispatchMessageA(&message);
    }
    window_ = nullptr;
    EXPECT_FALSE(stepper.TimedOut());
    return stepper.Done();
  }
};

TEST_F(CloseDownTest, AnOpenLineIsOfferedForHangingUpAndTheRestRunsWhateverTheAnswer) {
  struct Case {
    bool connected;
    int answer;
    bool asked;
    int hangUps;
  };
  const Case cases[] = {
      {false, 0, false, 0},
      {true, IDYES, true, 1},
      {true, IDNO, true, 0},
  };
  for (const Case& c : cases) {
    const std::string label = "connected " + std::to_string(c.connected) + ", answer " +
                              std::to_string(c.answer);
    dialer_ = FakeDialer();
    dialer_.connected = c.connected;
    WriteRootDword("TaskTray", 1);
    WriteRootDword("SavePos", 1);
    WriteRootDword("SaveX", 7);
    ASSERT_NE(Open(), nullptr);
    ASSERT_TRUE(IconPresent(window_)) << label;
    Command(ID_SHOW_MAIN);
    SetWindowPos(window_, nullptr, 210, 120, 0, 0, SWP_NOSIZE | SWP_NOZORDER);

    HWND old = window_;
    std::string question;
    const bool asked = CloseAnswering(c.answer, question);

    EXPECT_EQ(asked, c.asked) << label;
    if (c.asked) {
      EXPECT_EQ(question, "ダイアルアップ中です\n切断しますか") << label;
    }
    EXPECT_EQ(dialer_.hangUps, c.hangUps) << label;
    if (c.hangUps > 0) {
      EXPECT_EQ(dialer_.lastPollSleepMs, 10) << label;
    }
    EXPECT_EQ(dialer_.connected, c.connected && c.hangUps == 0) << label;
    EXPECT_FALSE(IconPresent(old)) << label;
    EXPECT_EQ(ReadRootDword("SaveX", -1), 210) << label;
    EXPECT_EQ(ReadRootDword("SaveY", -1), 120) << label;
  }
}

// The functions the stand-in library was called with, in order.
std::vector<std::string> RasCalls(const std::string& journal) {
  std::vector<std::string> calls;
  std::ifstream file(journal, std::ios::binary);
  std::string line;
  while (std::getline(file, line)) {
    calls.push_back(line.substr(0, line.find('\t')));
  }
  return calls;
}

TEST_F(CloseDownTest, WithTheStandInLibraryYesHangsUpAndWaitsForTheLineAndNoLeavesItUp) {
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string journal = std::string(temp) + "lark-close-" + std::to_string(GetCurrentProcessId()) + ".txt";
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", journal.c_str());
  SetEnvironmentVariableA("LARKSPUR_RAS_SCENARIO", "polls=2");
  const std::vector<std::string> dialled = {"RasEnumConnectionsA", "RasGetEntryDialParamsA", "RasDialA"};
  const std::vector<std::string> hungUp = {"RasEnumConnectionsA", "RasGetEntryDialParamsA", "RasDialA",
                                           "RasHangUpA", "RasGetConnectStatusA", "RasGetConnectStatusA",
                                           "RasGetConnectStatusA"};
  for (const int answer : {IDYES, IDNO}) {
    DeleteFileA(journal.c_str());
    const auto line = CreateSystemDialUp();
    ASSERT_EQ(line->Connect("ポスト"), 0);
    ASSERT_NE(Open(*line), nullptr);
    std::string question;
    EXPECT_TRUE(CloseAnswering(answer, question)) << answer;
    EXPECT_EQ(RasCalls(journal), answer == IDYES ? hungUp : dialled) << answer;
    EXPECT_EQ(line->HasConnection(), answer == IDNO) << answer;
    line->HangUp(0);
  }
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", nullptr);
  SetEnvironmentVariableA("LARKSPUR_RAS_SCENARIO", nullptr);
  DeleteFileA(journal.c_str());
}

}  // namespace
