#include "support/job_fakes.h"

#include <chrono>

LocalTime FakeClock::Local(std::time_t when) {
  const std::int64_t seconds = static_cast<std::int64_t>(when);
  LocalTime local;
  local.weekday = static_cast<int>((seconds / 86400 + 4) % 7);  // 1 January 1970 was a Thursday
  local.hour = static_cast<int>(seconds % 86400 / 3600);
  local.minute = static_cast<int>(seconds % 3600 / 60);
  local.second = static_cast<int>(seconds % 60);
  return local;
}

std::time_t WeekTime(int weekday, int hour, int minute, int second) {
  return static_cast<std::time_t>(((3 + weekday) * 24 + hour) * 3600 + minute * 60 + second);
}

bool WaitUntil(const std::function<bool()>& done, int boundMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
  while (!done() && std::chrono::steady_clock::now() < end) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return done();
}

// Lives as long as the thread that made it, so a watcher thread counts out when it ends.
struct WatcherLife {
  explicit WatcherLife(FakeClient& client) : client(client) {
    std::lock_guard<std::mutex> lock(client.mutex_);
    ++client.watchers_;
  }
  ~WatcherLife() {
    std::lock_guard<std::mutex> lock(client.mutex_);
    --client.watchers_;
  }
  FakeClient& client;
};

void FakeClient::Record(const std::string& call) {
  std::lock_guard<std::mutex> lock(mutex_);
  journal_.push_back(call);
}

bool FakeClient::Launch(const std::string& program, const std::string& dataRoot) {
  Record("Launch(" + program + "," + dataRoot + ")");
  SetRunningOn(dataRoot);
  return true;
}

DismissResult FakeClient::DismissDialogs() {
  if (std::this_thread::get_id() != owner_) {
    thread_local WatcherLife life(*this);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  if (dialogs_.empty()) {
    return kNoClientDialog;
  }
  const DismissResult dialog = dialogs_.front();
  dialogs_.pop_front();
  journal_.push_back(dialog == kErrorDialog ? "Dismiss(error)" : "Dismiss(received)");
  return dialog;
}

void FakeClient::SwitchAccount(const std::string& title) {
  Record("Switch(" + title + ")");
  if (switchWorks && !shown.empty()) shown = title;
}

void FakeClient::StartFetch() {
  Record("StartFetch");
  fetch_.Start(fetchPolls);
}

void FakeClient::MarkMail(const std::string& mailPath, std::int32_t mark, int on) {
  Record("MarkMail(" + mailPath + "," + std::to_string(mark) + "," + std::to_string(on) + ")");
}

MoveOutcome FakeClient::MoveMail(const std::string& mailPath, const std::string& targetFolder) {
  Record("MoveMail(" + mailPath + "," + targetFolder + ")");
  const auto scripted = moveOutcomes.find(mailPath);
  const MoveOutcome outcome = scripted != moveOutcomes.end() ? scripted->second : MoveOutcome::kMoved;
  if (outcome == MoveOutcome::kMoved && onMove) onMove(mailPath, targetFolder);
  return outcome;
}

bool FakeClient::KeepOutOfSight() {
  // Only a window out of plain view is touched, and then put back.
  if (!window.empty()) Record("OutOfSight(" + window + ")");
  putBack_ = window;
  return true;
}

void FakeClient::PutBack() {
  if (!putBack_.empty()) Record("PutBack(" + putBack_ + ")");
  putBack_.clear();
}

std::vector<std::string> FakeClient::JournalOf(const std::string& prefix) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> matching;
  for (const std::string& call : journal_) {
    if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(call);
  }
  return matching;
}

void FakeClient::ClearJournal() {
  std::lock_guard<std::mutex> lock(mutex_);
  journal_.clear();
}

void FakeClient::QueueDialog(DismissResult dialog) {
  std::lock_guard<std::mutex> lock(mutex_);
  dialogs_.push_back(dialog);
}

int FakeClient::Watchers() {
  std::lock_guard<std::mutex> lock(mutex_);
  return watchers_;
}

long FakeDialer::Connect(const std::string& entry) {
  journal.push_back("Connect(" + entry + ")");
  const auto failure = failures.find(entry);
  connected_ = failure == failures.end();
  return connected_ ? 0 : failure->second;
}

JobRig::JobRig(IMailClient* otherClient) {
  host.clock = &clock;
  machine = std::make_unique<CJobSequencer>(
      CJobSequencer::Ports{otherClient != nullptr ? *otherClient : client, dialer, launcher, clock}, host,
      schedule, jobs);
}

std::int64_t JobRig::NextTickAfter(std::int64_t ms) const {
  const std::int64_t next = (ms / 500 + 1) * 500;
  return sparseTicks && next % 60000 > 500 ? (next / 60000 + 1) * 60000 : next;
}

bool JobRig::HandleOne() {
  if (host.posted.empty()) {
    return false;
  }
  const FakeHost::Posted posted = host.posted.front();
  host.posted.pop_front();
  if (posted.continuation == Continuation::kRunStep && posted.token == host.lastToken &&
      machine->CurrentStep() != Step::kIdle) {
    steps.push_back(static_cast<int>(machine->CurrentStep()));
  }
  machine->OnContinuation(posted.continuation, posted.token);
  return true;
}

void JobRig::RunUntil(std::int64_t untilMs) {
  if (nextTickMs <= clock.ms) nextTickMs = NextTickAfter(clock.ms);
  for (;;) {
    if (!HandleOne()) {
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
        machine->OnMainTimer();
        nextTickMs = NextTickAfter(clock.ms);
      }
    }
    if (observer) observer();
  }
}

bool JobRig::RunUntilIdle(std::int64_t maxMs) {
  const std::int64_t limit = clock.ms + maxMs;
  for (;;) {
    while (HandleOne()) {
      if (observer) observer();
    }
    if (machine->CurrentStep() == Step::kIdle && !host.pollDue && !host.retryDue) return true;
    if (clock.ms >= limit) return false;
    RunUntil(std::min(limit, clock.ms + 500));
  }
}

CAccountJob MakeRecord(const std::string& directory, const std::string& title) {
  CAccountJob record;
  record.directory = directory;
  record.title = title;
  return record;
}
