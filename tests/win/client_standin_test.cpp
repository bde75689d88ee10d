// The bridge against the stand-in client in another process, as the program
// meets the real one: windows and list, the mailbox check, launching, account
// commands, the fetch and its message windows, DDE commands carried out on
// the data directory, and the window placement around a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "bridge/mail_client_win.h"
#include "sample_data/sample_data.h"
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

std::string ReadFileText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool Exists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Closes whatever stand-in the bridge launched (the bridge keeps no handle).
bool CloseLaunchedClient() {
  if (HWND window = FindWindowA(kMainClass, nullptr)) {
    PostMessageA(window, WM_CLOSE, 0, 0);
  }
  return e2e::WaitUntil([] { return FindWindowA(kMainClass, nullptr) == nullptr; }, kBound);
}

class ClientStandInTest : public ::testing::Test {
 protected:
  // Account1 "表示" with 3 folders, Account2 "ソフト" with 5 (two of them
  // nested), Account3 "ポスト" with 2.
  void SetUp() override {
    root_ = scratch_.Path();
    ASSERT_FALSE(root_.empty());
    mailbox_ = root_ + "\\mailbox\\";
    sample::DataDirectoryBuilder data(root_);
    ASSERT_TRUE(data.AddAccount("Account1", "表示", 0, ""));
    ASSERT_TRUE(data.AddFolder("Account1", "Inbox.box", "", ""));
    ASSERT_TRUE(data.AddFolder("Account1", "Outbox.box", "", ""));
    ASSERT_TRUE(data.AddFolder("Account1", "能力.box", "能力", ""));
    ASSERT_TRUE(data.AddMail("Account1", "能力.box", "00000001", 1000, 0x5));
    ASSERT_TRUE(data.AddMail("Account1", "能力.box", "00000002", 2000));
    ASSERT_TRUE(data.AddAccount("Account2", "ソフト", 0, ""));
    ASSERT_TRUE(data.AddFolder("Account2", "Inbox.box", "", ""));
    ASSERT_TRUE(data.AddFolder("Account2", "Outbox.box", "", ""));
    ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX", "仕事", "1"));
    ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX\\2002.BOX", "2002", ""));
    ASSERT_TRUE(data.AddFolder("Account2", "WORK.BOX\\2003.BOX", "2003", ""));
    ASSERT_TRUE(data.AddMail("Account2", "WORK.BOX\\2002.BOX", "00000009", 900));
    ASSERT_TRUE(data.AddAccount("Account3", "ポスト", 0, ""));
    ASSERT_TRUE(data.AddFolder("Account3", "Inbox.box", "", ""));
    ASSERT_TRUE(data.AddFolder("Account3", "Outbox.box", "", ""));
  }

  void WriteScenarioFile(const std::string& text) {
    std::ofstream(root_ + "\\corvid-scenario.txt", std::ios::binary) << text;
  }

  // The journal lines written since the last call.
  std::vector<std::string> NewJournalLines() {
    const std::vector<std::string> lines = standin::ReadJournal(root_);
    const std::vector<std::string> fresh(lines.begin() + std::min(seen_, lines.size()), lines.end());
    seen_ = lines.size();
    return fresh;
  }

  ScratchDirectory scratch_;
  std::string root_;
  std::string mailbox_;
  standin::Client client_;
  std::size_t seen_ = 0;
};

TEST_F(ClientStandInTest, MailListIsFoundInEveryLayout) {
  const struct {
    const char* layout;
    const char* list;
    const char* parent;
    const char* grandparent;
  } cases[] = {
      {"frame", "ListBox", "AfxFrameOrView42s", "AfxMDIFrame42s"},
      {"view", "ListBox", "AfxFrameOrView42s", kMainClass},
      {"frame-listview", "SysListView32", "AfxMDIFrame42s", kMainClass},
      {"listview", "SysListView32", kMainClass, nullptr},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(client_.Start(root_, std::string("layout=") + c.layout)) << c.layout;
    CMailClientBridge bridge;
    EXPECT_EQ(bridge.FindClientWindow(), client_.Window()) << c.layout;
    HWND list = bridge.FindClientList();
    ASSERT_NE(list, nullptr) << c.layout;
    EXPECT_EQ(ClassOf(list), c.list) << c.layout;
    EXPECT_EQ(ClassOf(GetParent(list)), c.parent) << c.layout;
    if (c.grandparent != nullptr) {
      EXPECT_EQ(ClassOf(GetParent(GetParent(list))), c.grandparent) << c.layout;
    }
    client_.Stop();
  }
}

