#include "jobs/job_sequencer.h"

#include <algorithm>

#include "jobs/account_order.h"
#include "jobs/fin_check_thread.h"
#include "res/resource.h"
#include "settings/registry_key.h"
#include "settings/settings_layout.h"

CJobSequencer::CJobSequencer(const Ports& ports, CSchedule& schedule, CAccountJobList& jobs)
    : client_(ports.client),
      dialer_(ports.dialer),
      launcher_(ports.launcher),
      clock_(ports.clock),
      host_(ports.host),
      schedule_(schedule),
      jobs_(jobs),
      tickTime_(ports.clock.Now()) {
  const LocalTime now = clock_.Local(tickTime_);
  nextRun_.hour = now.hour;
  nextRun_.minute = now.minute;
  lastTickMinute_ = tickTime_ - now.second;
}

CJobSequencer::~CJobSequencer() = default;

bool CJobSequencer::CanAbort() const {
  // Also while the job waits for the client, so a client that never answers
  // can be given up on by hand.
  return retriesLeft_ >= 0 || step_ == 6 || step_ == 7;
}

bool CJobSequencer::CanFetch() {
  CSettingsKey root;
  CRegistryKey list;
  return list.Open(root, layout::kDefAccountKey) && list.CountSubkeys() > 0;
}

LocalTime CJobSequencer::TickLocal() const { return clock_.Local(tickTime_); }

void CJobSequencer::Continue(int step) {
  step_ = step;
  host_.KillPollTimer();
  host_.PostCommand(ID_WORK_START, ++token_);
}

void CJobSequencer::ContinueWith(int command, int step) {
  step_ = step;
  host_.KillPollTimer();
  host_.PostCommand(command, ++token_);
}

void CJobSequencer::ContinueAfter(int step, int milliseconds) {
  step_ = step;
  ++token_;
  host_.SetPollTimer(milliseconds);
}

void CJobSequencer::Stop() {
  step_ = 0;
  ++token_;
  host_.KillPollTimer();
}

void CJobSequencer::OnCommand(int command, std::uint32_t token) {
  if (token != token_) {
    return;  // overtaken by an abort or a newer step
  }
  switch (command) {
    case ID_WORK_START:
      RunStep();
      break;
    case ID_RESERVE_FIN:
      client_.DismissDialogs();
      Continue(1);
      break;
    case ID_REMAIN_FIN:
      client_.DismissDialogs();
      Continue(3);
      break;
    default:
      break;
  }
}

void CJobSequencer::OnPollTimer() {
  host_.KillPollTimer();
  if (step_ != 0) {
    RunStep();
  }
}

void CJobSequencer::RunStep() {
  switch (step_) {
    case 1: StepForwarding(); break;
    case 2: StepSendReservation(); break;
    case 3: StepStartOfRun(); break;
    case 4: StepSelectAccount(); break;
    case 6: StepDialAndFetch(); break;
    case 7: StepWaitForFetch(); break;
    case 8: StepEndOfRun(); break;
    case 9: StepRetryDecision(); break;
    case 10: StepAfterFetch(); break;
    case 11: StepCompletion(); break;
    default: break;
  }
}

bool CJobSequencer::EnsureClient(const std::string& mailBoxPath) {
  // Without a data root the client would start on whatever it used last.
  if (mailBoxPath.empty()) {
    return false;
  }
  if (client_.UsesMailbox(mailBoxPath)) {
    return true;
  }
  // One that answers too slowly, or one on another data root that would not
  // close: never a second client beside it.
  if (client_.IsRunning()) {
    return false;
  }
  CSettingsKey root;
  return client_.Launch(layout::Read(root, layout::kCorvidPath), mailBoxPath) &&
         client_.UsesMailbox(mailBoxPath);
}

void CJobSequencer::StepStartOfRun() {
  const LocalTime tick = TickLocal();
  if (tick.weekday != nextRunWeekday_ || tick.hour != nextRun_.hour ||
      tick.minute != nextRun_.minute) {
    Stop();
    return;
  }
  // The previous run's watch for a late message window would take this run's.
  finCheck_.reset();
  std::string mailBoxPath;
  {
    CSettingsKey root;
    if (!root.ReadStringInto(layout::kMailBoxPath.name, mailBoxPath)) {
      Continue(8);
      return;
    }
  }
  EnsureClient(mailBoxPath);
  client_.DismissDialogs();

  jobAccounts_ = nextRun_.accounts;
  accountIndex_ = 0;
  currentRecord_.reset();
  dialledEntry_.clear();
  clientWasMinimized_ = false;
  clientWasHidden_ = false;
  savedPlacement_ = ClientPlacement{};
  // A window that is gone before its placement could be read is not touched:
  // an empty placement put back at the end would hide the client.
  if (jobAccounts_.empty() || !client_.FindMainWindow() || !client_.GetPlacement(savedPlacement_)) {
    Continue(8);
    return;
  }

  // Keep the client's window out of sight during the run and put it back after.
  savedPlacement_.length = 44;
  ClientPlacement offScreen = savedPlacement_;
  const int screenWidth = host_.ScreenWidth();
  offScreen.left = screenWidth + 100;
  offScreen.right = screenWidth - 200;
  if (!client_.IsVisible()) {
    clientWasHidden_ = true;
    client_.SetPlacement(offScreen);
  } else if (client_.IsMinimized()) {
    clientWasMinimized_ = true;
    client_.SetPlacement(offScreen);
    client_.PostRestore();
  }

  if (schedule_.DialUp != 0) {
    jobAccounts_ = OrderByDialUpEntry(jobAccounts_, [this](const std::string& title) {
      return static_cast<const CAccountJob*>(jobs_.FindByTitle(title));
    });
  }
  SkipAccountsWithoutRecord();
  Continue(4);
}

