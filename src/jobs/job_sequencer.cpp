#include "jobs/job_sequencer.h"

#include <algorithm>

#include "jobs/account_order.h"
#include "jobs/after_fetch_command.h"
#include "jobs/fin_check_thread.h"
#include "text/cp932.h"

const CJobSequencer::StepHandler CJobSequencer::kSteps[] = {
    {Step::kForwarding, &CJobSequencer::StepForwarding},
    {Step::kSendReservation, &CJobSequencer::StepSendReservation},
    {Step::kStartOfRun, &CJobSequencer::StepStartOfRun},
    {Step::kSelectAccount, &CJobSequencer::StepSelectAccount},
    {Step::kDialAndFetch, &CJobSequencer::StepDialAndFetch},
    {Step::kWaitForFetch, &CJobSequencer::StepWaitForFetch},
    {Step::kEndOfRun, &CJobSequencer::StepEndOfRun},
    {Step::kRetryDecision, &CJobSequencer::StepRetryDecision},
    {Step::kAfterFetch, &CJobSequencer::StepAfterFetch},
    {Step::kCompletion, &CJobSequencer::StepCompletion},
};

CJobSequencer::CJobSequencer(const Ports& ports, IJobHost& host, CSchedule& schedule, CAccountJobList& jobs)
    : client_(ports.client),
      dialer_(ports.dialer),
      launcher_(ports.launcher),
      clock_(ports.clock),
      host_(host),
      schedule_(schedule),
      jobs_(jobs),
      tickTime_(ports.clock.Now()),
      nextRun_(ports.clock) {
  lastTickMinute_ = tickTime_ - clock_.Local(tickTime_).second;
}

CJobSequencer::~CJobSequencer() = default;

// ---- the machine ------------------------------------------------------------

void CJobSequencer::Continue(Step step) { ContinueWith(Continuation::kRunStep, step); }

void CJobSequencer::ContinueWith(Continuation continuation, Step step) {
  step_ = step;
  host_.KillPollTimer();
  host_.Post(continuation, ++token_);
}

void CJobSequencer::ContinueAfter(Step step, int milliseconds) {
  step_ = step;
  ++token_;
  host_.SetPollTimer(milliseconds);
}

void CJobSequencer::Stop() {
  step_ = Step::kIdle;
  ++token_;
  host_.KillPollTimer();
}

void CJobSequencer::OnContinuation(Continuation continuation, std::uint32_t token) {
  switch (continuation) {
    case Continuation::kArm:
      OnTimerStart();
      CatchUpAtStart();
      return;
    case Continuation::kFetch:
      OnFetch();
      return;
    default:
      break;
  }
  if (token != token_) {
    return;  // overtaken by an abort or a newer step
  }
  switch (continuation) {
    case Continuation::kRunStep:
      RunStep();
      break;
    case Continuation::kReservationDone:
      client_.DismissDialogs();
      Continue(Step::kForwarding);
      break;
    case Continuation::kForwardingDone:
      client_.DismissDialogs();
      Continue(Step::kStartOfRun);
      break;
    default:
      break;
  }
}

void CJobSequencer::OnPollTimer() {
  host_.KillPollTimer();
  if (step_ != Step::kIdle) {
    RunStep();
  }
}

void CJobSequencer::RunStep() {
  for (const StepHandler& handler : kSteps) {
    if (handler.step == step_) {
      (this->*handler.run)();
      return;
    }
  }
}

// ---- how jobs start -----------------------------------------------------------

bool CJobSequencer::OnMainTimer() {
  tickTime_ = clock_.Now();
  const LocalTime tick = clock_.Local(tickTime_);
  const std::time_t minute = tickTime_ - tick.second;
  // The first tick of a minute is normally in its second 0; after a sleep, a
  // clock change or a busy queue it comes later, and the clock still shows
  // the new minute at once.
  const bool newMinute = minute != lastTickMinute_;
  lastTickMinute_ = minute;
  if (newMinute) {
    RecomputeIfPassed(minute);
  }
  if (tick.second != 0) {
    return newMinute;
  }
  // Second 0 usually sees two ticks; the second one must not start the
  // minute's chain again and name the same due mails to the client twice.
  if (armed_ && step_ == Step::kIdle && minute != lastChainMinute_) {
    lastChainMinute_ = minute;
    Continue(Step::kSendReservation);
  }
  return true;
}

