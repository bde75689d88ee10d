// The bridge against the stand-in client in another process, as the program
// meets the real one: its windows and list, the mailbox check, DDE commands
// carried out on the data directory, and the window placement around a run.
// Launching, account commands and the fetch are met by every end-to-end run.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

#include "bridge/mail_client_win.h"
#include "support/program_run_win.h"
#include "text/cp932.h"

namespace {

constexpr DWORD kBound = 10000;

// The data directory of a program run; the program itself is not started.
class ClientStandInTest : public e2e::ProgramRunTest {
 protected:
  e2e::StandIn client_;
};

// The list is found in every layout of the client's windows. A client on this
// root is used; one on another root is closed, or given up on in time when it
// will not close; one that does not answer (or answers past the request's
// time-out of 1 s) is neither used nor closed.
TEST_F(ClientStandInTest, TheListIsFoundInEveryLayoutAndOnlyAClientOnThisRootIsUsed) {
  EXPECT_FALSE(CMailClientBridge().UsesMailbox(root_)) << "no client runs";
  const std::pair<std::string, std::string> frameView{"ListBox", "AfxFrameOrView42s"};
  const struct {
    const char* scenario;
    std::pair<std::string, std::string> list;  // its class and its parent's
    std::string asked;
    bool uses, stays;
  } cases[] = {
      {"layout=frame", frameView, root_ + "\\", true, true},
      {"layout=view", frameView, cp932::FoldAscii(root_), true, true},
      {"layout=frame-listview", {"SysListView32", "AfxMDIFrame42s"}, root_ + "\\ソフト", false, false},
      {"layout=listview;close=refuse", {"SysListView32", "Corvid32Class"}, root_ + "\\ソフト", false, true},
      {"dde=off", frameView, root_, false, true},
      {"dde=slow", frameView, root_, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.scenario) + " " + c.asked);
    ASSERT_TRUE(client_.Start(root_, c.scenario));
    ClientBounds bounds;
    bounds.exitMs = 1500;
    CMailClientBridge bridge(bounds);
    EXPECT_EQ(bridge.FindClientWindow(), client_.Window());
    HWND list = bridge.FindClientList();
    EXPECT_EQ(std::make_pair(e2e::ClassOf(list), e2e::ClassOf(GetParent(list))), c.list);
    const DWORD start = GetTickCount();
    EXPECT_EQ(bridge.UsesMailbox(c.asked), c.uses);
    EXPECT_LT(GetTickCount() - start, 5000u);
    EXPECT_EQ(!client_.Program().WaitForExit(c.stays ? 0 : kBound), c.stays);
    client_.Stop();
  }
}

TEST_F(ClientStandInTest, MarkAndMoveAreCarriedOutInOrderAndAMoveSaysHowItWent) {
  ASSERT_TRUE(data_.AddFolder("Account2", "Hold.box\\能力.box", "能力", "") &&
              data_.AddMail("Account1", "予約.box", "00000001", 1000, 0x5) &&
              data_.AddMail("Account1", "予約.box", "00000002", 2000) &&
              data_.AddMail("Account2", "Hold.box\\能力.box", "00000009", 900));
  ASSERT_TRUE(client_.Start(root_));
  CMailClientBridge bridge;
  const std::string first = "Account1\\予約.box\\00000001";
  const std::string second = "Account1\\予約.box\\00000002";
  const std::string marks[] = {",-1056964608,1", ",7,0", ",3,1"};
  for (const std::string& mark : marks) {
    bridge.MarkMail(first, std::stoi(mark.substr(1)), mark.back() - '0');
  }
  bridge.MarkMail("Account1\\予約.box\\0000,0002", 3, 1);  // a name that cannot stand in the command
  // Moved; refused (no such mail); never sent (a target that cannot stand in the command).
  EXPECT_EQ(bridge.MoveMail(first, "Account2\\Hold.box\\能力.box"), MoveOutcome::kMoved);
  EXPECT_EQ(bridge.MoveMail(first, "Account2\\Outbox.box"), MoveOutcome::kRefused);
  EXPECT_EQ(bridge.MoveMail(second, "Account2\\Outbox.box)"), MoveOutcome::kRefused);
  std::vector<std::string> wanted;
  for (const std::string& mark : marks) wanted.push_back("execute MarkMail(" + first + mark + ")");
  wanted.push_back("execute MoveMail(" + first + ",Account2\\Hold.box\\能力.box)");
  wanted.push_back("execute MoveMail(" + first + ",Account2\\Outbox.box)");
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::Count(Journal(), wanted.back()) > 0; }, kBound))
      << "the last command never arrived";
  std::vector<std::string> executes = Journal();
  executes.erase(std::remove_if(executes.begin(), executes.end(), [](const std::string& l) { return l.rfind("execute ", 0) != 0; }),
                 executes.end());
  EXPECT_EQ(executes, wanted);
  client_.Stop();
  EXPECT_EQ(bridge.MoveMail(second, "Account2\\Outbox.box"), MoveOutcome::kNoAnswer);
}

TEST_F(ClientStandInTest, AWindowInViewMinimisedOrHiddenIsKeptOutOfSightAndPutBack) {
  ASSERT_TRUE(client_.Start(root_));
  CMailClientBridge bridge;
  HWND window = bridge.FindClientWindow();
  auto visible = [&] { return IsWindowVisible(window) != FALSE; };
  auto offScreen = [&] {
    RECT now{};
    GetWindowRect(window, &now);
    return !visible() || now.left >= GetSystemMetrics(SM_CXSCREEN);
  };
  const struct {
    int show;
    std::function<bool()> duringRun;
    std::function<bool()> afterRun;
  } cases[] = {{SW_RESTORE, visible, visible},
               {SW_MINIMIZE, [&] { return !IsIconic(window); }, [&] { return IsIconic(window) != FALSE; }},
               {SW_HIDE, offScreen, [&] { return !visible(); }}};
  for (const auto& c : cases) {
    ShowWindow(window, SW_RESTORE);
    ShowWindow(window, c.show);
    ASSERT_TRUE(bridge.KeepOutOfSight()) << c.show;
    EXPECT_TRUE(e2e::WaitUntil(c.duringRun, kBound)) << c.show;
    bridge.PutBack();
    EXPECT_TRUE(e2e::WaitUntil(c.afterRun, kBound)) << c.show;
  }
  client_.Stop();
  EXPECT_FALSE(bridge.KeepOutOfSight());
}

}  // namespace
