// Whole runs: Larkspur32.exe drives the stand-in mail client (and, for dial-up,
// the stand-in remote-access library) under Wine; the tests check what the
// client received, what moved in the data directory and what the program ran.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "app/clock_texts.h"
#include "client/mailbox_paths.h"
#include "res/resource.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "support/e2e_win.h"
#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"
#include "support/standin_win.h"

namespace {

constexpr DWORD kStartBound = 30000;

std::vector<std::string> ReadLines(const std::string& path) {
  std::vector<std::string> lines;
  std::ifstream in(path, std::ios::binary);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    lines.push_back(line);
  }
  return lines;
}

std::vector<std::string> Matching(const std::vector<std::string>& lines,
                                  const std::vector<std::string>& wanted) {
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    if (std::find(wanted.begin(), wanted.end(), line) != wanted.end()) kept.push_back(line);
  }
  return kept;
}

std::size_t Count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Ends every stand-in client a test left running.
void StopStandIns() {
  for (HWND window : e2e::FindWindows({"Corvid32Class", "", 0})) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      TerminateProcess(process, 9);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
}

class JobsTest : public ::testing::Test {
 protected:
  JobsTest() : root_(scratch_.Path()), data_(root_) {
    StopStandIns();
    EXPECT_TRUE(data_.AddAccount("Account1", "仕事", 0, ""));
    EXPECT_TRUE(data_.AddAccount("Account2", "自宅", 0, ""));
    for (const char* account : {"Account1", "Account2"}) {
      for (const char* folder : {"Outbox.box", "Inbox.box"}) {
        EXPECT_TRUE(data_.AddFolder(account, folder, "", ""));
      }
    }
    EXPECT_TRUE(data_.AddFolder("Account1", "予約.box", "予約", ""));
    EXPECT_TRUE(data_.AddFolder("Account2", "Hold.box", "保留", ""));
    CSettingsKey settings;
    settings.WriteString("MailBoxPath", root_);
    settings.WriteString("CorvidPath", standin::ProgramPath());
    settings.WriteString("DefAccount", "仕事");
    Scenario("fetch_ms=300");
  }

  ~JobsTest() override {
    if (program_.IsRunning()) {
      for (HWND window : e2e::FindWindows({"#32770", "Larkspur32", program_.Id()})) {
        PostMessageA(window, WM_CLOSE, 0, 0);
      }
      program_.WaitForExit(10000);
    }
    StopStandIns();
  }

  // What the stand-in does when the program starts it.
  void Scenario(const std::string& text) {
    sample::WriteFile(root_ + "\\corvid-scenario.txt", text + "\r\n");
  }

  void FetchAccounts(const std::vector<std::string>& titles) {
    CSettingsKey settings;
    layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, titles);
  }

  // The job records as the data directory has them, changed by edit, saved.
  template <typename Edit>
  void Records(Edit edit) {
    CAccountJobList jobs;
    ASSERT_TRUE(jobs.Load(root_));
    edit(jobs);
    jobs.Save();
  }

  HWND StartProgram(const std::string& program = e2e::ProgramPath()) {
    EXPECT_TRUE(program_.Start("\"" + program + "\"", e2e::BinDir()));
    HWND window = e2e::WaitForWindow({"#32770", "Larkspur32", program_.Id()}, kStartBound);
    EXPECT_NE(window, nullptr) << "the program's window did not come within 30 s";
    return window;
  }

  std::vector<std::string> Journal() { return standin::ReadJournal(root_); }

  bool WaitForJournal(const std::function<bool(const std::vector<std::string>&)>& done, DWORD ms) {
    return e2e::WaitUntil([&] { return done(Journal()); }, ms);
  }

  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
  std::string root_;
  sample::DataDirectoryBuilder data_;
  e2e::Process program_;
};

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
  Records([](CAccountJobList& jobs) {
    CAccountJob* work = jobs.FindByTitle("仕事");
    ASSERT_NE(work, nullptr);
    work->reserve.Reserve = 1;
    work->reserve.ReserveFolder = "予約.box";
    work->reserve.Remain = 1;
    work->reserve.RemainFromAccount = "Account2";
    work->reserve.RemainFromFolder = "Hold.box";
    work->reserve.RemainToFolder = "Inbox.box";
  });
  HWND window = StartProgram();
  ASSERT_NE(window, nullptr);

  ASSERT_TRUE(WaitForJournal([](const auto& lines) { return Count(lines, "command 32786") >= 1; },
                             150000))
      << "no fetch within the scheduled minute";
  const std::string account1 = MailboxDirectory(root_) + "Account1\\";
  EXPECT_TRUE(Exists(account1 + "Outbox.box\\00000001"));
  EXPECT_TRUE(Exists(account1 + "予約.box\\00000002"));
  EXPECT_FALSE(Exists(account1 + "予約.box\\00000001"));
  EXPECT_TRUE(Exists(account1 + "Inbox.box\\00000003"));
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
