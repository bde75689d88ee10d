// A whole program run under Wine: a data directory of the stand-in client with
// two accounts, the settings that point the program at it, and helpers to
// start Larkspur32.exe, script the stand-in and read what it received.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sample_data/sample_data.h"
#include "settings/account_job.h"
#include "support/e2e_win.h"
#include "support/scratch_directory.h"
#include "support/settings_sandbox.h"

namespace e2e {

std::size_t Count(const std::vector<std::string>& lines, const std::string& line);
bool Exists(const std::string& path);

// Accounts Account1 "仕事" and Account2 "自宅", each with Outbox.box and
// Inbox.box; Account1 also 予約.box, Account2 also Hold.box.
class ProgramRunTest : public ::testing::Test {
 protected:
  ProgramRunTest();
  ~ProgramRunTest() override;

  // What the stand-in does when the program starts it.
  void Scenario(const std::string& text);
  // The accounts the fetch command fetches.
  void FetchAccounts(const std::vector<std::string>& titles);
  // The job records as the data directory has them, changed by edit, saved.
  void Records(const std::function<void(CAccountJobList&)>& edit);
  // 仕事 sends the due mails of its 予約.box and takes Hold.box's due ones into its Inbox.box.
  void ReserveAndForwardIntoWork();
  // Arms the schedule at start with an entry days away: every minute runs the due checks only.
  void ArmAtStart();
  // Until the program's clock shows the next minute and the minute's first
  // step, the reserved mails, has run.
  void WaitForNextMinute();
  HWND StartProgram(const std::string& program = ProgramPath());
  // True while the program runs and its window answers. It may be inside one of
  // its own bounded waits (a client starting, a DDE request) when asked, so a
  // hang is what outlasts 30 s.
  bool ProgramAnswers() const;
  std::vector<std::string> Journal() const;
  // Until the client was told to fetch at least count times.
  bool WaitForFetches(std::size_t count, DWORD ms) const;
  std::string MailFile(const std::string& account, const std::string& folder, const std::string& name) const;

  SettingsSandbox sandbox_;
  ScratchDirectory scratch_;
  std::string root_;
  sample::DataDirectoryBuilder data_;
  Process program_;
  HWND window_ = nullptr;
};

}  // namespace e2e
