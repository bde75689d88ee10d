// The job step machine. A job is a chain of steps, each a short piece of work
// that names the next step and posts it to itself through its host; waiting
// for the client is done by a short poll timer, waiting before a retry by the
// retry timer, so the program stays responsive throughout.
//
//   2 send reservation -> 1 forwarding -> 3 start of run -> 4 select account
//   -> 6 dial and fetch -> 7 wait for the fetch -> 10 after-fetch program
//   -> 4 (next account) ... -> 8 end of run -> 11 completion -> idle (0)
//   A failed attempt goes to 9, the retry decision.
//
// The machine reads no stored settings: its host hands them in (SetSettings).
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "bridge/mail_client.h"
#include "dial_up/dialer.h"
#include "jobs/job_ports.h"
#include "jobs/next_run.h"
#include "jobs/timed_moves.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"
#include "settings/job_settings.h"

class CFinCheckThread;

// The steps, numbered as in the picture above.
enum class Step {
  kIdle = 0,
  kForwarding = 1,
  kSendReservation = 2,
  kStartOfRun = 3,
  kSelectAccount = 4,
  kDialAndFetch = 6,
  kWaitForFetch = 7,
  kEndOfRun = 8,
  kRetryDecision = 9,
  kAfterFetch = 10,
  kCompletion = 11,
};

class CJobSequencer {
 public:
  // The machine's surroundings besides its host.
  struct Ports {
    IMailClient& client;
    IDialer& dialer;
    ILauncher& launcher;
    IClock& clock;
  };

  // Bounds of the waits for the client.
  static constexpr std::int64_t kAccountSwitchBoundMs = 30 * 1000;
  static constexpr std::int64_t kFetchBoundMs = 30 * 60 * 1000;
  static constexpr int kPollIntervalMs = 100;
  // A missed run is made up only when its minute began at most this long ago.
  static constexpr std::time_t kCatchUpBoundSeconds = 12 * 60 * 60;

  CJobSequencer(const Ports& ports, IJobHost& host, CSchedule& schedule, CAccountJobList& jobs);
  ~CJobSequencer();
  CJobSequencer(const CJobSequencer&) = delete;
  CJobSequencer& operator=(const CJobSequencer&) = delete;

  // The stored settings the steps read, handed in at start and whenever
  // they were stored anew.
  void SetSettings(const JobSettings& settings) { settings_ = settings; }
  const JobSettings& Settings() const { return settings_; }

  // Start-up: the next run from the current time, then the actions
  // "AutoStart" and "AutoCheck", posted for after the window's initialisation.
  // Arming at start also makes up the latest run missed since the last one
  // (LastRun) within the bound, unless the start-up fetch runs anyway.
  void ComputeNextRunFromNow();
  void PostStartupActions();

  // The 500 ms main timer. True when the tick is the first of a new minute or
  // falls in a minute's second 0, so the clock is refreshed.
  bool OnMainTimer();
  void OnTimerStart();
  void OnTimerStop();
  // The system resumed from sleep or its clock was set: a next run whose
  // minute went by meanwhile gives way to the next one from now.
  void OnClockChanged();
  // The system resumed from sleep: as OnClockChanged, and the latest run it
  // slept through, when armed, is made up once at once, within the bound.
  void OnResume();
  // The schedule was replaced (the settings taken over): the next run from
  // now, disarmed when there is none, armed again when it was armed. A run
  // due in a minute chain already under way stays.
  void OnScheduleChanged();
  void OnAbort();
  void OnFetch();
  void OnRetryTimer();
  void OnPollTimer();
  // A continuation the machine posted to itself, with its token.
  void OnContinuation(Continuation continuation, std::uint32_t token);
  // The program ends: a job in hand stops where it stands, and the client's
  // window goes back to where the job found it.
  void Shutdown();

  // Where a run stands: the account in hand, its place among the run's
  // accounts, and when its retry comes while one is awaited.
  struct RunProgress {
    std::string account;
    std::size_t number = 0;  // from 1
    std::size_t count = 0;
    std::time_t retryAt = 0;  // 0: no retry awaited
  };
  // Empty while no account is in hand.
  std::optional<RunProgress> Progress() const;

