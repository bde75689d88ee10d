#include "support/program_run_win.h"

#include <algorithm>
#include <ctime>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_disk.h"
#include "schedule/schedule.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "support/standin_win.h"

namespace e2e {

namespace {
constexpr DWORD kStartBound = 30000;
}

std::size_t Count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<std::size_t>(std::count(lines.begin(), lines.end(), line));
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void StopStandIns() {
  for (HWND window : FindWindows({"Corvid32Class", "", 0})) {
    DWORD id = 0;
    GetWindowThreadProcessId(window, &id);
    if (HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id)) {
      TerminateProcess(process, 9);
      WaitForSingleObject(process, 5000);
      CloseHandle(process);
    }
  }
}

ProgramRunTest::ProgramRunTest() : root_(scratch_.Path()), data_(root_) {
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

ProgramRunTest::~ProgramRunTest() {
  CloseProgram();
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
  SYSTEMTIME now;
  GetLocalTime(&now);
  const DWORD toBoundary = (60 - now.wSecond) * 1000 - now.wMilliseconds;
  WaitUntil([] { return false; }, toBoundary + 6000);
}

HWND ProgramRunTest::StartProgram(const std::string& program) {
  EXPECT_TRUE(program_.Start("\"" + program + "\"", BinDir())) << "error " << program_.StartError();
  window_ = WaitForWindow({"#32770", "Larkspur32", program_.Id()}, kStartBound);
  EXPECT_NE(window_, nullptr) << "the program's window did not come within 30 s";
  return window_;
}

bool ProgramRunTest::ProgramAnswers() const {
  DWORD_PTR result = 0;
  return program_.IsRunning() && window_ != nullptr &&
         SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &result) != 0;
}

void ProgramRunTest::CloseProgram() {
  if (program_.IsRunning()) {
    for (HWND window : FindWindows({"#32770", "Larkspur32", program_.Id()})) {
      PostMessageA(window, WM_CLOSE, 0, 0);
    }
    program_.WaitForExit(10000);
  }
}

std::vector<std::string> ProgramRunTest::Journal() const { return standin::ReadJournal(root_); }

bool ProgramRunTest::WaitForJournal(const std::function<bool(const std::vector<std::string>&)>& done,
                                    DWORD ms) const {
  return WaitUntil([&] { return done(Journal()); }, ms);
}

std::string ProgramRunTest::MailFile(const std::string& account, const std::string& folder,
                                     const std::string& name) const {
  return MailboxDirectory(root_) + account + "\\" + folder + "\\" + name;
}

}  // namespace e2e