void CJobSequencer::OnClockChanged() {
  // The tick time stays the last tick's: a chain under way goes on with it.
  const std::time_t now = clock_.Now();
  RecomputeIfPassed(now - clock_.Local(now).second);
}

void CJobSequencer::OnResume() {
  // The first tick after the wake may have come first and found the run missed.
  OnClockChanged();
  if (settings_.catchUp && armed_ && step_ == Step::kIdle && missed_ &&
      clock_.Now() - missed_->at <= kCatchUpBoundSeconds) {
    CatchUp(missed_->accounts);
  }
  missed_.reset();
}

void CJobSequencer::CatchUpAtStart() {
  if (!settings_.catchUp || settings_.autoCheck || step_ != Step::kIdle) {
    return;
  }
  const std::time_t now = clock_.Now();
  const std::time_t since = std::max(settings_.lastScheduledRun, now - kCatchUpBoundSeconds - 1);
  for (std::time_t minute = now - clock_.Local(now).second; minute > since; minute -= 60) {
    const LocalTime local = clock_.Local(minute);
    const CScheduleDayList& day = schedule_.Day(local.weekday);
    for (std::size_t i = 0; i < day.Count(); ++i) {
      if (day.At(i).hour == local.hour && day.At(i).minute == local.minute) {
        CatchUp(day.At(i).accounts);
        return;
      }
    }
  }
}

void CJobSequencer::CatchUp(const std::vector<std::string>& accounts) {
  tickTime_ = clock_.Now();
  nextRun_.SetToMinuteOf(tickTime_);
  nextRun_.Entry().accounts = accounts;
  runKind_ = RunEventKind::kCaughtUpRun;
  Continue(Step::kStartOfRun);
}

void CJobSequencer::RecomputeIfPassed(std::time_t minute) {
  // A run whose minute went by unseen would otherwise stay the next run, and
  // every later entry of the week would be skipped until it came round again.
  if (armed_ && step_ == Step::kIdle && nextRun_.PassedBefore(minute)) {
    missed_ = MissedRun{nextRun_.Instant(), nextRun_.Entry().accounts};
    ComputeNextRunFromNow();
    host_.NextRunChanged();
  }
}

bool CJobSequencer::RunOfChainDue() const {
  const bool inChain = step_ == Step::kSendReservation || step_ == Step::kForwarding ||
                       step_ == Step::kStartOfRun;
  return inChain && nextRun_.IsAt(tickTime_);
}

void CJobSequencer::ComputeNextRunFromNow() { nextRun_.ComputeFrom(schedule_); }

void CJobSequencer::OnTimerStart() {
  armed_ = true;
  if (!RunOfChainDue()) {
    ComputeNextRunFromNow();
  }
  host_.NextRunChanged();
  host_.ArmedChanged(true);
}

void CJobSequencer::OnTimerStop() {
  armed_ = false;
  host_.NextRunChanged();
  host_.ArmedChanged(false);
}

void CJobSequencer::OnScheduleChanged() {
  if (!RunOfChainDue()) {
    ComputeNextRunFromNow();
  }
  if (!nextRun_.Exists()) {
    OnTimerStop();
  } else if (armed_) {
    OnTimerStart();
  }
}

void CJobSequencer::OnAbort() {
  host_.KillRetryTimer();
  retriesLeft_ = -1;
  Continue(Step::kEndOfRun);
}

void CJobSequencer::OnFetch() {
  if (step_ != Step::kIdle) {
    return;
  }
  if (settings_.fetchAccounts) {
    nextRun_.Entry().accounts = *settings_.fetchAccounts;
  }
  nextRun_.SetToMinuteOf(tickTime_);
  runKind_ = RunEventKind::kManualRun;
  Continue(Step::kStartOfRun);
}