  bool Armed() const { return armed_; }
  Step CurrentStep() const { return step_; }
  int RetriesLeft() const { return retriesLeft_; }
  int NextRunWeekday() const { return nextRun_.Weekday(); }
  const CScheduleEntry& NextRun() const { return nextRun_.Entry(); }
  std::time_t TickTime() const { return tickTime_; }

  // The toolbar's enabling rules.
  bool CanStartTimer() const { return nextRun_.Exists(); }
  bool CanAbort() const;
  bool CanFetch() const;

 private:
  struct StepHandler {
    Step step;
    void (CJobSequencer::*run)();
  };
  static const StepHandler kSteps[];

  // Names the next step and posts it, replacing any continuation still pending.
  void Continue(Step step);
  void ContinueWith(Continuation continuation, Step step);
  void ContinueAfter(Step step, int milliseconds);
  void Stop();
  void RunStep();

  void StepForwarding();
  void StepSendReservation();
  void StepStartOfRun();
  void StepSelectAccount();
  void StepDialAndFetch();
  void StepWaitForFetch();
  void StepEndOfRun();
  void StepRetryDecision();
  void StepAfterFetch();
  void StepCompletion();

  // Starts the client on the data root unless it already runs on it; false
  // when no client answers for that data root afterwards (one on another data
  // root that would not close, or one that does not answer at all).
  bool EnsureClient();
  // The minute's moves as the timed moves take them.
  TimedMoves Moves();
  // Pulls the run forward to this minute, with the accounts whose mails moved.
  void RunNowFor(const std::vector<std::string>& titles);
  // The latest entry whose minute began after the last scheduled run and
  // within the bound, made up now.
  void CatchUpAtStart();
  // Runs now for accounts, as the run missed.
  void CatchUp(const std::vector<std::string>& accounts);
  void SkipAccountsWithoutRecord();
  // Tells the host of a failed attempt at the current account, then decides on a retry.
  void FailAttempt(RunEventKind reason, const std::string& detail = std::string());
  // Tells the host, about the current account when event names none. A mail
  // that could not be moved is told once, until it moves.
  void Report(RunEvent event);
  bool ManyRecords() const { return jobs_.Count() > 1; }
  void RecomputeIfPassed(std::time_t minute);
  // Steps 2, 1 and 3 before step 3 has looked at the next run, with the next
  // run in their minute: a re-arm must not move it away.
  bool RunOfChainDue() const;

  IMailClient& client_;
  IDialer& dialer_;
  ILauncher& launcher_;
  IClock& clock_;
  IJobHost& host_;
  CSchedule& schedule_;
  CAccountJobList& jobs_;
  JobSettings settings_;

  Step step_ = Step::kIdle;
  std::uint32_t token_ = 0;
  bool armed_ = false;
  std::time_t tickTime_ = 0;
  std::time_t lastTickMinute_ = -1;
  std::time_t lastChainMinute_ = -1;
  CNextRun nextRun_;
  int retriesLeft_ = -1;
  MoveChain chain_;
  // The latest run whose minute went by unseen, until a wake makes it up or a run starts.
  struct MissedRun {
    std::time_t at;
    std::vector<std::string> accounts;
  };
  std::optional<MissedRun> missed_;
  // How the run to come was asked for, told when it starts.
  RunEventKind runKind_ = RunEventKind::kScheduledRun;
  // Mails told as not moved (ASCII case folded), so a mail refused minute after
  // minute is told only once.
  std::set<std::string> toldUnmoved_;

  // The job in hand. It keeps copies of its accounts and of the record it
  // works on, so settings taken over meanwhile never pull data from under it.
  std::vector<std::string> jobAccounts_;
  std::size_t accountIndex_ = 0;
  std::optional<CAccountJob> currentRecord_;
  bool fetchError_ = false;
  std::string dialledEntry_;
  std::int64_t waitStartMs_ = 0;
  bool waitingForAccount_ = false;
  // When the awaited retry comes; read only while step 9 waits for it.
  std::time_t retryAt_ = 0;

  std::unique_ptr<CFinCheckThread> finCheck_;
};
