// The bridge against the stand-in client in another process, as the program
// meets the real one: its windows and list, the mailbox check, launching,
// account commands, the fetch, DDE commands carried out on the data directory,
// and the window placement around a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "bridge/mail_client_win.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/e2e_win.h"
#include "support/scratch_directory.h"
#include "support/standin_win.h"
#include "text/cp932.h"

namespace {

constexpr DWORD kBound = 10000;
constexpr const char* kMainClass = "Corvid32Class";

std::string ClassOf(HWND window) {
  char name[256] = "";
  GetClassNameA(window, name, sizeof name);
  return name;
}

class ClientStandInTest : public ::testing::Test {
 protected:
  // Account1 "表示" with 3 folders, Account2 "ソフト" with 5 (two of them
  // nested), Account3 "ポスト" with 2.
  void SetUp() override {
    sample::DataDirectoryBuilder data(root_);
    const struct {
      const char* account;
      const char* title;
      std::vector<const char*> folders;
    } accounts[] = {{"Account1", "表示", {"能力.box"}},
                    {"Account2", "ソフト", {"WORK.BOX", "WORK.BOX\\2002.BOX", "WORK.BOX\\2003.BOX"}},
                    {"Account3", "ポスト", {}}};
    for (const auto& a : accounts) {
      ASSERT_TRUE(data.AddAccount(a.account, a.title, 0, "") && data.AddFolder(a.account, "Inbox.box", "", "") &&
                  data.AddFolder(a.account, "Outbox.box", "", ""));
      for (const char* folder : a.folders) ASSERT_TRUE(data.AddFolder(a.account, folder, "仕事", ""));
    }
    ASSERT_TRUE(data.AddMail("Account1", "能力.box", "00000001", 1000, 0x5) &&
                data.AddMail("Account1", "能力.box", "00000002", 2000) &&
                data.AddMail("Account2", "WORK.BOX\\2002.BOX", "00000009", 900));
  }

  // The journal lines written since the last call.
  std::vector<std::string> NewJournalLines() {
    const std::vector<std::string> lines = standin::ReadJournal(root_);
    const std::vector<std::string> fresh(lines.begin() + static_cast<std::ptrdiff_t>(std::min(seen_, lines.size())), lines.end());
    seen_ = lines.size();
    return fresh;
  }

