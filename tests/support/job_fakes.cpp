#include "support/job_fakes.h"

#include <chrono>

#include "history/run_history.h"

LocalTime FakeClock::Local(std::time_t when) {
  const std::int64_t s = static_cast<std::int64_t>(when);
  // 1 January 1970 was a Thursday.
  return {static_cast<int>(s % 86400 / 3600), static_cast<int>(s % 3600 / 60), static_cast<int>(s % 60),
          static_cast<int>((s / 86400 + 4) % 7)};
}

std::time_t WeekTime(int weekday, int hour, int minute, int second) {
  return static_cast<std::time_t>(((3 + weekday) * 24 + hour) * 3600 + minute * 60 + second);
}

bool WaitUntil(const std::function<bool()>& done, int boundMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(boundMs);
  while (!done() && std::chrono::steady_clock::now() < end) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  return done();
}

// Lives as long as the thread that made it, so a watching thread counts out when it ends.
struct WatcherLife {
  explicit WatcherLife(FakeClient& client) : client(client) { Add(1); }
  ~WatcherLife() { Add(-1); }
  void Add(int count) { std::lock_guard<std::mutex> lock(client.mutex_); client.watchers_ += count; }
  FakeClient& client;
};

void FakeClient::Record(const std::string& call) {
  std::unique_lock<std::mutex> lock(mutex_);
  journal_.push_back(call);
  lock.unlock();
  if (onCall) onCall(call);
}

bool FakeClient::IsFetchDone() {
  if (fetching_ && pollsLeft_ == 0) fetching_ = false;
  if (fetching_ && pollsLeft_ > 0) --pollsLeft_;
  return !fetching_;
}

DismissResult FakeClient::DismissDialogs() {
#ifndef _WIN32
  // mingw-w64 runs a thread's thread_local destructors after its join has
  // returned, too late to count it out there: watchers are counted natively only.
  if (std::this_thread::get_id() != owner_) thread_local WatcherLife life(*this);
#endif
  std::lock_guard<std::mutex> lock(mutex_);
  if (dialogs_.empty()) return kNoClientDialog;
  const DismissResult dialog = dialogs_.front();
  dialogs_.pop_front();
  journal_.push_back(dialog == kErrorDialog ? "Dismiss(error)" : "Dismiss(received)");
  return dialog;
}

MoveOutcome FakeClient::MoveMail(const std::string& mail, const std::string& target) {
  Record("MoveMail(" + mail + "," + target + ")");
  const auto scripted = moveOutcomes.find(mail);
  const MoveOutcome outcome = scripted != moveOutcomes.end() ? scripted->second : MoveOutcome::kMoved;
  if (outcome == MoveOutcome::kMoved && onMove) onMove(mail, target);
  return outcome;
}

std::vector<std::string> FakeClient::JournalOf(const std::string& prefix) {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> matching;
  for (const std::string& call : journal_) {
    if (call.compare(0, prefix.size(), prefix) == 0) matching.push_back(call);
  }
  return matching;
}

void JobRig::Post(Continuation continuation, std::uint32_t token) {
  posted.emplace_back(continuation, token);
  if (continuation != Continuation::kArm && continuation != Continuation::kFetch) lastToken = token;
}

void JobRig::RunUntil(std::int64_t untilMs) {
  const auto tickAfter = [this](std::int64_t ms) {
    const std::int64_t next = (ms / 500 + 1) * 500;
    return sparseTicks && next % 60000 > 500 ? (next / 60000 + 1) * 60000 : next;
  };
  if (nextTickMs <= clock.ms) nextTickMs = tickAfter(clock.ms);
  for (;;) {
    if (!posted.empty()) {
      const auto [continuation, token] = posted.front();
      posted.pop_front();
      if (continuation == Continuation::kRunStep && token == lastToken && machine->CurrentStep() != Step::kIdle) {
        steps.push_back(static_cast<int>(machine->CurrentStep()));
      }
      machine->OnContinuation(continuation, token);
    } else {
      const std::int64_t next = std::min({nextTickMs, pollDue.value_or(nextTickMs), retryDue.value_or(nextTickMs)});
      if (next > untilMs) {
        clock.ms = std::max(clock.ms, untilMs);
        return;
      }
      clock.ms = std::max(clock.ms, next);
      if (pollDue && *pollDue <= clock.ms) {
        steps.push_back(static_cast<int>(machine->CurrentStep()));
        machine->OnPollTimer();
      } else if (retryDue && *retryDue <= clock.ms) {
        machine->OnRetryTimer();
      } else {
        machine->OnMainTimer();
        nextTickMs = tickAfter(clock.ms);
      }
    }
    if (observer) observer();
  }
}

bool JobRig::RunUntilIdle(std::int64_t maxMs) {
  const std::int64_t limit = clock.ms + maxMs;
  for (;;) {
    RunUntil(clock.ms);
    if (machine->CurrentStep() == Step::kIdle && !pollDue && !retryDue) return true;
    if (clock.ms >= limit) return false;
    RunUntil(std::min(limit, clock.ms + 500));
  }
}

CAccountJob MakeRecord(const std::string& directory, const std::string& title, const std::string& dialUpEntry) {
  CAccountJob record;
  record.directory = directory, record.title = title;
  record.useDialUp = dialUpEntry.empty() ? 0 : 1, record.dialUpEntry = dialUpEntry;
  return record;
}

std::string EventLine(const RunEvent& event) {
  static const char* const kWords[] = {"run",          "manual run", "pulled forward", "caught up", "fetched",
                                       "error window", "bound",      "dial failed",    "retry in",  "given up",
                                       "program",      "program failed", "sent",       "forwarded", "refused",
                                       "silent",       "unnamable"};
  std::string line = FormatHistoryLine(ToHistoryLine(event, 0, kWords[static_cast<int>(event.kind)])).substr(20);
  for (char& c : line) {
    if (c == '\t') c = '|';
  }
  return line;
}

void JobRig::ProgressChanged() {
  const auto now = machine->Progress();
  progress.push_back(!now ? "-"
                          : now->account + " " + std::to_string(now->number) + "/" + std::to_string(now->count) +
                                (now->retryAt == 0 ? "" : " retry in " + std::to_string(now->retryAt - clock.Now())));
}
