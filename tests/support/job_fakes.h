// Stand-ins for everything around the job step machine, and a rig that drives
// it through simulated time: posted commands run in order, timers fire when
// the fake clock reaches them, and the 500 ms main timer ticks as in the program.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "bridge/mail_client.h"
#include "dial_up/dialer.h"
#include "jobs/job_ports.h"
#include "jobs/job_sequencer.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "support/polled_fetch.h"

// Time in UTC, so tests do not depend on the machine's time zone.
class FakeClock : public IClock {
 public:
  std::time_t Now() override { return static_cast<std::time_t>(ms / 1000); }
  LocalTime Local(std::time_t when) override;
  std::int64_t Milliseconds() override { return ms; }
  void Sleep(int milliseconds) override { ms += milliseconds; }

  std::int64_t ms = 0;
};

// Seconds since 1970 of weekday (0 Sunday) hh:mm:ss in the week of 4 Jan 1970.
std::time_t WeekTime(int weekday, int hour, int minute, int second = 0);

class FakeClient : public IMailClient {
 public:
  bool UsesMailbox(const std::string& dataRoot) override;
  bool Launch(const std::string& program, const std::string& dataRoot) override;
  DismissResult DismissDialogs() override;
  std::string CurrentAccount() override;
  void SwitchAccount(const std::string& title) override;
  void SelectFirstAccount(bool openMenuFirst) override;
  void StartFetch() override;
  void TidyUp() override;
  bool IsFetchDone() override;
  void MarkMail(const std::string& mailPath, std::int32_t mark, int on) override;
  MoveOutcome MoveMail(const std::string& mailPath, const std::string& targetFolder) override;
  bool IsRunning() override;
  bool KeepOutOfSight() override;
  void PutBack() override;

  // Every call that acts on the client, in order ("StartFetch", "MoveMail(a,b)", ...).
  std::vector<std::string> Journal();
  std::vector<std::string> JournalOf(const std::string& prefix);
  void ClearJournal();

  // Script. Changing it while a finish-check thread runs is safe.
  void SetRunningOn(const std::string& dataRoot);
  // The client ends; a launch starts it again.
  void Quit();
  // What the client makes of a move of this mail (default: it moves it).
  void SetMoveOutcome(const std::string& mailPath, MoveOutcome outcome);
  // Runs after every move the client carries out, for a test to show it on disk.
  std::function<void(const std::string& mailPath, const std::string& targetFolder)> onMove;
  void SetShownAccount(const std::string& title);
  void SetSwitchWorks(bool works);
  // Polls of IsFetchDone that still see the fetch running; -1: it never ends.
  void SetFetchPolls(int polls);
  // Dialogs the client shows, handed out one per DismissDialogs call.
  void QueueDialog(DismissResult dialog);
  void SetWindow(bool exists, bool visible, bool minimized);

 private:
  void Record(const std::string& call);

  std::mutex mutex_;
  std::vector<std::string> journal_;
  std::string runningOn_;
  bool running_ = false;
  std::map<std::string, MoveOutcome> moveOutcomes_;
  std::string shown_;
  bool switchWorks_ = true;
  int fetchPolls_ = 0;
  PolledFetch fetch_;
  std::deque<DismissResult> dialogs_;
  bool window_ = true;
  bool visible_ = true;
  bool minimized_ = false;
  std::string putBack_;
};

class FakeDialer : public IDialer {
 public:
  bool HasConnection() const override { return connected_; }
  long Connect(const std::string& entry) override;
  void HangUp(int pollSleepMs) override;

  std::vector<std::string> journal;  // "Connect(X)", "HangUp"
  std::map<std::string, long> failures;  // entry -> error code of its dial

 private:
  bool connected_ = false;
};

class FakeLauncher : public ILauncher {
 public:
  bool Start(const std::string& commandLine) override {
    started.push_back(commandLine);
    return true;
  }
  std::vector<std::string> started;
};

class FakeHost : public IJobHost {
 public:
  struct Posted {
    Continuation continuation;
    std::uint32_t token;
  };
  void Post(Continuation continuation, std::uint32_t token) override {
    posted.push_back({continuation, token});
    if (continuation != Continuation::kArm && continuation != Continuation::kFetch) {
      lastToken = token;
    }
  }
  void SetPollTimer(int milliseconds) override { pollDue = clock->ms + milliseconds; }
  void KillPollTimer() override { pollDue.reset(); }
  void SetRetryTimer(int milliseconds) override {
    retryDue = clock->ms + milliseconds;
    retryTimersSet.push_back(milliseconds);
  }
  void KillRetryTimer() override { retryDue.reset(); }
  void NextRunChanged() override { ++nextRunChanges; }
  void ArmedChanged(bool armed) override { armedChanges.push_back(armed); }

  FakeClock* clock = nullptr;
  std::deque<Posted> posted;
  std::uint32_t lastToken = 0;
  std::optional<std::int64_t> pollDue;
  std::optional<std::int64_t> retryDue;
  std::vector<int> retryTimersSet;
  int nextRunChanges = 0;
  std::vector<bool> armedChanges;
};

// The machine with all its fakes, and a loop that plays the host window's part.
struct JobRig {
  // The machine talks to client when one is given, else to the FakeClient below.
  explicit JobRig(IMailClient* client = nullptr);

  // Handles posted commands and due timers, ticking the main timer every
  // 500 ms, until the clock reaches untilMs. Observer runs after each event.
  void RunUntil(std::int64_t untilMs);
  // Runs until the machine is idle with nothing pending, or maxMs of simulated time.
  bool RunUntilIdle(std::int64_t maxMs = 10 * 60 * 1000);
  // The steps run, in order, as recorded since the last ClearSteps.
  std::vector<int> steps;
  void ClearSteps() { steps.clear(); }
  void Tick();

  FakeClock clock;
  FakeClient client;
  FakeDialer dialer;
  FakeLauncher launcher;
  FakeHost host;
  CSchedule schedule;
  CAccountJobList jobs;
  std::unique_ptr<CJobSequencer> machine;
  std::function<void()> observer;
  std::int64_t nextTickMs = 0;
  // Only the two ticks of each minute's second 0 (and none between), for long
  // runs: the machine acts on no other tick.
  bool sparseTicks = false;

 private:
  bool HandleOne();
  std::int64_t NextTickAfter(std::int64_t ms) const;
};

CAccountJob MakeRecord(const std::string& directory, const std::string& title);