TEST_F(ClientStandInTest, MailboxCheckKeepsAClientOnThisRootAndClosesOneOnAnother) {
  CMailClientBridge bridge;
  EXPECT_FALSE(bridge.UsesMailbox(root_)) << "no client runs";
  ASSERT_TRUE(client_.Start(root_));
  EXPECT_TRUE(bridge.UsesMailbox(root_));
  EXPECT_TRUE(bridge.UsesMailbox(root_ + "\\"));
  EXPECT_TRUE(bridge.UsesMailbox(cp932::FoldAscii(root_))) << "ASCII case is ignored";
  EXPECT_FALSE(bridge.UsesMailbox(""));
  EXPECT_TRUE(client_.Process().IsRunning());

  EXPECT_FALSE(bridge.UsesMailbox(root_ + "\\ソフト"));
  EXPECT_TRUE(client_.Process().WaitForExit(kBound)) << "the client on another mailbox was not closed";
}

TEST_F(ClientStandInTest, AClientOnAnotherRootThatWillNotCloseIsGivenUpOnInTime) {
  ASSERT_TRUE(client_.Start(root_, "close=refuse"));
  ClientBounds bounds;
  bounds.exitMs = 1500;
  CMailClientBridge bridge(bounds);
  for (int round = 0; round < 2; ++round) {
    const DWORD start = GetTickCount();
    EXPECT_FALSE(bridge.UsesMailbox(root_ + "\\ソフト")) << round;
    EXPECT_LT(GetTickCount() - start, 5000u) << round;
  }
  EXPECT_TRUE(client_.Process().IsRunning());
  EXPECT_TRUE(bridge.UsesMailbox(root_)) << "the client still answers for its own root";
  const std::vector<std::string> journal = standin::ReadJournal(root_);
  EXPECT_EQ(std::count(journal.begin(), journal.end(), "close refused"), 2);
}

// "dde=slow" answers after 3 s, past the request's time-out of 1 s.
TEST_F(ClientStandInTest, AClientThatDoesNotAnswerIsNeitherUsedNorClosed) {
  for (const char* scenario : {"dde=off", "dde=slow"}) {
    ASSERT_TRUE(client_.Start(root_, scenario));
    CMailClientBridge bridge;
    EXPECT_FALSE(bridge.UsesMailbox(root_)) << scenario;
    EXPECT_TRUE(client_.Process().IsRunning()) << scenario;
    client_.Stop();
  }
}

TEST_F(ClientStandInTest, LaunchWaitsForTheMailList) {
  CMailClientBridge bridge;
  ASSERT_TRUE(bridge.Launch(standin::ProgramPath(), root_));
  EXPECT_NE(FindWindowA(kMainClass, nullptr), nullptr);
  EXPECT_NE(bridge.FindClientList(), nullptr);
  EXPECT_TRUE(bridge.UsesMailbox(root_));
  EXPECT_TRUE(CloseLaunchedClient());

  EXPECT_FALSE(bridge.Launch(root_ + "\\missing.exe", root_));
  // The stand-in ends at once on a data root that is not there.
  const DWORD start = GetTickCount();
  EXPECT_FALSE(bridge.Launch(standin::ProgramPath(), root_ + "\\ない"));
  EXPECT_LT(GetTickCount() - start, 5000u) << "the launch waited on for a client that had ended";
}

TEST_F(ClientStandInTest, LaunchGivesUpAfterItsBounds) {
  ClientBounds shortWindowWait;
  shortWindowWait.windowMs = 800;
  ClientBounds shortListWait;
  shortListWait.listMs = 800;
  const struct {
    const char* scenario;
    ClientBounds bounds;
  } cases[] = {
      {"start_delay_ms=6000", shortWindowWait},
      {"list_delay_ms=6000", shortListWait},
  };
  for (const auto& c : cases) {
    WriteScenarioFile(c.scenario);
    CMailClientBridge bridge(c.bounds);
    const DWORD start = GetTickCount();
    EXPECT_FALSE(bridge.Launch(standin::ProgramPath(), root_)) << c.scenario;
    EXPECT_LT(GetTickCount() - start, 4500u) << c.scenario;
    // The slow client does come up in the end; close it.
    EXPECT_TRUE(e2e::WaitUntil([&] { return bridge.FindClientList() != nullptr; }, kBound))
        << c.scenario << ": the slow client never showed its list";
    EXPECT_TRUE(CloseLaunchedClient()) << c.scenario;
  }
}

