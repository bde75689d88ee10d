// Whole runs: Larkspur32.exe drives the stand-in mail client (and, for dial-up,
// the stand-in remote-access library) under Wine; the tests check what the
// client received, what moved in the data directory and what the program ran.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/clock_texts.h"
#include "data_dir/mailbox_paths.h"
#include "res/resource.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "support/program_run_win.h"

namespace {

using e2e::Count;
using e2e::Exists;
using sample::ReadLines;

std::vector<std::string> Matching(const std::vector<std::string>& lines,
                                  const std::vector<std::string>& wanted) {
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    if (std::find(wanted.begin(), wanted.end(), line) != wanted.end()) kept.push_back(line);
  }
  return kept;
}

using JobsTest = e2e::ProgramRunTest;

TEST_F(JobsTest, AFetchSortsAroundEachAccountAndRunsTheProgramAfterIt) {
  const std::string recorder = root_ + "\\record_args.exe";
  ASSERT_TRUE(CopyFileA((e2e::BinDir() + "\\fixtures\\record_args.exe").c_str(), recorder.c_str(), FALSE));
  FetchAccounts({"仕事", "自宅"});
  Records([&](CAccountJobList& jobs) {
    for (std::size_t i = 0; i < jobs.Count(); ++i) {
      CCommandData& command = jobs.At(i).command;
      command.PreTidyUp = 1;
      command.PostTidyUp = 1;
      command.ExecCommand = 1;
      command.CommandName = recorder;
      command.ParamMailBox = 1;
      command.MailBoxSwitch = "/m:";
      command.ParamAccount = 1;
      command.AccountSwitch = "/a:";
    }
  });
  HWND window = StartProgram();
  ASSERT_NE(window, nullptr);
  e2e::PostCommand(window, ID_FETCH);

  const std::string args = root_ + "\\record_args.txt";
  ASSERT_TRUE(e2e::WaitUntil([&] { return ReadLines(args).size() >= 2; }, 60000))
      << "the after-fetch program did not run twice within 60 s";
  const std::vector<std::string> commands =
      Matching(Journal(), {"command 32825", "command 32786"});
  EXPECT_EQ(commands, (std::vector<std::string>{"command 32825", "command 32786", "command 32825",
                                                "command 32825", "command 32786", "command 32825"}));
  std::vector<std::string> lines = ReadLines(args);
  std::sort(lines.begin(), lines.end());
  const std::string prefix = "\"" + recorder + "\" \"/m:" + root_ + "\" \"/a:";
  EXPECT_EQ(lines, (std::vector<std::string>{prefix + "Account1\"", prefix + "Account2\""}));
}

TEST_F(JobsTest, AScheduledMinuteMovesDueMailsAndFetches) {
  SYSTEMTIME now;
  GetLocalTime(&now);
  // The run one or two minutes ahead, so the program is up before it.
  FILETIME file;
  SystemTimeToFileTime(&now, &file);
  ULARGE_INTEGER ticks{{file.dwLowDateTime, file.dwHighDateTime}};
  ticks.QuadPart += static_cast<ULONGLONG>(now.wSecond < 40 ? 60 : 120) * 10000000ULL;
  file = FILETIME{ticks.LowPart, ticks.HighPart};
  SYSTEMTIME at;
  FileTimeToSystemTime(&file, &at);
  CSchedule schedule;
  schedule.Day(at.wDayOfWeek).AddEntry(at.wHour, at.wMinute, {"仕事"}, 0);
  schedule.Save();
  CSettingsKey settings;
  settings.WriteDword("AutoStart", 1);

  const std::int32_t unixNow = static_cast<std::int32_t>(std::time(nullptr));
  data_.AddMail("Account1", "予約.box", "00000001", unixNow - 120);
  data_.AddMail("Account1", "予約.box", "00000002", unixNow + 3600);
  data_.AddMail("Account2", "Hold.box", "00000003", unixNow - 60);
  ReserveAndForwardIntoWork();
  HWND window = StartProgram();
  ASSERT_NE(window, nullptr);

  ASSERT_TRUE(WaitForJournal([](const auto& lines) { return Count(lines, "command 32786") >= 1; },
                             150000))
      << "no fetch within the scheduled minute";
  EXPECT_TRUE(Exists(MailFile("Account1", "Outbox.box", "00000001")));
  EXPECT_TRUE(Exists(MailFile("Account1", "予約.box", "00000002")));
  EXPECT_FALSE(Exists(MailFile("Account1", "予約.box", "00000001")));
  EXPECT_TRUE(Exists(MailFile("Account1", "Inbox.box", "00000003")));
  // The next run is the same entry next week.
  EXPECT_TRUE(e2e::WaitUntil(
      [&] { return e2e::ControlText(window, 1002) == WeekdayLabel(at.wDayOfWeek); }, 10000));
}

