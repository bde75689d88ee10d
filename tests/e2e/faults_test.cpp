// The program under faults of its surroundings (a client killed mid-fetch is
// among the jobs' tests): a client that does not answer, folder indexes that are huge or junk, a data directory that goes
// away, settings of the wrong type. It keeps running, moves nothing it should
// not, and the next minute works.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <ctime>
#include <random>

#include "res/resource.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "settings/registry_key.h"
#include "support/program_run_win.h"

namespace {

using e2e::Count;
using e2e::Exists;
using FaultsTest = e2e::ProgramRunTest;

std::int32_t UnixNow() { return static_cast<std::int32_t>(std::time(nullptr)); }

TEST_F(FaultsTest, HugeAndJunkIndexesAndADeafClientMoveNothingWrong) {
  // 100 MB of mails that are not due, then one that is, at the very end.
  const std::string future = sample::EntryLine("later", UnixNow() + 86400);
  std::string lines;
  lines.reserve(100u << 20);
  while (lines.size() < (100u << 20)) lines += future;
  lines += sample::EntryLine("00000001", UnixNow() - 600);
  ASSERT_TRUE(sample::WriteFile(MailFile("Account1", "予約.box", "Entry.lst"), lines));
  ASSERT_TRUE(sample::WriteFile(MailFile("Account1", "予約.box", "00000001"), "Subject: due\r\n"));
  // Binary junk around one due line in the held folder.
  std::mt19937 random(7);
  std::string junk;
  for (int i = 0; i < 400000; ++i) {
    junk += i == 200000 ? "\r\n" + sample::EntryLine("00000002", UnixNow() - 600) : std::string(1, static_cast<char>(random()));
  }
  ASSERT_TRUE(sample::WriteFile(MailFile("Account2", "Hold.box", "Entry.lst"), junk));
  ASSERT_TRUE(sample::WriteFile(MailFile("Account2", "Hold.box", "00000002"), "Subject: held\r\n"));
  ReserveAndForwardIntoWork();
  ArmAtStart();
  // First the client the program starts does not answer: nothing can move.
  Scenario("dde=off");
  ASSERT_NE(StartProgram(), nullptr);
  WaitForNextMinute();
  EXPECT_TRUE(e2e::WaitUntil([] { return !e2e::FindWindows({"Corvid32Class", "", 0}).empty(); }, 60000))
      << "the program started no client for the due mails";
  EXPECT_TRUE(ProgramAnswers());
  // Then it answers again: the two due mails move, and only them. Under load
  // the client's rewrite of the 100 MB index can outlast the wait for its
  // answer, and that minute asks it nothing more: the held mail may move a
  // minute or two later.
  e2e::StopStandIns();
  Scenario("dde=on");
  EXPECT_TRUE(e2e::WaitUntil(
      [&] {
        return Exists(MailFile("Account1", "Outbox.box", "00000001")) &&
               Exists(MailFile("Account1", "Inbox.box", "00000002"));
      },
      200000))
      << "the two due mails did not move";
  std::size_t executes = 0;
  for (const std::string& line : Journal()) executes += line.rfind("execute ", 0) == 0 ? 1 : 0;
  EXPECT_EQ(executes, 2u) << ::testing::PrintToString(Journal());
  EXPECT_TRUE(ProgramAnswers());
}

TEST_F(FaultsTest, ADataDirectoryThatGoesAwayForAMinuteAndComesBack) {
  data_.AddMail("Account1", "予約.box", "00000001", UnixNow() - 60);
  ReserveAndForwardIntoWork();
  ArmAtStart();
  ASSERT_NE(StartProgram(), nullptr);
  const std::string away = root_ + "-away";
  ASSERT_TRUE(MoveFileA(root_.c_str(), away.c_str()));
  WaitForNextMinute();
  EXPECT_TRUE(ProgramAnswers());
  e2e::StopStandIns();
  ASSERT_TRUE(MoveFileA(away.c_str(), root_.c_str()));
  EXPECT_TRUE(e2e::WaitUntil([&] { return Exists(MailFile("Account1", "Outbox.box", "00000001")); }, 80000))
      << "the due mail did not move once the data directory was back";
  EXPECT_TRUE(ProgramAnswers());
}

TEST_F(FaultsTest, ADataRootAwayAtStartKeepsEveryRecordThroughTheSettingsOkAndIsReadOnceThere) {
  data_.AddMail("Account1", "予約.box", "00000001", UnixNow() - 60);
  ReserveAndForwardIntoWork();
  ArmAtStart();
  const auto work = [this] {
    CAccountJobList jobs;
    jobs.Load(root_);
    const CAccountJob* record = jobs.FindByTitle("仕事");
    return record == nullptr ? std::vector<std::string>{}
                             : std::vector<std::string>{record->reserve.ReserveFolder, record->reserve.RemainFromAccount,
                                                        record->reserve.RemainFromFolder, record->reserve.RemainToFolder};
  };
  const std::vector<std::string> before = work();
  ASSERT_EQ(before.size(), 4u);
  // The drive of the data root is not there yet when the program starts.
  const std::string away = root_ + "-away";
  ASSERT_TRUE(MoveFileA(root_.c_str(), away.c_str()));
  ASSERT_NE(StartProgram(), nullptr);
  e2e::PostCommand(window_, ID_SETTINGS);
  HWND sheet = e2e::WaitForWindow({"#32770", "設定", program_.Id()}, 10000);
  ASSERT_NE(sheet, nullptr) << "the settings did not open";
  PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(sheet); }, 10000)) << "OK did not close the settings";
  ASSERT_TRUE(MoveFileA(away.c_str(), root_.c_str()));
  EXPECT_EQ(work(), before);
  EXPECT_TRUE(e2e::WaitUntil([&] { return Exists(MailFile("Account1", "Outbox.box", "00000001")); }, 80000))
      << "the due mail did not move once the data root was there";
}