TEST_F(ClientStandInTest, AccountCommandsFollowTheClientsMenuNumbering) {
  ASSERT_TRUE(client_.Start(root_, "account=ソフト"));
  CMailClientBridge bridge;
  EXPECT_EQ(bridge.CurrentAccount(), "ソフト");
  NewJournalLines();
  const struct {
    const char* wanted;
    const char* command;
  } steps[] = {
      {"ポスト", "command 11010"},  // ソフト first: 11000 + 1 + 5, then 表示: + 1 + 3
      {"表示", "command 11003"},    // ポスト first: 11000 + 1 + 2
      {"表示", "command 11000"},
      {"ソフト", "command 11004"},  // 表示 first: 11000 + 1 + 3
  };
  for (const auto& step : steps) {
    bridge.SwitchAccount(step.wanted);
    EXPECT_EQ(NewJournalLines(), (std::vector<std::string>{"menu 0", step.command})) << step.wanted;
    EXPECT_EQ(bridge.CurrentAccount(), step.wanted);
  }
  bridge.SwitchAccount("能力");
  bridge.SwitchAccount("");
  EXPECT_TRUE(NewJournalLines().empty()) << "a title the client does not have was switched to";

  bridge.SelectFirstAccount(true);
  EXPECT_EQ(NewJournalLines(), (std::vector<std::string>{"menu 0", "command 11000"}));
  bridge.SelectFirstAccount(false);
  EXPECT_EQ(NewJournalLines(), (std::vector<std::string>{"command 11000"}));
  e2e::SaveScreenshot(client_.Window(), "standin-client");
}

TEST_F(ClientStandInTest, FetchEndIsSeenThroughTheClientsAnswer) {
  ASSERT_TRUE(client_.Start(root_, "fetch_ms=1500"));
  // This process cannot read the stand-in's menu under Wine, so the state
  // comes from the client's answer to the query message.
  EXPECT_EQ(GetMenuItemCount(GetMenu(client_.Window())), -1);
  CMailClientBridge bridge;
  EXPECT_TRUE(bridge.IsFetchDone());
  NewJournalLines();
  bridge.TidyUp();
  bridge.StartFetch();
  EXPECT_FALSE(bridge.IsFetchDone());
  EXPECT_TRUE(e2e::WaitUntil([&] { return bridge.IsFetchDone(); }, kBound))
      << "the end of the fetch was not seen within 10 s";
  const std::vector<std::string> lines = NewJournalLines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[0], "command 32825");
  EXPECT_EQ(lines[1], "command 32786");
  EXPECT_EQ(lines[2].rfind("fetch ", 0), 0u);
  EXPECT_EQ(lines[3], "menu 3");
}

TEST_F(ClientStandInTest, AFetchThatNeverEndsIsNeverDone) {
  ASSERT_TRUE(client_.Start(root_, "fetch_ms=never"));
  CMailClientBridge bridge;
  bridge.StartFetch();
  EXPECT_FALSE(e2e::WaitUntil([&] { return bridge.IsFetchDone(); }, 2000));
}

TEST_F(ClientStandInTest, MessageWindowsOfTheClientAreCancelled) {
  const struct {
    const char* scenario;
    const char* caption;
    DismissResult result;
  } cases[] = {
      {"fetch_ms=never;notice=エラー@start", "エラー", kErrorDialog},
      {"fetch_ms=200;notice=メール受信@end", "メール受信", kMailReceivedDialog},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(client_.Start(root_, c.scenario));
    CMailClientBridge bridge;
    bridge.StartFetch();
    HWND notice = e2e::WaitForWindow({"", c.caption, client_.Process().Id()}, kBound);
    ASSERT_NE(notice, nullptr) << "the stand-in opened no " << c.caption << " window";
    EXPECT_EQ(bridge.DismissDialogs(), c.result);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(notice); }, kBound))
        << c.caption << " was not closed";
    EXPECT_TRUE(standin::WaitForJournalLine(root_, std::string("cancel ") + c.caption, kBound));
    EXPECT_EQ(bridge.DismissDialogs(), kNoClientDialog);
    client_.Stop();
  }
}