void CJobSequencer::PostStartupActions() {
  if (settings_.autoStart && nextRun_.Exists()) {
    host_.Post(Continuation::kArm, 0);
  }
  if (settings_.autoCheck && nextRun_.Exists()) {
    host_.Post(Continuation::kFetch, 0);
  }
}

bool CJobSequencer::CanAbort() const {
  // Also while the job waits for the client, so a client that never answers
  // can be given up on by hand.
  return retriesLeft_ >= 0 || step_ == Step::kDialAndFetch || step_ == Step::kWaitForFetch;
}

bool CJobSequencer::CanFetch() const { return settings_.fetchAccounts && !settings_.fetchAccounts->empty(); }

bool CJobSequencer::EnsureClient() {
  const std::string dataRoot = settings_.dataRoot.value_or(std::string());
  // Without a data root the client would start on whatever it used last.
  if (dataRoot.empty()) {
    return false;
  }
  if (client_.UsesMailbox(dataRoot)) {
    return true;
  }
  // One that answers too slowly, or one on another data root that would not
  // close: never a second client beside it.
  if (client_.IsRunning()) {
    return false;
  }
  return client_.Launch(settings_.clientProgram, dataRoot) && client_.UsesMailbox(dataRoot);
}

// ---- steps 2 and 1: the minute's moves ----------------------------------------

TimedMoves CJobSequencer::Moves() {
  return TimedMoves{client_, *settings_.dataRoot, jobs_, tickTime_, [this] { return EnsureClient(); },
                    chain_, [this](const RunEvent& event) { Report(event); }};
}

void CJobSequencer::StepSendReservation() {
  // Step 2 opens the minute's chain.
  chain_ = MoveChain{};
  if (settings_.dataRoot) {
    const std::vector<std::string> sendNow = SendReservedMails(Moves());
    if (!sendNow.empty()) {
      RunNowFor(sendNow);
    }
  }
  client_.DismissDialogs();
  ContinueWith(Continuation::kReservationDone, Step::kSendReservation);
}

void CJobSequencer::RunNowFor(const std::vector<std::string>& titles) {
  // Run in this very minute, and for the accounts whose mails just moved.
  if (!nextRun_.IsAt(tickTime_)) {
    runKind_ = RunEventKind::kPulledForwardRun;
  }
  nextRun_.SetToMinuteOf(tickTime_);
  std::vector<std::string>& accounts = nextRun_.Entry().accounts;
  for (const std::string& title : titles) {
    const bool listed = std::any_of(accounts.begin(), accounts.end(), [&title](const std::string& account) {
      return cp932::EqualsIgnoreAsciiCase(account, title);
    });
    if (!listed) {
      accounts.push_back(title);
    }
  }
}

void CJobSequencer::StepForwarding() {
  if (settings_.dataRoot) {
    ForwardHeldMails(Moves());
  }
  client_.DismissDialogs();
  ContinueWith(Continuation::kForwardingDone, Step::kForwarding);
}

// ---- step 3: start of run -------------------------------------------------------

void CJobSequencer::StepStartOfRun() {
  const RunEventKind kind = runKind_;
  runKind_ = RunEventKind::kScheduledRun;
  if (!nextRun_.IsAt(tickTime_)) {
    Stop();
    return;
  }
  // The previous run's watch for a late message window would take this run's.
  finCheck_.reset();
  if (!settings_.dataRoot) {
    Continue(Step::kEndOfRun);
    return;
  }
  EnsureClient();
  client_.DismissDialogs();

  jobAccounts_ = nextRun_.Entry().accounts;
  accountIndex_ = 0;
  currentRecord_.reset();
  dialledEntry_.clear();
  if (jobAccounts_.empty() || !client_.KeepOutOfSight()) {
    Continue(Step::kEndOfRun);
    return;
  }
  missed_.reset();
  std::string accounts;
  for (const std::string& title : jobAccounts_) accounts += (accounts.empty() ? "" : ",") + title;
  Report({kind, {}, accounts});
  if (schedule_.DialUp != 0) {
    jobAccounts_ = OrderByDialUpEntry(jobAccounts_, [this](const std::string& title) {
      return static_cast<const CAccountJob*>(jobs_.FindByTitle(title));
    });
  }
  SkipAccountsWithoutRecord();
  Continue(Step::kSelectAccount);
}