  ScratchDirectory scratch_;
  const std::string root_ = scratch_.Path();
  standin::Client client_;
  std::size_t seen_ = 0;
};

TEST_F(ClientStandInTest, TheMailListIsFoundInEveryLayout) {
  const struct {
    const char* layout;
    const char* list;
    const char* parent;
  } cases[] = {{"frame", "ListBox", "AfxFrameOrView42s"},
               {"view", "ListBox", "AfxFrameOrView42s"},
               {"frame-listview", "SysListView32", "AfxMDIFrame42s"},
               {"listview", "SysListView32", kMainClass}};
  for (const auto& c : cases) {
    ASSERT_TRUE(client_.Start(root_, std::string("layout=") + c.layout)) << c.layout;
    CMailClientBridge bridge;
    EXPECT_EQ(bridge.FindClientWindow(), client_.Window()) << c.layout;
    HWND list = bridge.FindClientList();
    EXPECT_EQ(ClassOf(list), c.list) << c.layout;
    EXPECT_EQ(ClassOf(GetParent(list)), c.parent) << c.layout;
    client_.Stop();
  }
}

// A client on this root is used; one on another root is closed, or given up on
// in time when it will not close; one that does not answer (or answers past
// the request's time-out of 1 s) is neither used nor closed.
TEST_F(ClientStandInTest, TheMailboxCheckUsesAClientOnThisRootOnly) {
  CMailClientBridge idle;
  EXPECT_FALSE(idle.UsesMailbox(root_)) << "no client runs";
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

TEST_F(ClientStandInTest, LaunchWaitsForTheMailListWithinItsBounds) {
  ClientBounds shortWindowWait;
  shortWindowWait.windowMs = 800;
  ClientBounds shortListWait;
  shortListWait.listMs = 800;
  const struct {
    std::string program;
    std::string scenario;  // of the data root, read at start
    std::string root;
    ClientBounds bounds;
    bool launched;
  } cases[] = {{standin::ProgramPath(), "", root_, {}, true},
               {root_ + "\\missing.exe", "", root_, {}, false},
               {standin::ProgramPath(), "", root_ + "\\ない", {}, false},  // the stand-in ends at once
               {standin::ProgramPath(), "start_delay_ms=6000", root_, shortWindowWait, false},
               {standin::ProgramPath(), "list_delay_ms=6000", root_, shortListWait, false}};
  for (const auto& c : cases) {
    ASSERT_TRUE(sample::WriteFile(root_ + "\\corvid-scenario.txt", c.scenario));
    CMailClientBridge bridge(c.bounds);
    const DWORD start = GetTickCount();
    EXPECT_EQ(bridge.Launch(c.program, c.root), c.launched) << c.program << " " << c.scenario;
    EXPECT_LT(GetTickCount() - start, 4500u) << c.program << " " << c.scenario;
    // A slow client does come up in the end; then it is closed (the bridge keeps no handle).
    if (c.program == standin::ProgramPath() && c.root == root_) {
      EXPECT_TRUE(e2e::WaitUntil([&] { return bridge.FindClientList() != nullptr && bridge.UsesMailbox(root_); }, kBound));
      PostMessageA(FindWindowA(kMainClass, nullptr), WM_CLOSE, 0, 0);
      EXPECT_TRUE(e2e::WaitUntil([] { return FindWindowA(kMainClass, nullptr) == nullptr; }, kBound));
    }
  }
}

TEST_F(ClientStandInTest, AccountCommandsFollowTheClientsMenuNumbering) {
  ASSERT_TRUE(client_.Start(root_, "account=ソフト"));
  CMailClientBridge bridge;
  EXPECT_EQ(bridge.CurrentAccount(), "ソフト");
  NewJournalLines();
  const struct {
    const char* wanted;
    std::vector<std::string> lines;
  } steps[] = {
      {"ポスト", {"menu 0", "command 11010"}},  // ソフト first: 11000 + 1 + 5, then 表示: + 1 + 3
      {"表示", {"menu 0", "command 11003"}},    // ポスト first: 11000 + 1 + 2
      {"表示", {"menu 0", "command 11000"}},
      {"能力", {}},  // a title the client does not have
  };
  for (const auto& step : steps) {
    bridge.SwitchAccount(step.wanted);
    EXPECT_EQ(NewJournalLines(), step.lines) << step.wanted;
  }
  EXPECT_EQ(bridge.CurrentAccount(), "表示");
  bridge.SelectFirstAccount(false);
  EXPECT_EQ(NewJournalLines(), (std::vector<std::string>{"command 11000"}));
  e2e::SaveScreenshot(client_.Window(), "standin-client");
}

TEST_F(ClientStandInTest, TheFetchsEndIsSeenThroughTheClientsAnswer) {
  ASSERT_TRUE(client_.Start(root_, "fetch_ms=1500"));
  // This process cannot read the stand-in's menu under Wine, so the state
  // comes from the client's answer to the query message.
  CMailClientBridge bridge;
  NewJournalLines();
  bridge.StartFetch();
  EXPECT_FALSE(bridge.IsFetchDone());
  EXPECT_TRUE(e2e::WaitUntil([&] { return bridge.IsFetchDone(); }, kBound)) << "the end of the fetch was not seen";
  const std::vector<std::string> lines = NewJournalLines();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "command 32786");
  EXPECT_EQ(lines[1].rfind("fetch ", 0), 0u);
}

TEST_F(ClientStandInTest, MarkAndMoveAreCarriedOutInOrderAndAMoveSaysHowItWent) {
  ASSERT_TRUE(client_.Start(root_));
  CMailClientBridge bridge;
  const std::string first = "Account1\\能力.box\\00000001";
  const std::string second = "Account1\\能力.box\\00000002";
  bridge.MarkMail(first, -1056964608, 1);
  bridge.MarkMail(first, 7, 0);
  bridge.MarkMail(first, 3, 1);
  bridge.MarkMail("Account1\\能力.box\\0000,0002", 3, 1);  // a name that cannot stand in the command
  // Moved; refused (no such mail); never sent (a target that cannot stand in the command).
  EXPECT_EQ(bridge.MoveMail(first, "Account2\\WORK.BOX\\2002.BOX"), MoveOutcome::kMoved);
  EXPECT_EQ(bridge.MoveMail(first, "Account2\\Outbox.box"), MoveOutcome::kRefused);
  EXPECT_EQ(bridge.MoveMail(second, "Account2\\Outbox.box)"), MoveOutcome::kRefused);
  bridge.MarkMail(second, 1073741824, 1);
  const std::string last = "execute MarkMail(" + second + ",1073741824,1)";
  ASSERT_TRUE(standin::WaitForJournalLine(root_, last, kBound)) << "the last command never arrived";
  std::vector<std::string> executes = standin::ReadJournal(root_);
  executes.erase(std::remove_if(executes.begin(), executes.end(), [](const std::string& l) { return l.rfind("execute ", 0) != 0; }),
                 executes.end());
  EXPECT_EQ(executes, (std::vector<std::string>{"execute MarkMail(" + first + ",-1056964608,1)",
                                                "execute MarkMail(" + first + ",7,0)", "execute MarkMail(" + first + ",3,1)",
                                                "execute MoveMail(" + first + ",Account2\\WORK.BOX\\2002.BOX)",
                                                "execute MoveMail(" + first + ",Account2\\Outbox.box)", last}));
  // Moved to the end of the target index, mark 5 replaced by 3, time kept.
  std::ifstream index(root_ + "\\mailbox\\Account2\\WORK.BOX\\2002.BOX\\Entry.lst", std::ios::binary);
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(index), std::istreambuf_iterator<char>()),
            sample::EntryLine("00000009", 900) + sample::EntryLine("00000001", 1000, 0xC1000003u));
  client_.Stop();
  EXPECT_EQ(bridge.MoveMail(second, "Account2\\Outbox.box"), MoveOutcome::kNoAnswer);
}

TEST_F(ClientStandInTest, AMinimisedOrHiddenWindowIsKeptOutOfSightAndPutBack) {
  ASSERT_TRUE(client_.Start(root_));
  CMailClientBridge bridge;
  HWND window = bridge.FindClientWindow();
  ASSERT_NE(window, nullptr);
  const struct {
    int show;
    std::function<bool()> duringRun;
    std::function<bool()> afterRun;
  } cases[] = {
      {SW_RESTORE, [&] { return IsWindowVisible(window) && !IsIconic(window); }, [&] { return IsWindowVisible(window) != FALSE; }},
      {SW_MINIMIZE, [&] { return !IsIconic(window); }, [&] { return IsIconic(window) != FALSE; }},
      {SW_HIDE,
       [&] {
         RECT now{};
         GetWindowRect(window, &now);
         return !IsWindowVisible(window) || now.left >= GetSystemMetrics(SM_CXSCREEN);
       },
       [&] { return !IsWindowVisible(window); }},
  };
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
