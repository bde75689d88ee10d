#include "support/job_fakes.h"

LocalTime FakeClock::Local(std::time_t when) {
  LocalTime local;
  const std::int64_t seconds = static_cast<std::int64_t>(when);
  const std::int64_t days = seconds / 86400;
  const std::int64_t ofDay = seconds % 86400;
  local.weekday = static_cast<int>((days + 4) % 7);  // 1 January 1970 was a Thursday
  local.hour = static_cast<int>(ofDay / 3600);
  local.minute = static_cast<int>(ofDay % 3600 / 60);
  local.second = static_cast<int>(ofDay % 60);
  return local;
}

std::time_t WeekTime(int weekday, int hour, int minute, int second) {
  // 4 January 1970 was a Sunday.
  return static_cast<std::time_t>(((3 + weekday) * 24 + hour) * 3600 + minute * 60 + second);
}

void FakeClient::Record(const std::string& call) { journal_.push_back(call); }

bool FakeClient::UsesMailbox(const std::string& dataRoot) {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_ && !dataRoot.empty() && runningOn_ == dataRoot;
}

bool FakeClient::Launch(const std::string& program, const std::string& dataRoot) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("Launch(" + program + "," + dataRoot + ")");
  running_ = true;
  runningOn_ = dataRoot;
  window_ = true;
  return true;
}

DismissResult FakeClient::DismissDialogs() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (dialogs_.empty()) {
    return kNoClientDialog;
  }
  const DismissResult dialog = dialogs_.front();
  dialogs_.pop_front();
  Record(dialog == kErrorDialog ? "Dismiss(error)" : "Dismiss(received)");
  return dialog;
}

std::string FakeClient::CurrentAccount() {
  std::lock_guard<std::mutex> lock(mutex_);
  return window_ ? shown_ : std::string();
}

void FakeClient::SwitchAccount(const std::string& title) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("Switch(" + title + ")");
  if (switchWorks_ && window_ && !shown_.empty()) {
    shown_ = title;
  }
}

void FakeClient::SelectFirstAccount(bool openMenuFirst) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record(openMenuFirst ? "SelectFirst(menu)" : "SelectFirst");
}

void FakeClient::StartFetch() {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("StartFetch");
  fetch_.Start(fetchPolls_);
}

void FakeClient::TidyUp() {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("TidyUp");
}

bool FakeClient::IsFetchDone() {
  std::lock_guard<std::mutex> lock(mutex_);
  return !window_ || fetch_.Done();
}

void FakeClient::MarkMail(const std::string& mailPath, std::int32_t mark, int on) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record("MarkMail(" + mailPath + "," + std::to_string(mark) + "," + std::to_string(on) + ")");
}

MoveOutcome FakeClient::MoveMail(const std::string& mailPath, const std::string& targetFolder) {
  MoveOutcome outcome = MoveOutcome::kMoved;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    Record("MoveMail(" + mailPath + "," + targetFolder + ")");
    const auto scripted = moveOutcomes_.find(mailPath);
    if (scripted != moveOutcomes_.end()) {
      outcome = scripted->second;
    }
  }
  if (outcome == MoveOutcome::kMoved && onMove) {
    onMove(mailPath, targetFolder);
  }
  return outcome;
}

bool FakeClient::IsRunning() {
  std::lock_guard<std::mutex> lock(mutex_);
  return running_;
}

bool FakeClient::KeepOutOfSight() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!window_) {
    return false;
  }
  // Only a window out of plain view is touched, and then put back.
  if (!visible_) {
    Record("OutOfSight(hidden)");
    putBack_ = "PutBack(hidden)";
  } else if (minimized_) {
    Record("OutOfSight(minimized)");
    putBack_ = "PutBack(minimized)";
  }
  return true;
}

void FakeClient::PutBack() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!putBack_.empty()) {
    Record(putBack_);
    putBack_.clear();
  }
}

std::vector<std::string> FakeClient::Journal() {
  std::lock_guard<std::mutex> lock(mutex_);
  return journal_;
}

std::vector<std::string> FakeClient::JournalOf(const std::string& prefix) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> matching;
  for (const std::string& call : journal_) {
    if (call.compare(0, prefix.size(), prefix) == 0) {
      matching.push_back(call);
    }
  }
  return matching;
}

void FakeClient::ClearJournal() {
  std::lock_guard<std::mutex> lock(mutex_);
  journal_.clear();
}

void FakeClient::SetRunningOn(const std::string& dataRoot) {
  std::lock_guard<std::mutex> lock(mutex_);
  running_ = true;
  runningOn_ = dataRoot;
}