TEST_F(JobsTest, AnErrorWindowFailsTheAccountAndTheRetryComes) {
  Scenario("fetch_ms=300\nnotice=エラー@start");
  FetchAccounts({"仕事"});
  CSettingsKey settings;
  settings.WriteDword("RetryCount", 1);
  settings.WriteDword("RetryInterval", 2);
  HWND window = StartProgram();
  ASSERT_NE(window, nullptr);
  e2e::PostCommand(window, ID_FETCH);
  ASSERT_TRUE(WaitForJournal([](const auto& lines) { return Count(lines, "command 32786") >= 2; },
                             60000))
      << "the failed account was not fetched again";
  const std::vector<std::string> lines = Journal();
  EXPECT_GE(Count(lines, "cancel エラー"), 1u);
  // The retry comes after the first error window was cancelled.
  const auto firstCancel = std::find(lines.begin(), lines.end(), "cancel エラー");
  EXPECT_NE(std::find(firstCancel, lines.end(), "command 32786"), lines.end());
}

TEST_F(JobsTest, AbortStopsAFetchThatNeverEnds) {
  Scenario("fetch_ms=never");
  FetchAccounts({"仕事"});
  HWND window = StartProgram();
  ASSERT_NE(window, nullptr);
  e2e::PostCommand(window, ID_FETCH);
  ASSERT_TRUE(WaitForJournal([](const auto& lines) { return Count(lines, "command 32786") == 1; },
                             60000));
  e2e::PostCommand(window, ID_ABORT);
  // Idle again: the next fetch command starts a new run.
  const bool ended = e2e::WaitUntil(
      [&] {
        e2e::PostCommand(window, ID_FETCH);
        return Count(Journal(), "command 32786") >= 2;
      },
      30000);
  EXPECT_TRUE(ended) << "the aborted job did not give way to a new one";
}

TEST_F(JobsTest, DialUpGroupsAccountsAndDialsEachEntryOnce) {
  ASSERT_TRUE(data_.AddAccount("Account3", "ソフト部", 1, "ISP-A"));
  ASSERT_TRUE(data_.AddFolder("Account3", "Inbox.box", "", ""));
  data_.AddAccount("Account2", "自宅", 1, "ISP-A");
  // The program with the stand-in library beside it, in a folder of its own.
  const std::string program = root_ + "\\Larkspur32.exe";
  ASSERT_TRUE(CopyFileA(e2e::ProgramPath().c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((e2e::BinDir() + "\\win\\rasapi32.dll").c_str(),
                        (root_ + "\\rasapi32.dll").c_str(), FALSE));
  // Wine hands a variable holding double-byte characters back one byte short,
  // so the library's journal goes to a plain path.
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string rasJournal =
      std::string(temp) + "larkspur-ras-" + std::to_string(GetCurrentProcessId()) + ".txt";
  DeleteFileA(rasJournal.c_str());
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", rasJournal.c_str());
  FetchAccounts({"自宅", "仕事", "ソフト部"});
  CSettingsKey settings;
  settings.WriteDword("DialUp", 1);
  HWND window = StartProgram(program);
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", nullptr);
  ASSERT_NE(window, nullptr);
  e2e::PostCommand(window, ID_FETCH);
  ASSERT_TRUE(WaitForJournal([](const auto& lines) { return Count(lines, "command 32786") >= 3; },
                             60000));
  ASSERT_TRUE(e2e::WaitUntil(
      [&] {
        const auto lines = ReadLines(rasJournal);
        return std::any_of(lines.begin(), lines.end(),
                           [](const std::string& l) { return l.rfind("RasHangUpA", 0) == 0; });
      },
      30000))
      << "the line was not hung up after the run; the library saw:\n"
      << ::testing::PrintToString(ReadLines(rasJournal));
  std::size_t dials = 0;
  for (const std::string& line : ReadLines(rasJournal)) {
    if (line.rfind("RasDialA", 0) == 0) ++dials;
  }
  DeleteFileA(rasJournal.c_str());
  EXPECT_EQ(dials, 1u);
}

}  // namespace
