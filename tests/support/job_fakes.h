// Stand-ins for everything around the job step machine, and a rig that plays
// its host window in simulated time: posted continuations run in order, timers
// fire when the fake clock reaches them, the main timer ticks every 500 ms.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "jobs/job_sequencer.h"

// Time in UTC, so tests do not depend on the machine's time zone.
struct FakeClock : IClock {
  std::time_t Now() override { return static_cast<std::time_t>(ms / 1000); }
  LocalTime Local(std::time_t when) override;
  std::int64_t Milliseconds() override { return ms; }
  void Sleep(int milliseconds) override { ms += milliseconds; }
  std::int64_t ms = 0;
};

using Texts = std::vector<std::string>;
enum { kSun, kMon, kTue, kWed, kThu, kFri, kSat };
// Weekday hh:mm:ss in the week of Sunday 4 January 1970.
std::time_t WeekTime(int weekday, int hour, int minute, int second = 0);
inline std::int64_t WeekMs(int weekday, int hour, int minute, int second = 0) {
  return static_cast<std::int64_t>(WeekTime(weekday, hour, minute, second)) * 1000;
}
// Polls until done() holds or boundMs of real time went by; done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, int boundMs);

// A client that journals the calls that act on it ("StartFetch", "MoveMail(a,b)",
// ...). Only DismissDialogs may come from another thread.
class FakeClient : public IMailClient {
 public:
  bool UsesMailbox(const std::string& dataRoot) override { return running_ && dataRoot == runningOn_; }
  bool Launch(const std::string& program, const std::string& dataRoot) override {
    Record("Launch(" + program + "," + dataRoot + ")");
    if (launchWorks) SetRunningOn(dataRoot);
    return launchWorks;
  }
  bool IsRunning() override { return running_; }
  DismissResult DismissDialogs() override;
  std::string CurrentAccount() override { return shown; }
  void SwitchAccount(const std::string& title) override {
    Record("Switch(" + title + ")");
    if (switchWorks && !shown.empty()) shown = title;
  }
  void SelectFirstAccount(bool openMenuFirst) override { Record(openMenuFirst ? "SelectFirst(menu)" : "SelectFirst"); }
  void StartFetch() override { Record("StartFetch"), pollsLeft_ = fetchPolls, fetching_ = true; }
  void TidyUp() override { Record("TidyUp"); }
  bool IsFetchDone() override;
  void MarkMail(const std::string& mail, std::int32_t mark, int on) override {
    Record("MarkMail(" + mail + "," + std::to_string(mark) + "," + std::to_string(on) + ")");
  }
  MoveOutcome MoveMail(const std::string& mail, const std::string& target) override;
  // Only a window out of plain view is touched, and then put back.
  bool KeepOutOfSight() override {
    if (window == "closed") return false;
    if (!window.empty()) Record("OutOfSight(" + window + ")");
    return putBack_ = window, true;
  }
  void PutBack() override {
    if (!putBack_.empty()) Record("PutBack(" + putBack_ + ")"), putBack_.clear();
  }

  std::vector<std::string> JournalOf(const std::string& prefix = "");
  void ClearJournal() { std::lock_guard<std::mutex> lock(mutex_); journal_.clear(); }
  // Dialogs the client shows, handed out one per DismissDialogs call.
  void QueueDialog(DismissResult dialog) { std::lock_guard<std::mutex> lock(mutex_); dialogs_.push_back(dialog); }
  // Threads other than the test's that asked for dialogs and have not ended yet
  // (natively; always 0 on Windows).
  int Watchers() { std::lock_guard<std::mutex> lock(mutex_); return watchers_; }
  void SetRunningOn(const std::string& dataRoot) { running_ = true, runningOn_ = dataRoot; }
  void Quit() { running_ = false, runningOn_.clear(), fetching_ = false; }