void CJobSequencer::SkipAccountsWithoutRecord() {
  // An account of the run without a record is passed over; the others are
  // fetched all the same.
  while (accountIndex_ < jobAccounts_.size() && jobs_.FindByTitle(jobAccounts_[accountIndex_]) == nullptr) {
    ++accountIndex_;
  }
}

void CJobSequencer::StepSelectAccount() {
  client_.DismissDialogs();
  const CAccountJob* record =
      accountIndex_ < jobAccounts_.size() ? jobs_.FindByTitle(jobAccounts_[accountIndex_]) : nullptr;
  if (record == nullptr) {
    currentRecord_.reset();
    Continue(8);
    return;
  }
  currentRecord_ = *record;
  // The record's own spelling: the run's may differ in letter case from what
  // the client's caption and account menu show.
  if (ManyRecords()) {
    if (!client_.CurrentAccount().empty()) {
      client_.SwitchAccount(record->title);
    }
  } else {
    client_.SelectFirstAccount(true);
  }
  waitingForAccount_ = false;
  Continue(6);
}

void CJobSequencer::FailAttempt() {
  if (dialer_.HasConnection()) {
    dialer_.HangUp(0);
  }
  // The retry must dial again rather than fetch over a line that is gone.
  dialledEntry_.clear();
  Continue(9);
}

void CJobSequencer::StepRetryDecision() {
  if (retriesLeft_ < 0) {
    retriesLeft_ = schedule_.RetryCount;
  }
  if (retriesLeft_ > 0) {
    // A stored interval outside a day would leave the job waiting for weeks.
    const long long seconds = std::clamp<long long>(schedule_.RetryInterval, 0, 24 * 60 * 60);
    step_ = 9;
    ++token_;
    host_.SetRetryTimer(static_cast<int>(seconds * 1000));
    client_.DismissDialogs();
    return;
  }
  retriesLeft_ = -1;
  ++accountIndex_;
  SkipAccountsWithoutRecord();
  Continue(accountIndex_ < jobAccounts_.size() ? 10 : 8);
  client_.DismissDialogs();
}

void CJobSequencer::OnRetryTimer() {
  host_.KillRetryTimer();
  if (step_ != 9 || retriesLeft_ <= 0) {
    return;  // the wait was given up meanwhile
  }
  --retriesLeft_;
  client_.DismissDialogs();
  waitingForAccount_ = false;
  Continue(6);
}

void CJobSequencer::StepEndOfRun() {
  if (dialer_.HasConnection()) {
    dialer_.HangUp(0);
  }
  if (ManyRecords()) {
    CSettingsKey root;
    std::string defaultAccount;
    if (root.ReadStringInto(layout::kDefAccount.name, defaultAccount)) {
      client_.SwitchAccount(defaultAccount);
    }
  } else {
    client_.SelectFirstAccount(false);
  }
  Continue(11);
  client_.DismissDialogs();
}

void CJobSequencer::StepCompletion() {
  nextRun_.accounts.clear();
  if (armed_) {
    ComputeNextRunFromNow();
    host_.NextRunChanged();
  }
  RestoreClientWindow();
  // A job never ends with a retry series still open.
  retriesLeft_ = -1;
  currentRecord_.reset();
  jobAccounts_.clear();
  Stop();
  client_.DismissDialogs();
}

void CJobSequencer::RestoreClientWindow() {
  if (clientWasMinimized_) {
    client_.Show(0);
    client_.SetPlacement(savedPlacement_);
    client_.Show(5);
    clientWasMinimized_ = false;
  }
  if (clientWasHidden_) {
    client_.Hide();
    ClientPlacement hidden = savedPlacement_;
    hidden.showCommand = 0;
    client_.SetPlacement(hidden);
    clientWasHidden_ = false;
  }
}

void CJobSequencer::Shutdown() {
  if (step_ == 0) {
    return;
  }
  host_.KillRetryTimer();
  RestoreClientWindow();
  retriesLeft_ = -1;
  Stop();
}

void CJobSequencer::ComputeNextRunFromNow() {
  const std::time_t now = clock_.Now();
  const LocalTime local = clock_.Local(now);
  nextRunWeekday_ = schedule_.ComputeNextRun(local.hour, local.minute, local.weekday, nextRun_);
  if (nextRunWeekday_ >= 0) {
    nextRunAt_ = NextRunInstant(now);
  }
}
