// The job step machine. A job is a chain of numbered steps, each a short piece
// of work that names the next step and posts it to the host window; waiting
// for the client is done by a short poll timer, waiting before a retry by the
// retry timer, so the window stays responsive throughout.
//
//   2 send reservation -> 1 forwarding -> 3 start of run -> 4 select account
//   -> 6 dial and fetch -> 7 wait for the fetch -> 10 after-fetch program
//   -> 4 (next account) ... -> 8 end of run -> 11 completion -> idle (0)
//   A failed attempt goes to 9, the retry decision.
#pragma once

#include <cstdint>
#include <ctime>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "dial_up/dialer.h"
#include "bridge/mail_client.h"
#include "jobs/job_ports.h"
#include "schedule/schedule.h"
#include "settings/account_job.h"

class CFinCheckThread;

class CJobSequencer {
 public:
  struct Ports {
    IMailClient& client;
    IDialer& dialer;
    ILauncher& launcher;
    IClock& clock;
    IJobHost& host;
  };

  // Bounds of the waits for the client.
  static constexpr std::int64_t kAccountSwitchBoundMs = 30 * 1000;
  static constexpr std::int64_t kFetchBoundMs = 30 * 60 * 1000;
  static constexpr int kPollIntervalMs = 100;

  CJobSequencer(const Ports& ports, CSchedule& schedule, CAccountJobList& jobs);
  ~CJobSequencer();
  CJobSequencer(const CJobSequencer&) = delete;
  CJobSequencer& operator=(const CJobSequencer&) = delete;

  // Start-up: the next run from the current time, then the actions "AutoStart"
  // and "AutoCheck", posted for after the window's initialisation.
  void ComputeNextRunFromNow();
  void PostStartupActions();

  // The 500 ms main timer. True when the tick is the first of a new minute or
  // falls in a minute's second 0, so the host refreshes the clock.
  bool OnMainTimer();
  void OnTimerStart();
  void OnTimerStop();
  // The system resumed from sleep or its clock was set: a next run whose
  // minute went by meanwhile gives way to the next one from now.
  void OnClockChanged();
  // The schedule was replaced (the settings taken over): the next run from
  // now, disarmed when there is none, armed again when it was armed. A run
  // due in a minute chain already under way stays.
  void OnScheduleChanged();
  void OnAbort();
  void OnFetch();
  void OnRetryTimer();
  void OnPollTimer();
  // ID_WORK_START, ID_RESERVE_FIN and ID_REMAIN_FIN as posted by the machine.
  void OnCommand(int command, std::uint32_t token);
  // The program ends: a job in hand stops where it stands, and the client's
  // window goes back to where the job found it.
  void Shutdown();

  bool Armed() const { return armed_; }
  int Step() const { return step_; }
  int RetriesLeft() const { return retriesLeft_; }
  int NextRunWeekday() const { return nextRunWeekday_; }
  const CScheduleEntry& NextRun() const { return nextRun_; }
  std::time_t TickTime() const { return tickTime_; }

  // The toolbar's enabling rules.
  bool CanStartTimer() const { return nextRunWeekday_ >= 0; }
  bool CanAbort() const;
  static bool CanFetch();

 private:
  // Names the next step and posts it, replacing any continuation still pending.
  void Continue(int step);
  void ContinueWith(int command, int step);
  void ContinueAfter(int step, int milliseconds);
  void Stop();
  void RunStep();

  void StepForwarding();        // 1
  void StepSendReservation();   // 2
  void StepStartOfRun();        // 3
  void StepSelectAccount();     // 4
  void StepDialAndFetch();      // 6
  void StepWaitForFetch();      // 7
  void StepEndOfRun();          // 8
  void StepRetryDecision();     // 9
  void StepAfterFetch();        // 10
  void StepCompletion();        // 11

  // Starts the client on the data root unless it already runs on it; false
  // when no client answers for that data root afterwards (one on another data
  // root that would not close, or one that does not answer at all).
  bool EnsureClient(const std::string& mailBoxPath);
  // Marks and moves the named mails of a folder into the target folder; the
  // number the client moved.
  int MarkAndMove(const std::string& accountDir, const std::string& folder,
                  const std::vector<std::string>& fileNames, std::int32_t statusBits, int mark,
                  const std::string& targetAccountDir, const std::string& targetFolder);
  void SkipAccountsWithoutRecord();
  void FailAttempt();
  void RestoreClientWindow();
  bool ManyRecords() const { return jobs_.Count() > 1; }
  LocalTime TickLocal() const;
  void RecomputeIfPassed(std::time_t minute);
  // The start of the next run's minute, the first one after from.
  std::time_t NextRunInstant(std::time_t from) const;
  bool RunOfChainDue() const;
  // The next run becomes the tick's minute (a fetch, a pulled-forward run).
  void SetNextRunToTick();

  IMailClient& client_;
  IDialer& dialer_;
  ILauncher& launcher_;
  IClock& clock_;
  IJobHost& host_;
  CSchedule& schedule_;
  CAccountJobList& jobs_;

  int step_ = 0;
  std::uint32_t token_ = 0;
  bool armed_ = false;
  std::time_t tickTime_ = 0;
  std::time_t lastTickMinute_ = -1;
  std::time_t lastChainMinute_ = -1;
  CScheduleEntry nextRun_;
  int nextRunWeekday_ = -1;
  std::time_t nextRunAt_ = 0;
  int retriesLeft_ = -1;

  // The minute's chain: mail paths (ASCII case folded) already named in a
  // move or just moved into, and whether the client stopped answering.
  std::set<std::string> namedInChain_;
  bool clientSilent_ = false;

  // The job in hand. It keeps copies of its accounts and of the record it
  // works on, so settings taken over meanwhile never pull data from under it.
  std::vector<std::string> jobAccounts_;
  std::size_t accountIndex_ = 0;
  std::optional<CAccountJob> currentRecord_;
  bool fetchError_ = false;
  bool clientWasMinimized_ = false;
  bool clientWasHidden_ = false;
  ClientPlacement savedPlacement_;
  std::string dialledEntry_;
  std::int64_t waitStartMs_ = 0;
  bool waitingForAccount_ = false;

  std::unique_ptr<CFinCheckThread> finCheck_;
};