  int fetchPolls = 0;  // polls of IsFetchDone that still see a fetch running; -1: it never ends
  std::string shown;   // the account its caption shows
  bool switchWorks = true;
  bool launchWorks = true;
  std::string window;  // "hidden", "minimized" or "closed"; empty: in plain view
  std::map<std::string, MoveOutcome> moveOutcomes;  // by mail path; moved when not listed
  // Runs after every move carried out, for a test to show it on disk.
  std::function<void(const std::string& mail, const std::string& target)> onMove;
  // Runs on the caller's thread as each call is journaled, before the client
  // answers it, for a test to script the answer.
  std::function<void(const std::string& call)> onCall;

 private:
  friend struct WatcherLife;
  void Record(const std::string& call);

  std::mutex mutex_;
  std::vector<std::string> journal_;
  std::deque<DismissResult> dialogs_;
  int watchers_ = 0;
  const std::thread::id owner_ = std::this_thread::get_id();
  bool running_ = false, fetching_ = false;
  int pollsLeft_ = 0;
  std::string runningOn_, putBack_;
};

// A line that journals "Connect(X)" and "HangUp"; a dial of an entry in failures fails with its code.
struct FakeDialer : IDialer {
  bool HasConnection() const override { return connected; }
  long Connect(const std::string& entry) override {
    journal.push_back("Connect(" + entry + ")"), connected = failures.count(entry) == 0;
    return connected ? 0 : failures[entry];
  }
  void HangUp(int) override { journal.push_back("HangUp"), connected = false; }
  std::vector<std::string> journal;
  std::map<std::string, long> failures;
  bool connected = false;
};

struct FakeLauncher : ILauncher {
  bool Start(const std::string& commandLine) override { return started.push_back(commandLine), true; }
  std::vector<std::string> started;
};

// A run history line without its time, "|" between the fields, the event's
// kind told in a word: "!|仕事|error window".
std::string EventLine(const RunEvent& event);

// The machine with its fakes, and the host window's part.
struct JobRig : IJobHost {
  JobRig()
      : machine(std::make_unique<CJobSequencer>(CJobSequencer::Ports{client, dialer, launcher, clock}, *this, schedule, jobs)) {}
  // Handles posted continuations and due timers, ticking the main timer, until
  // the clock reaches untilMs; observer runs after each event.
  void RunUntil(std::int64_t untilMs);
  // Runs until the machine is idle with nothing pending, or maxMs went by.
  bool RunUntilIdle(std::int64_t maxMs = 10 * 60 * 1000);

  void Post(Continuation continuation, std::uint32_t token) override;
  void SetPollTimer(int milliseconds) override { pollDue = clock.ms + milliseconds; }
  void KillPollTimer() override { pollDue.reset(); }
  void SetRetryTimer(int ms) override { retryDue = clock.ms + ms, told.push_back("Retry(" + std::to_string(ms) + ")"); }
  void KillRetryTimer() override { retryDue.reset(); }
  void NextRunChanged() override { told.push_back("NextRun"); }
  void ArmedChanged(bool armed) override { told.push_back(armed ? "Armed" : "Disarmed"); }
  void Report(const RunEvent& event) override { reported.push_back(EventLine(event)); }
  // "A 1/2", "A 1/2 retry in 60", or "-" with no account in hand.
  void ProgressChanged() override;

  FakeClock clock;
  FakeClient client;
  FakeDialer dialer;
  FakeLauncher launcher;
  CSchedule schedule;
  CAccountJobList jobs;
  std::unique_ptr<CJobSequencer> machine;
  std::function<void()> observer;
  std::vector<int> steps;  // the steps run, in order
  std::deque<std::pair<Continuation, std::uint32_t>> posted;
  std::uint32_t lastToken = 0;  // of the latest step posted: the one the machine acts on
  std::optional<std::int64_t> pollDue, retryDue;
  std::vector<std::string> told;  // what the window was told, and the retry waits
  std::vector<std::string> reported;  // the run history's lines, as EventLine gives them
  std::vector<std::string> progress;  // each progress told, as ProgressChanged puts it
  std::int64_t nextTickMs = 0;
  // Only the two ticks of each minute's second 0, for long runs: the machine starts nothing on the others.
  bool sparseTicks = false;
};

// A record that dials through dialUpEntry unless it is empty.
CAccountJob MakeRecord(const std::string& directory, const std::string& title, const std::string& dialUpEntry = "");
