// The steps around one account's fetch: dial and start the fetch (6), wait for
// its end (7), and run the account's program afterwards (10).
#include "jobs/after_fetch_command.h"
#include "jobs/fin_check_thread.h"
#include "jobs/job_sequencer.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"

void CJobSequencer::StepDialAndFetch() {
  client_.DismissDialogs();
  const CAccountJob& record = *currentRecord_;
  if (schedule_.DialUp != 0 && record.useDialUp != 0 && dialledEntry_ != record.dialUpEntry) {
    dialledEntry_ = record.dialUpEntry;
    if (dialer_.Connect(record.dialUpEntry) != 0) {
      // Not connected: the retry has to dial again.
      dialledEntry_.clear();
      Continue(9);
      return;
    }
  }
  if (ManyRecords() && client_.CurrentAccount() != record.title) {
    // The client has not finished the switch asked for in step 4 yet.
    if (!waitingForAccount_) {
      waitingForAccount_ = true;
      waitStartMs_ = clock_.Milliseconds();
    } else if (clock_.Milliseconds() - waitStartMs_ >= kAccountSwitchBoundMs) {
      waitingForAccount_ = false;
      FailAttempt();
      return;
    }
    ContinueAfter(6, kPollIntervalMs);
    return;
  }
  waitingForAccount_ = false;
  if (record.command.PreTidyUp != 0) {
    client_.TidyUp();
  }
  client_.StartFetch();
  fetchError_ = false;
  waitStartMs_ = clock_.Milliseconds();
  ContinueAfter(7, kPollIntervalMs);
}

void CJobSequencer::StepWaitForFetch() {
  if (!client_.IsFetchDone()) {
    if (client_.DismissDialogs() == kErrorDialog) {
      fetchError_ = true;
    }
    if (clock_.Milliseconds() - waitStartMs_ >= kFetchBoundMs) {
      FailAttempt();
      return;
    }
    ContinueAfter(7, kPollIntervalMs);
    return;
  }
  // An error window the client raised as its fetch ended fails it too.
  if (client_.DismissDialogs() == kErrorDialog) {
    fetchError_ = true;
  }
  if (fetchError_) {
    FailAttempt();
  } else {
    retriesLeft_ = -1;
    ++accountIndex_;
    SkipAccountsWithoutRecord();
    if (currentRecord_->command.PostTidyUp != 0) {
      client_.TidyUp();
    }
    Continue(10);
  }
  client_.DismissDialogs();
}

void CJobSequencer::StepAfterFetch() {
  client_.DismissDialogs();
  // The record is still the one of the account just fetched: step 4 replaces it.
  if (currentRecord_ && currentRecord_->command.ExecCommand != 0) {
    CSettingsKey root;
    launcher_.Start(AfterFetchCommandLine(*currentRecord_, layout::Read(root, layout::kMailBoxPath)));
  }
  if (accountIndex_ < jobAccounts_.size()) {
    Continue(4);
    return;
  }
  clock_.Sleep(10);
  finCheck_.reset();
  finCheck_ = std::make_unique<CFinCheckThread>(client_);
  Continue(8);
}
