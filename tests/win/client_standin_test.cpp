// The bridge against the stand-in client in another process, as the program
// meets the real one: its windows and list, the mailbox check, DDE commands
// carried out on the data directory, and the window placement around a run.
// Launching, account commands and the fetch are met by every end-to-end run.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>

#include "bridge/mail_client_win.h"
#include "sample_data/sample_data.h"
#include "support/e2e_win.h"
#include "support/scratch_directory.h"
#include "support/standin_win.h"
#include "text/cp932.h"

namespace {

constexpr DWORD kBound = 10000;

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

class ClientStandInTest : public ::testing::Test {
 protected:
  // Account1 "表示" with two mails in 能力.box, Account2 "ソフト" with one in a nested folder.
  void SetUp() override {
    sample::DataDirectoryBuilder data(root_);
    ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, "") && data.AddFolder("Account1", "Outbox.box", "", "") &&
                data.AddFolder("Account1", "能力.box", "能力", "") && data.AddAccount("Account2", "ソフト", 0, "") &&
                data.AddFolder("Account2", "Outbox.box", "", "") && data.AddFolder("Account2", "WORK.BOX", "仕事", "1") &&
                data.AddFolder("Account2", "WORK.BOX\\2002.BOX", "2002", "") &&
                data.AddMail("Account1", "能力.box", "00000001", 1000, 0x5) &&
                data.AddMail("Account1", "能力.box", "00000002", 2000) &&
                data.AddMail("Account2", "WORK.BOX\\2002.BOX", "00000009", 900));
  }

  ScratchDirectory scratch_;
  const std::string root_ = scratch_.Path();
  standin::Client client_;
};

TEST_F(ClientStandInTest, TheMailListIsFoundInEveryLayout) {
  const std::pair<const char*, std::pair<std::string, std::string>> cases[] = {
      {"frame", {"ListBox", "AfxFrameOrView42s"}},
      {"view", {"ListBox", "AfxFrameOrView42s"}},
      {"frame-listview", {"SysListView32", "AfxMDIFrame42s"}},
      {"listview", {"SysListView32", "Corvid32Class"}}};
  for (const auto& [layout, classes] : cases) {
    ASSERT_TRUE(client_.Start(root_, std::string("layout=") + layout));
    CMailClientBridge bridge;
    EXPECT_EQ(bridge.FindClientWindow(), client_.Window()) << layout;
    HWND list = bridge.FindClientList();
    EXPECT_EQ(std::make_pair(ClassOf(list), ClassOf(GetParent(list))), classes) << layout;
    client_.Stop();
  }
}

// A client on this root is used; one on another root is closed, or given up on
// in time when it will not close; one that does not answer (or answers past
// the request's time-out of 1 s) is neither used nor closed.
TEST_F(ClientStandInTest, TheMailboxCheckUsesAClientOnThisRootOnly) {
  EXPECT_FALSE(CMailClientBridge().UsesMailbox(root_)) << "no client runs";
  const struct {
    const char* scenario;
    std::string asked;
    bool uses;
    bool stays;
  } cases[] = {{"", root_ + "\\", true, true},         {"", cp932::FoldAscii(root_), true, true},
               {"", root_ + "\\ソフト", false, false},  {"close=refuse", root_ + "\\ソフト", false, true},
               {"dde=off", root_, false, true},         {"dde=slow", root_, false, true}};
  for (const auto& c : cases) {
    ASSERT_TRUE(client_.Start(root_, c.scenario));
    ClientBounds bounds;
    bounds.exitMs = 1500;
    const DWORD start = GetTickCount();
    EXPECT_EQ(CMailClientBridge(bounds).UsesMailbox(c.asked), c.uses) << c.scenario << " " << c.asked;
    EXPECT_LT(GetTickCount() - start, 5000u) << c.scenario << " " << c.asked;
    EXPECT_EQ(!client_.Process().WaitForExit(c.stays ? 0 : kBound), c.stays) << c.scenario << " " << c.asked;
    client_.Stop();
  }
}

TEST_F(ClientStandInTest, MarkAndMoveAreCarriedOutInOrderAndAMoveSaysHowItWent) {
  ASSERT_TRUE(client_.Start(root_));
  CMailClientBridge bridge;
  const std::string first = "Account1\\能力.box\\00000001";
  const std::string second = "Account1\\能力.box\\00000002";
  const std::string marks[] = {",-1056964608,1", ",7,0", ",3,1"};
  for (const std::string& mark : marks) {
    bridge.MarkMail(first, std::stoi(mark.substr(1)), mark.back() - '0');
  }
  bridge.MarkMail("Account1\\能力.box\\0000,0002", 3, 1);  // a name that cannot stand in the command
  // Moved; refused (no such mail); never sent (a target that cannot stand in the command).
  EXPECT_EQ(bridge.MoveMail(first, "Account2\\WORK.BOX\\2002.BOX"), MoveOutcome::kMoved);
  EXPECT_EQ(bridge.MoveMail(first, "Account2\\Outbox.box"), MoveOutcome::kRefused);
  EXPECT_EQ(bridge.MoveMail(second, "Account2\\Outbox.box)"), MoveOutcome::kRefused);
  std::vector<std::string> wanted;
  for (const std::string& mark : marks) wanted.push_back("execute MarkMail(" + first + mark + ")");
  wanted.push_back("execute MoveMail(" + first + ",Account2\\WORK.BOX\\2002.BOX)");
  wanted.push_back("execute MoveMail(" + first + ",Account2\\Outbox.box)");
  ASSERT_TRUE(standin::WaitForJournalLine(root_, wanted.back(), kBound)) << "the last command never arrived";
  std::vector<std::string> executes = standin::ReadJournal(root_);
  executes.erase(std::remove_if(executes.begin(), executes.end(), [](const std::string& l) { return l.rfind("execute ", 0) != 0; }),
                 executes.end());
  EXPECT_EQ(executes, wanted);
  // Moved to the end of the target index, mark 5 replaced by 3, time kept.
  std::ifstream index(root_ + "\\mailbox\\Account2\\WORK.BOX\\2002.BOX\\Entry.lst", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(index), std::istreambuf_iterator<char>()),
            sample::EntryLine("00000009", 900) + sample::EntryLine("00000001", 1000, 0xC1000003u));
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
  e2e::SaveScreenshot(window, "standin-client");
  client_.Stop();
  EXPECT_FALSE(bridge.KeepOutOfSight());
}

}  // namespace