TEST_F(FaultsTest, AReservedMailThatCannotBeNamedGetsNoCommandAndStartsNoRun) {
  ASSERT_TRUE(data_.AddFolder("Account2", "予約(2).box", "予約", ""));
  data_.AddMail("Account1", "予約.box", "00000001", UnixNow() - 60);
  data_.AddMail("Account2", "予約(2).box", "00000002", UnixNow() - 60);
  Records([](CAccountJobList& jobs) {
    for (const auto& [title, folder] : {std::pair{"仕事", "予約.box"}, std::pair{"自宅", "予約(2).box"}}) {
      CAccountJob* record = jobs.FindByTitle(title);
      ASSERT_NE(record, nullptr);
      record->reserve.Reserve = record->reserve.SendCheck = record->ReserveSend = 1;
      record->reserve.ReserveFolder = folder;
    }
  });
  ArmAtStart();
  ASSERT_NE(StartProgram(), nullptr);
  // The first minute: the mail that moved pulls a run forward, fetching 仕事;
  // the next one tries the other mail again, and again names it in no command.
  WaitForNextMinute();
  ASSERT_TRUE(WaitForFetches(1, 60000));
  WaitForNextMinute();
  EXPECT_TRUE(ProgramAnswers());
  EXPECT_TRUE(Exists(MailFile("Account1", "Outbox.box", "00000001")));
  EXPECT_TRUE(Exists(MailFile("Account2", "予約(2).box", "00000002")));
  const std::vector<std::string> journal = Journal();
  EXPECT_EQ(Count(journal, "command 32786"), 1u) << ::testing::PrintToString(journal);
  for (const std::string& line : journal) {
    EXPECT_EQ(line.find("00000002"), std::string::npos) << line;
  }
}

TEST_F(FaultsTest, SettingsOfTheWrongTypeReadAsTheirDefaults) {
  FetchAccounts({"仕事"});
  Records([](CAccountJobList& jobs) { jobs.At(0).command.PreTidyUp = 1; });
  {
    // Numbers stored as text, texts stored as numbers, in every kind of key.
    CSettingsKey root;
    for (const char* name : {"AutoStart", "AutoCheck", "SavePos", "SaveX", "SaveY", "TopMost", "TaskTray", "RDoubleClk",
                             "NoTimeDisp", "NowTimeColor", "NextTimeColor", "RetryCount", "RetryInterval", "DialUp",
                             "DefMailBox"}) {
      root.WriteString(name, "1");
    }
    root.WriteDword("NowTimeFont", 0x7FFFFFFF);
    root.WriteDword("NextTimeFont", -1);
    CRegistryKey entry;
    ASSERT_TRUE(entry.Create(root, "Schedule\\Monday\\data0"));
    entry.WriteString("Hour", "7");
    entry.WriteString("Minute", "30");
    entry.WriteString("EveryDay", "x");
    CRegistryKey account;
    ASSERT_TRUE(account.Create(entry, "Account\\account0"));
    account.WriteDword(nullptr, 0x41);
    CRegistryKey command;
    ASSERT_TRUE(command.Create(root, "Accounts\\Account1\\Command"));
    command.WriteString("PostTidyUp", "1");
    command.WriteDword("CommandName", 0);
  }
  ASSERT_NE(StartProgram(), nullptr);
  // The schedule's only entry has no hour: no next run, nothing armed.
  EXPECT_EQ(e2e::ControlText(window_, IDC_NEXT_TIME), "--:--");
  e2e::PostCommand(window_, ID_FETCH);
  ASSERT_TRUE(WaitForFetches(1, 60000));
  EXPECT_EQ(Count(Journal(), "command 32825"), 1u);  // PreTidyUp still 1; PostTidyUp read as 0
  EXPECT_TRUE(ProgramAnswers());
}

}  // namespace
