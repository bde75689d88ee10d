#include "support/program_run_win.h"

#include <algorithm>

#include "data_dir/mailbox_paths.h"
#include "res/resource.h"
#include "sample_data/sample_disk.h"
#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"

namespace e2e {

std::size_t Count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

ProgramRunTest::ProgramRunTest() : root_(scratch_.Path()), data_(root_) {
  StopStandIns();
  EXPECT_TRUE(data_.AddAccount("Account1", "仕事", 0, "") && data_.AddAccount("Account2", "自宅", 0, ""));
  for (const char* account : {"Account1", "Account2"}) {
    EXPECT_TRUE(data_.AddFolder(account, "Outbox.box", "", "") && data_.AddFolder(account, "Inbox.box", "", ""));
  }
  EXPECT_TRUE(data_.AddFolder("Account1", "予約.box", "予約", "") && data_.AddFolder("Account2", "Hold.box", "保留", ""));
  CSettingsKey settings;
  settings.WriteString("MailBoxPath", root_);
  settings.WriteString("CorvidPath", StandInPath());
  Scenario("fetch_ms=300");
}

ProgramRunTest::~ProgramRunTest() {
  // The caption names the account in hand during a run: the window is the one found at start.
  if (program_.IsRunning() && window_ != nullptr) {
    PostMessageA(window_, WM_CLOSE, 0, 0);
    program_.WaitForExit(10000);
  }
  StopStandIns();
}

void ProgramRunTest::Scenario(const std::string& text) {
  sample::WriteFile(root_ + "\\corvid-scenario.txt", text + "\r\n");
}

void ProgramRunTest::FetchAccounts(const std::vector<std::string>& titles) {
  CSettingsKey settings;
  layout::ReplaceTextList(settings, layout::kDefAccountKey, layout::kAccountItemFormat, titles);
}

void ProgramRunTest::Records(const std::function<void(CAccountJobList&)>& edit) {
  CAccountJobList jobs;
  ASSERT_TRUE(jobs.Load(root_));
  edit(jobs);
  jobs.Save();
}

void ProgramRunTest::ReserveAndForwardIntoWork() {
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
}

void ProgramRunTest::ArmAtStart() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  CSchedule schedule;
  schedule.Day((now.wDayOfWeek + 3) % 7).AddEntry(3, 33, {"仕事"}, 0);
  schedule.Save();
  CSettingsKey settings;
  settings.WriteDword("AutoStart", 1);
}

void ProgramRunTest::WaitForNextMinute() {
  const std::string shown = ControlText(window_, IDC_NOW_TIME);
  EXPECT_TRUE(WaitUntil([&] { return ControlText(window_, IDC_NOW_TIME) != shown; }, 65000))
      << "the program's clock stayed at " << shown;
  // The minute's first step was posted before the clock changed, so a posted
  // minimise is handled after it.
  for (const WPARAM command : {SC_MINIMIZE, SC_RESTORE}) {
    PostMessageA(window_, WM_SYSCOMMAND, command, 0);
    EXPECT_TRUE(WaitUntil([&] { return (IsIconic(window_) != FALSE) == (command == SC_MINIMIZE); }, 30000));
  }
}

HWND ProgramRunTest::StartProgram(const std::string& program) {
  EXPECT_TRUE(program_.Start("\"" + program + "\"", BinDir()));
  window_ = WaitForWindow({"#32770", "Larkspur32", program_.Id()}, 30000);
  EXPECT_NE(window_, nullptr) << "the program's window did not come within 30 s";
  return window_;
}

bool ProgramRunTest::ProgramAnswers() const {
  DWORD_PTR result = 0;
  return program_.IsRunning() && SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &result) != 0;
}

std::vector<std::string> ProgramRunTest::Journal() const { return ReadJournal(root_); }

bool ProgramRunTest::WaitForFetches(std::size_t count, DWORD ms) const {
  return WaitUntil([&] { return Count(Journal(), "command 32786") >= count; }, ms);
}

std::string ProgramRunTest::MailFile(const std::string& account, const std::string& folder,
                                     const std::string& name) const {
  return MailboxDirectory(root_) + account + "\\" + folder + "\\" + name;
}

}  // namespace e2e