void FakeClient::Quit() {
  std::lock_guard<std::mutex> lock(mutex_);
  running_ = false;
  runningOn_.clear();
}

void FakeClient::SetMoveOutcome(const std::string& mailPath, MoveOutcome outcome) {
  std::lock_guard<std::mutex> lock(mutex_);
  moveOutcomes_[mailPath] = outcome;
}

void FakeClient::SetShownAccount(const std::string& title) {
  std::lock_guard<std::mutex> lock(mutex_);
  shown_ = title;
}

void FakeClient::SetSwitchWorks(bool works) {
  std::lock_guard<std::mutex> lock(mutex_);
  switchWorks_ = works;
}

void FakeClient::SetFetchPolls(int polls) {
  std::lock_guard<std::mutex> lock(mutex_);
  fetchPolls_ = polls;
}

void FakeClient::QueueDialog(DismissResult dialog) {
  std::lock_guard<std::mutex> lock(mutex_);
  dialogs_.push_back(dialog);
}

void FakeClient::SetWindow(bool exists, bool visible, bool minimized) {
  std::lock_guard<std::mutex> lock(mutex_);
  window_ = exists;
  visible_ = visible;
  minimized_ = minimized;
}

long FakeDialer::Connect(const std::string& entry) {
  if (connected_) {
    HangUp(0);
  }
  journal.push_back("Connect(" + entry + ")");
  const auto failure = failures.find(entry);
  if (failure != failures.end()) {
    return failure->second;
  }
  connected_ = true;
  return 0;
}

void FakeDialer::HangUp(int) {
  journal.push_back("HangUp");
  connected_ = false;
}

JobRig::JobRig(IMailClient* otherClient) {
  host.clock = &clock;
  machine = std::make_unique<CJobSequencer>(
      CJobSequencer::Ports{otherClient != nullptr ? *otherClient : client, dialer, launcher, clock}, host,
      schedule, jobs);
}

std::int64_t JobRig::NextTickAfter(std::int64_t ms) const {
  std::int64_t next = (ms / 500 + 1) * 500;
  if (sparseTicks && next % 60000 > 500) {
    next = (next / 60000 + 1) * 60000;
  }
  return next;
}

void JobRig::Tick() {
  machine->OnMainTimer();
  nextTickMs = NextTickAfter(clock.ms);
}

bool JobRig::HandleOne() {
  if (host.posted.empty()) {
    return false;
  }
  const FakeHost::Posted posted = host.posted.front();
  host.posted.pop_front();
  // Only the latest continuation runs a step; older ones are ignored.
  if (posted.continuation == Continuation::kRunStep && posted.token == host.lastToken &&
      machine->CurrentStep() != Step::kIdle) {
    steps.push_back(static_cast<int>(machine->CurrentStep()));
  }
  machine->OnContinuation(posted.continuation, posted.token);
  return true;
}

void JobRig::RunUntil(std::int64_t untilMs) {
  if (nextTickMs <= clock.ms) {
    nextTickMs = NextTickAfter(clock.ms);
  }
  for (;;) {
    if (HandleOne()) {
      if (observer) observer();
      continue;
    }
    std::int64_t next = nextTickMs;
    if (host.pollDue && *host.pollDue < next) next = *host.pollDue;
    if (host.retryDue && *host.retryDue < next) next = *host.retryDue;
    if (next > untilMs) {
      clock.ms = std::max(clock.ms, untilMs);
      return;
    }
    clock.ms = std::max(clock.ms, next);
    if (host.pollDue && *host.pollDue <= clock.ms) {
      steps.push_back(static_cast<int>(machine->CurrentStep()));
      machine->OnPollTimer();
    } else if (host.retryDue && *host.retryDue <= clock.ms) {
      machine->OnRetryTimer();
    } else {
      Tick();
    }
    if (observer) observer();
  }
}

bool JobRig::RunUntilIdle(std::int64_t maxMs) {
  const std::int64_t limit = clock.ms + maxMs;
  while (clock.ms < limit) {
    while (HandleOne()) {
      if (observer) observer();
    }
    if (machine->CurrentStep() == Step::kIdle && !host.pollDue && !host.retryDue) {
      return true;
    }
    RunUntil(std::min(limit, clock.ms + 500));
  }
  return machine->CurrentStep() == Step::kIdle;
}

CAccountJob MakeRecord(const std::string& directory, const std::string& title) {
  CAccountJob record;
  record.directory = directory;
  record.title = title;
  return record;
}