void CJobSequencer::SkipAccountsWithoutRecord() {
  // An account of the run without a record is passed over; the others are
  // fetched all the same.
  while (accountIndex_ < jobAccounts_.size() && jobs_.FindByTitle(jobAccounts_[accountIndex_]) == nullptr) {
    ++accountIndex_;
  }
}

// ---- steps 4, 6, 7, 10: each account -------------------------------------------

void CJobSequencer::StepSelectAccount() {
  client_.DismissDialogs();
  const CAccountJob* record =
      accountIndex_ < jobAccounts_.size() ? jobs_.FindByTitle(jobAccounts_[accountIndex_]) : nullptr;
  if (record == nullptr) {
    currentRecord_.reset();
    Continue(Step::kEndOfRun);
    return;
  }
  currentRecord_ = *record;
  host_.ProgressChanged();
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
  Continue(Step::kDialAndFetch);
}

void CJobSequencer::StepDialAndFetch() {
  client_.DismissDialogs();
  const CAccountJob& record = *currentRecord_;
  if (schedule_.DialUp != 0 && record.useDialUp != 0 && dialledEntry_ != record.dialUpEntry) {
    dialledEntry_ = record.dialUpEntry;
    if (const long code = dialer_.Connect(record.dialUpEntry); code != 0) {
      // Not connected: the retry has to dial again.
      Report({RunEventKind::kDialFailed, {}, std::to_string(code)});
      dialledEntry_.clear();
      Continue(Step::kRetryDecision);
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
      FailAttempt(RunEventKind::kBoundReached);
      return;
    }
    ContinueAfter(Step::kDialAndFetch, kPollIntervalMs);
    return;
  }
  waitingForAccount_ = false;
  if (record.command.PreTidyUp != 0) {
    client_.TidyUp();
  }
  client_.StartFetch();
  fetchError_ = false;
  waitStartMs_ = clock_.Milliseconds();
  ContinueAfter(Step::kWaitForFetch, kPollIntervalMs);
}

void CJobSequencer::StepWaitForFetch() {
  if (!client_.IsFetchDone()) {
    if (client_.DismissDialogs() == kErrorDialog) {
      fetchError_ = true;
    }
    if (clock_.Milliseconds() - waitStartMs_ >= kFetchBoundMs) {
      FailAttempt(RunEventKind::kBoundReached);
      return;
    }
    ContinueAfter(Step::kWaitForFetch, kPollIntervalMs);
    return;
  }
  // An error window the client raised as its fetch ended fails it too.
  if (client_.DismissDialogs() == kErrorDialog) {
    fetchError_ = true;
  }
  if (fetchError_) {
    FailAttempt(RunEventKind::kErrorWindow);
  } else {
    Report({RunEventKind::kFetched});
    retriesLeft_ = -1;
    ++accountIndex_;
    SkipAccountsWithoutRecord();
    if (currentRecord_->command.PostTidyUp != 0) {
      client_.TidyUp();
    }
    Continue(Step::kAfterFetch);
  }
  client_.DismissDialogs();
}

void CJobSequencer::StepAfterFetch() {
  client_.DismissDialogs();
  // The record is still the one of the account just fetched: step 4 replaces it.
  if (currentRecord_ && currentRecord_->command.ExecCommand != 0) {
    const std::string line = AfterFetchCommandLine(*currentRecord_, settings_.dataRoot.value_or(std::string()));
    const bool started = launcher_.Start(line);
    Report({started ? RunEventKind::kProgramStarted : RunEventKind::kProgramFailed, {}, line});
  }
  if (accountIndex_ < jobAccounts_.size()) {
    Continue(Step::kSelectAccount);
    return;
  }
  clock_.Sleep(10);
  finCheck_.reset();
  finCheck_ = std::make_unique<CFinCheckThread>(client_);
  Continue(Step::kEndOfRun);
}

