// The user's runs: Larkspur32.exe drives the stand-in mail client (and, for
// dial-up, the stand-in remote-access library) under Wine; the tests check what
// the client received, what moved in the data directory and what the program ran.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <ctime>

#include "app/clock_texts.h"
#include "history/history_log_win.h"
#include "res/resource.h"
#include "sample_data/sample_disk.h"
#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "support/program_run_win.h"

namespace {

using e2e::Count;
using e2e::Exists;
using sample::ReadLines;
using JobsTest = e2e::ProgramRunTest;

TEST_F(JobsTest, AFetchSortsAroundEachAccountAndRunsTheProgramAfterIt) {
  const std::string recorder = root_ + "\\record_args.exe";
  ASSERT_TRUE(CopyFileA((e2e::BinDir() + "\\fixtures\\record_args.exe").c_str(), recorder.c_str(), FALSE));
  FetchAccounts({"仕事", "自宅"});
  Records([&](CAccountJobList& jobs) {
    for (std::size_t i = 0; i < jobs.Count(); ++i) {
      CCommandData& command = jobs.At(i).command;
      command.PreTidyUp = command.PostTidyUp = command.ExecCommand = 1;
      command.CommandName = recorder;
      command.ParamMailBox = command.ParamAccount = 1;
      command.MailBoxSwitch = "/m:";
      command.AccountSwitch = "/a:";
    }
  });
  ASSERT_NE(StartProgram(), nullptr);
  e2e::PostCommand(window_, ID_FETCH);
  const std::string args = root_ + "\\record_args.txt";
  ASSERT_TRUE(e2e::WaitUntil([&] { return ReadLines(args).size() >= 2; }, 60000))
      << "the after-fetch program did not run twice";
  std::vector<std::string> sorts;  // 32825 sorts, 32786 fetches
  for (const std::string& line : Journal()) {
    if (line == "command 32825" || line == "command 32786") sorts.push_back(line.substr(8));
  }
  EXPECT_EQ(sorts, (std::vector<std::string>{"32825", "32786", "32825", "32825", "32786", "32825"}));
  std::vector<std::string> lines = ReadLines(args);
  std::sort(lines.begin(), lines.end());
  const std::string prefix = "\"" + recorder + "\" \"/m:" + root_ + "\" \"/a:";
  EXPECT_EQ(lines, (std::vector<std::string>{prefix + "Account1\"", prefix + "Account2\""}));
}

TEST_F(JobsTest, AScheduledMinuteSendsReservedMailsForwardsHeldOnesAndFetches) {
  // The run at the next minute, or the one after when that comes too soon for
  // the program to be up.
  const std::time_t now = std::time(nullptr);
  const std::time_t runAt = now + (std::localtime(&now)->tm_sec < 45 ? 60 : 120);
  const std::tm at = *std::localtime(&runAt);
  CSchedule schedule;
  schedule.Day(at.tm_wday).AddEntry(at.tm_hour, at.tm_min, {"仕事"}, 0);
  schedule.Save();
  CSettingsKey().WriteDword("AutoStart", 1);
  const auto unixNow = static_cast<std::int32_t>(now);
  data_.AddMail("Account1", "予約.box", "00000001", unixNow - 120);
  data_.AddMail("Account1", "予約.box", "00000002", unixNow + 3600);
  // 予約テストの件, in ISO-2022-JP.
  ASSERT_TRUE(sample::WriteFile(MailFile("Account1", "予約.box", "00000002"),
                                "Subject: =?ISO-2022-JP?B?GyRCTT1McyVGJTklSCRON28bKEI=?=\r\n\r\n"));
  data_.AddMail("Account2", "Hold.box", "00000003", unixNow - 60);
  ReserveAndForwardIntoWork();
  ASSERT_NE(StartProgram(), nullptr);

  ASSERT_TRUE(WaitForFetches(1, 130000)) << "no fetch at the scheduled minute";
  // Kept for the next start, so it does not make the run up again.
  EXPECT_EQ(static_cast<std::uint32_t>(CSettingsKey().ReadDword("LastRun", 0)), static_cast<std::uint32_t>(runAt - at.tm_sec));
  EXPECT_TRUE(Exists(MailFile("Account1", "Outbox.box", "00000001")));
  EXPECT_FALSE(Exists(MailFile("Account1", "予約.box", "00000001")));
  EXPECT_TRUE(Exists(MailFile("Account1", "予約.box", "00000002")));
  EXPECT_TRUE(Exists(MailFile("Account1", "Inbox.box", "00000003")));
  // The next run is the same entry next week.
  EXPECT_TRUE(e2e::WaitUntil(
      [&] { return e2e::ControlText(window_, IDC_NEXT_WEEKDAY) == WeekdayLabel(at.tm_wday); }, 10000));
  // The history tells it, each line in the order it happened.
  const std::vector<std::string> told = {
      "|仕事|送信予約ﾒｰﾙを送信箱へ移動: Account1\\予約.box\\00000001",
      "|仕事|回送ﾒｰﾙを移動: Account2\\Hold.box\\00000003 → Account1\\Inbox.box", "||ｽｹｼﾞｭｰﾙ実行開始: 仕事",
      "|仕事|取り込み完了"};
  std::vector<std::string> history;
  EXPECT_TRUE(e2e::WaitUntil(
      [&] {
        history.clear();
        for (const std::string& text : CRunHistoryLog().File().ReadLast(told.size())) {
          HistoryLine line;
          if (ParseHistoryLine(text, line)) history.push_back((line.failure ? "!|" : "|") + line.account + "|" + line.text);
        }
        return history == told;
      },
      10000))
      << ::testing::PrintToString(history);
  // And so does the history window, newest first.
  PostMessageA(window_, WM_SYSCOMMAND, IDM_HISTORY, 0);
  HWND shown = e2e::WaitForWindow({"#32770", "履歴", program_.Id()}, 10000);
  ASSERT_NE(shown, nullptr) << "the history window did not open";
  std::vector<std::string> rows;
  for (const std::string& row : e2e::ListViewRows(GetDlgItem(shown, IDC_HISTORY_LIST), 3)) {
    if (rows.size() < told.size()) rows.push_back("|" + row.substr(20));
  }
  EXPECT_EQ(rows, std::vector<std::string>(told.rbegin(), told.rend()));
  e2e::SaveScreenshot(shown, "history-window");
  // The mail not yet due waits in the pending window, with its subject.
  e2e::PostCommand(window_, IDM_PENDING);
  HWND pending = e2e::WaitForWindow({"#32770", "予約一覧", program_.Id()}, 10000);
  ASSERT_NE(pending, nullptr) << "the pending window did not open";
  EXPECT_EQ(e2e::ListViewRows(GetDlgItem(pending, IDC_PENDING_LIST), 5),
            std::vector<std::string>{HistoryTime(unixNow + 3600) + "|送信予約|仕事|予約テストの件|Account1\\予約.box\\00000002 → Account1\\Outbox.box"});
  e2e::SaveScreenshot(pending, "pending-window");
}

// The shell shows a balloon as a tooltip of its own, which answers WM_GETTEXT
// with its text from any process.
TEST_F(JobsTest, AnErrorWindowFailsTheAccountTheRetryComesAndGivingUpIsTold) {
  Scenario("fetch_ms=300\nnotice=エラー@start");
  FetchAccounts({"仕事"});
  CSettingsKey settings;
  settings.WriteDword("RetryCount", 1);
  settings.WriteDword("RetryInterval", 2);
  settings.WriteDword("TaskTray", 1);
  ASSERT_NE(StartProgram(), nullptr);
  e2e::PostCommand(window_, ID_FETCH);
  ASSERT_TRUE(WaitForFetches(2, 60000)) << "the failed account was not fetched again";
  // The retry comes after the first error window was cancelled.
  const std::vector<std::string> lines = Journal();
  const auto firstCancel = std::find(lines.begin(), lines.end(), "cancel エラー");
  ASSERT_NE(firstCancel, lines.end());
  EXPECT_NE(std::find(firstCancel, lines.end(), "command 32786"), lines.end());
  HWND balloon = nullptr;
  EXPECT_TRUE(e2e::WaitUntil(
      [&] {
        for (HWND tip : e2e::FindWindows({"tooltips_class32", "", 0})) {
          if (IsWindowVisible(tip) && e2e::WindowText(tip) == "仕事: 再試行打ち切り") balloon = tip;
        }
        return balloon != nullptr;
      },
      30000))
      << "no balloon told of the account given up";
  e2e::SaveScreenshot(balloon, "tray-balloon");
  const std::vector<std::string> history = CRunHistoryLog().File().ReadLast(1);
  HistoryLine last;
  ASSERT_TRUE(history.size() == 1 && ParseHistoryLine(history.front(), last));
  EXPECT_TRUE(last.failure && last.account == "仕事" && last.text == "再試行打ち切り") << history.front();
}

TEST_F(JobsTest, AFetchThatNeverEndsIsAbortedAndAClientKilledInOneIsStartedAfresh) {
  Scenario("fetch_ms=never");
  FetchAccounts({"仕事"});
  ASSERT_NE(StartProgram(), nullptr);
  // Idle again after each end, the program starts a run, and a client, for the next fetch command.
  auto fetchUntil = [&](std::size_t count) {
    return e2e::WaitUntil([&] { e2e::PostCommand(window_, ID_FETCH); return Count(Journal(), "command 32786") >= count; }, 60000);
  };
  ASSERT_TRUE(fetchUntil(1));
  HWND bar = GetDlgItem(window_, 59392);
  EXPECT_TRUE(e2e::WaitUntil([&] { return SendMessageA(bar, TB_ISBUTTONENABLED, ID_ABORT, 0) != 0; }, 10000))
      << "abort was not offered while the fetch waited";
  EXPECT_EQ(e2e::WindowText(window_), "取り込み中 仕事 (1/1)");
  e2e::SaveScreenshot(window_, "main-window-fetching");
  e2e::PostCommand(window_, ID_ABORT);
  EXPECT_TRUE(fetchUntil(2)) << "the aborted job did not give way to a new one";
  e2e::StopStandIns();
  EXPECT_TRUE(fetchUntil(3)) << "the killed client was not started afresh";
  EXPECT_TRUE(ProgramAnswers());
}

TEST_F(JobsTest, DialUpGroupsAccountsAndDialsEachEntryOnce) {
  ASSERT_TRUE(data_.AddAccount("Account3", "ソフト部", 1, "ISP-A"));
  ASSERT_TRUE(data_.AddFolder("Account3", "Inbox.box", "", ""));
  data_.AddAccount("Account2", "自宅", 1, "ISP-A");
  // The program with the stand-in library beside it, in a folder of its own.
  const std::string program = root_ + "\\Larkspur32.exe";
  ASSERT_TRUE(CopyFileA(e2e::ProgramPath().c_str(), program.c_str(), FALSE));
  ASSERT_TRUE(CopyFileA((e2e::BinDir() + "\\win\\rasapi32.dll").c_str(), (root_ + "\\rasapi32.dll").c_str(), FALSE));
  // Wine hands a variable holding double-byte characters back one byte short,
  // so the library's journal goes to a plain path.
  char temp[MAX_PATH] = "";
  GetTempPathA(MAX_PATH, temp);
  const std::string rasJournal = std::string(temp) + "larkspur-ras-" + std::to_string(GetCurrentProcessId()) + ".txt";
  DeleteFileA(rasJournal.c_str());
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", rasJournal.c_str());
  FetchAccounts({"自宅", "仕事", "ソフト部"});
  CSettingsKey().WriteDword("DialUp", 1);
  ASSERT_NE(StartProgram(program), nullptr);
  SetEnvironmentVariableA("LARKSPUR_RAS_JOURNAL", nullptr);
  e2e::PostCommand(window_, ID_FETCH);
  ASSERT_TRUE(WaitForFetches(3, 60000));
  auto calls = [&](const char* function) {
    const std::vector<std::string> lines = ReadLines(rasJournal);
    return std::count_if(lines.begin(), lines.end(), [&](const std::string& l) { return l.rfind(function, 0) == 0; });
  };
  EXPECT_TRUE(e2e::WaitUntil([&] { return calls("RasHangUpA") > 0; }, 30000))
      << "the line was not hung up after the run";
  EXPECT_EQ(calls("RasDialA"), 1);
  DeleteFileA(rasJournal.c_str());
}

}  // namespace