TEST_F(ClientStandInTest, MarkAndMoveAreCarriedOutInOrder) {
  ASSERT_TRUE(client_.Start(root_));
  CMailClientBridge bridge;
  const std::string first = "Account1\\能力.box\\00000001";
  const std::string second = "Account1\\能力.box\\00000002";
  bridge.MarkMail(first, -1056964608, 1);
  bridge.MarkMail(first, 7, 0);
  bridge.MarkMail(first, 3, 1);
  bridge.MarkMail("Account1\\能力.box\\0000,0002", 3, 1);
  EXPECT_TRUE(bridge.IsRunning());
  // A move waits for the client's word: done, refused (no such mail), or
  // never even sent (a target that cannot stand in the command).
  EXPECT_EQ(bridge.MoveMail(first, "Account2\\WORK.BOX\\2002.BOX"), MoveOutcome::kMoved);
  EXPECT_EQ(bridge.MoveMail(first, "Account2\\Outbox.box"), MoveOutcome::kRefused);
  EXPECT_EQ(bridge.MoveMail(second, "Account2\\Outbox.box)"), MoveOutcome::kRefused);
  bridge.MarkMail(second, 1073741824, 1);
  const std::string last = "execute MarkMail(" + second + ",1073741824,1)";
  ASSERT_TRUE(standin::WaitForJournalLine(root_, last, kBound)) << "the last command never arrived";

  std::vector<std::string> executes;
  for (const std::string& line : standin::ReadJournal(root_)) {
    if (line.compare(0, 8, "execute ") == 0) {
      executes.push_back(line);
    }
  }
  EXPECT_EQ(executes, (std::vector<std::string>{
                          "execute MarkMail(" + first + ",-1056964608,1)",
                          "execute MarkMail(" + first + ",7,0)",
                          "execute MarkMail(" + first + ",3,1)",
                          "execute MoveMail(" + first + ",Account2\\WORK.BOX\\2002.BOX)",
                          "execute MoveMail(" + first + ",Account2\\Outbox.box)",
                          last,
                      }));

  EXPECT_FALSE(Exists(mailbox_ + first));
  EXPECT_TRUE(Exists(mailbox_ + "Account2\\WORK.BOX\\2002.BOX\\00000001"));
  EXPECT_EQ(ReadFileText(mailbox_ + "Account1\\能力.box\\Entry.lst"),
            sample::EntryLine("00000002", 2000, 0x40000000u));
  // Moved to the end of the target index, mark 5 replaced by 3, time kept.
  EXPECT_EQ(ReadFileText(mailbox_ + "Account2\\WORK.BOX\\2002.BOX\\Entry.lst"),
            sample::EntryLine("00000009", 900) + sample::EntryLine("00000001", 1000, 0xC1000003u));

  client_.Stop();
  EXPECT_FALSE(bridge.IsRunning());
  EXPECT_EQ(bridge.MoveMail(second, "Account2\\Outbox.box"), MoveOutcome::kNoAnswer);
}

TEST_F(ClientStandInTest, AMinimisedOrHiddenWindowIsKeptOutOfSightAndPutBack) {
  ASSERT_TRUE(client_.Start(root_));
  CMailClientBridge bridge;
  HWND window = bridge.FindClientWindow();
  ASSERT_NE(window, nullptr);
  auto outOfSight = [&] {
    RECT now{};
    GetWindowRect(window, &now);
    return !IsWindowVisible(window) || now.left >= GetSystemMetrics(SM_CXSCREEN);
  };
  // In plain view it stays as it is.
  RECT shown{};
  GetWindowRect(window, &shown);
  ASSERT_TRUE(bridge.KeepOutOfSight());
  bridge.PutBack();
  RECT after{};
  GetWindowRect(window, &after);
  EXPECT_TRUE(EqualRect(&shown, &after) && IsWindowVisible(window));

  // Minimised: restored for the run, minimised again after it.
  ShowWindow(window, SW_MINIMIZE);
  ASSERT_TRUE(e2e::WaitUntil([&] { return IsIconic(window) != FALSE; }, kBound));
  ASSERT_TRUE(bridge.KeepOutOfSight());
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsIconic(window) == FALSE; }, kBound)) << "not restored";
  bridge.PutBack();
  EXPECT_TRUE(e2e::WaitUntil([&] { return IsIconic(window) != FALSE; }, kBound)) << "not minimised again";

  // Hidden: out of sight during the run, and told to go back to its hidden state.
  ShowWindow(window, SW_RESTORE);
  ShowWindow(window, SW_HIDE);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(window); }, kBound));
  ASSERT_TRUE(bridge.KeepOutOfSight());
  EXPECT_TRUE(e2e::WaitUntil(outOfSight, kBound));
  bridge.PutBack();
  EXPECT_TRUE(standin::WaitForJournalLine(root_, "command 32828", kBound));
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindowVisible(window); }, kBound)) << "not hidden again";

  client_.Stop();
  EXPECT_FALSE(bridge.KeepOutOfSight());
}

}  // namespace