// ---- steps 9, 8, 11: retries and the end -------------------------------------

void CJobSequencer::FailAttempt(RunEventKind reason, const std::string& detail) {
  Report({reason, {}, detail});
  if (dialer_.HasConnection()) {
    dialer_.HangUp(0);
  }
  // The retry must dial again rather than fetch over a line that is gone.
  dialledEntry_.clear();
  Continue(Step::kRetryDecision);
}

void CJobSequencer::StepRetryDecision() {
  if (retriesLeft_ < 0) {
    retriesLeft_ = schedule_.RetryCount;
  }
  if (retriesLeft_ > 0) {
    // A stored interval outside a day would leave the job waiting for weeks.
    const long long seconds = std::clamp<long long>(schedule_.RetryInterval, 0, 24 * 60 * 60);
    step_ = Step::kRetryDecision;
    ++token_;
    Report({RunEventKind::kRetryWaiting, {}, std::to_string(seconds)});
    retryAt_ = clock_.Now() + static_cast<std::time_t>(seconds);
    host_.SetRetryTimer(static_cast<int>(seconds * 1000));
    host_.ProgressChanged();
    client_.DismissDialogs();
    return;
  }
  retriesLeft_ = -1;
  Report({RunEventKind::kGivenUp});
  ++accountIndex_;
  SkipAccountsWithoutRecord();
  Continue(accountIndex_ < jobAccounts_.size() ? Step::kAfterFetch : Step::kEndOfRun);
  client_.DismissDialogs();
}

void CJobSequencer::OnRetryTimer() {
  host_.KillRetryTimer();
  if (step_ != Step::kRetryDecision || retriesLeft_ <= 0) {
    return;  // the wait was given up meanwhile
  }
  --retriesLeft_;
  client_.DismissDialogs();
  waitingForAccount_ = false;
  Continue(Step::kDialAndFetch);
  host_.ProgressChanged();
}

void CJobSequencer::StepEndOfRun() {
  if (dialer_.HasConnection()) {
    dialer_.HangUp(0);
  }
  if (ManyRecords()) {
    if (settings_.defaultAccount) {
      client_.SwitchAccount(*settings_.defaultAccount);
    }
  } else {
    client_.SelectFirstAccount(false);
  }
  Continue(Step::kCompletion);
  client_.DismissDialogs();
}

void CJobSequencer::StepCompletion() {
  nextRun_.Entry().accounts.clear();
  if (armed_) {
    ComputeNextRunFromNow();
    host_.NextRunChanged();
  }
  client_.PutBack();
  // A job never ends with a retry series still open.
  retriesLeft_ = -1;
  currentRecord_.reset();
  jobAccounts_.clear();
  Stop();
  host_.ProgressChanged();
  client_.DismissDialogs();
}

void CJobSequencer::Shutdown() {
  if (step_ == Step::kIdle) {
    return;
  }
  host_.KillRetryTimer();
  client_.PutBack();
  retriesLeft_ = -1;
  Stop();
}

std::optional<CJobSequencer::RunProgress> CJobSequencer::Progress() const {
  if (step_ == Step::kIdle || !currentRecord_) {
    return std::nullopt;
  }
  return RunProgress{currentRecord_->title, std::min(accountIndex_ + 1, jobAccounts_.size()), jobAccounts_.size(),
                     step_ == Step::kRetryDecision ? retryAt_ : 0};
}

void CJobSequencer::Report(RunEvent event) {
  // A run's start comes before step 4 names its first account.
  if (event.account.empty() && currentRecord_) {
    event.account = currentRecord_->title;
  }
  switch (event.kind) {
    case RunEventKind::kMailRefused:
    case RunEventKind::kClientSilent:
    case RunEventKind::kMailUnnamable:
      if (!toldUnmoved_.insert(cp932::FoldAscii(event.detail)).second) {
        return;
      }
      break;
    case RunEventKind::kReservedMailSent:
    case RunEventKind::kHeldMailForwarded:
      toldUnmoved_.erase(cp932::FoldAscii(event.detail));
      break;
    default:
      break;
  }
  host_.Report(event);
}
