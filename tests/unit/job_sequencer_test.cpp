// The job step machine with fakes for the client, the line, the launcher, the
// clock and the host window.
#include "jobs/job_sequencer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>

#include "jobs/fin_check_thread.h"
#include "support/job_fakes.h"

namespace {

enum { kSun, kMon, kTue, kWed, kThu, kFri, kSat };

std::vector<int> Collapsed(const std::vector<int>& steps) {
  std::vector<int> collapsed;
  for (int step : steps) {
    if (collapsed.empty() || collapsed.back() != step) collapsed.push_back(step);
  }
  return collapsed;
}

class JobSequencerTest : public ::testing::Test {
 protected:
  JobSequencerTest() {
    settings_.dataRoot = "D:\\Mail";
    settings_.clientProgram = "C:\\Corvid\\corvid.exe";
    rig_.machine->SetSettings(settings_);
    rig_.client.SetRunningOn("D:\\Mail");
  }

  // Accounts A and B with records; the client shows A.
  void TwoAccounts() {
    CAccountJob a = MakeRecord("Account1", "A");
    CAccountJob b = MakeRecord("Account2", "B");
    rig_.jobs.Append(a);
    rig_.jobs.Append(b);
    rig_.client.SetShownAccount("A");
  }

  // Arms the schedule with one entry at Monday 07:30 and runs up to it.
  void ScheduleAt730(const std::vector<std::string>& accounts) {
    rig_.schedule.Day(kMon).AddEntry(7, 30, accounts, 0);
    rig_.clock.ms = static_cast<std::int64_t>(WeekTime(kMon, 7, 29, 58)) * 1000;
    rig_.machine->OnTimerStart();
    ASSERT_EQ(rig_.machine->NextRunWeekday(), kMon);
  }

  // The client raises its error window while the first fetch runs.
  void ErrorOnFirstFetch() {
    rig_.observer = [this, shown = false]() mutable {
      if (!shown && rig_.client.JournalOf("StartFetch").size() == 1) {
        rig_.client.QueueDialog(kErrorDialog);
        shown = true;
      }
    };
  }

  void RunTo(int weekday, int hour, int minute, int second) {
    rig_.RunUntil(static_cast<std::int64_t>(WeekTime(weekday, hour, minute, second)) * 1000);
  }

  // The accounts of the fetch command.
  void FetchAccounts(const std::vector<std::string>& titles) {
    settings_.fetchAccounts = titles;
    rig_.machine->SetSettings(settings_);
  }

  JobSettings settings_;
  JobRig rig_;
};

TEST_F(JobSequencerTest, AScheduledRunOfTwoAccountsWalksTheWholeTable) {
  TwoAccounts();
  rig_.jobs.At(0).command.PreTidyUp = 1;
  rig_.jobs.At(0).command.PostTidyUp = 1;
  rig_.jobs.At(1).command.ExecCommand = 1;
  rig_.jobs.At(1).command.CommandName = "C:\\Tools\\after.exe";
  rig_.client.SetFetchPolls(3);
  ScheduleAt730({"A", "B"});

  RunTo(kMon, 7, 30, 20);
  EXPECT_EQ(Collapsed(rig_.steps), (std::vector<int>{2, 1, 3, 4, 6, 7, 10, 4, 6, 7, 10, 8, 11}));
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
  EXPECT_EQ(rig_.client.Journal(),
            (std::vector<std::string>{"Switch(A)", "TidyUp", "StartFetch", "TidyUp", "Switch(B)",
                                      "StartFetch"}));
  EXPECT_EQ(rig_.launcher.started, std::vector<std::string>{"\"C:\\Tools\\after.exe\""});
  // Completion looks for the next run from now on: next week's 07:30.
  EXPECT_EQ(rig_.machine->NextRunWeekday(), kMon);
  EXPECT_EQ(rig_.machine->NextRun().accounts, (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(rig_.machine->RetriesLeft(), -1);
}

TEST_F(JobSequencerTest, AMinuteWithNothingDueLeavesTheClientAlone) {
  TwoAccounts();
  rig_.schedule.Day(kMon).AddEntry(8, 0, {"A"}, 0);
  rig_.clock.ms = static_cast<std::int64_t>(WeekTime(kMon, 7, 29, 58)) * 1000;
  rig_.machine->OnTimerStart();
  RunTo(kMon, 7, 30, 5);
  EXPECT_EQ(rig_.steps, (std::vector<int>{2, 1, 3}));
  EXPECT_TRUE(rig_.client.Journal().empty());
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
}

TEST_F(JobSequencerTest, SecondZeroStartsOneChainEvenWithTwoTicks) {
  ScheduleAt730({"A"});
  rig_.clock.ms = static_cast<std::int64_t>(WeekTime(kMon, 7, 10, 0)) * 1000 + 100;
  rig_.machine->OnMainTimer();
  rig_.RunUntil(rig_.clock.ms);  // the first chain ends within its second
  ASSERT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
  rig_.clock.ms += 500;
  rig_.machine->OnMainTimer();
  rig_.RunUntil(rig_.clock.ms);
  EXPECT_EQ(rig_.steps, (std::vector<int>{2, 1, 3}));
}

TEST_F(JobSequencerTest, MissedMinutesNeverStopTheSchedule) {
  const struct {
    const char* what;
    std::time_t at;        // when the clock jumps
    std::int64_t seconds;  // by how much
    int nextHour;          // of the next run, as soon as the window hears of it
                           // (resume, time change); -1: it hears nothing
    std::vector<std::string> runs;
  } cases[] = {
      {"asleep through 07:30", WeekTime(kMon, 7, 29, 59), 30 * 60 + 1, -1, {"1 12:00", "2 09:00"}},
      {"an hour forward", WeekTime(kMon, 7, 10, 0), 3600, 12, {"1 12:00", "2 09:00"}},
      // Nothing that ran runs again.
      {"an hour back, after the run", WeekTime(kMon, 7, 40, 0), -3600, 12,
       {"1 07:30", "1 12:00", "2 09:00"}},
      {"an hour back, before the run", WeekTime(kMon, 7, 10, 0), -3600, 7,
       {"1 07:30", "1 12:00", "2 09:00"}},
  };
  for (const auto& c : cases) {
    JobRig rig;
    rig.sparseTicks = true;
    rig.machine->SetSettings(settings_);
    rig.client.SetRunningOn("D:\\Mail");
    rig.jobs.Append(MakeRecord("Account1", "A"));
    rig.schedule.Day(kMon).AddEntry(7, 30, {"A"}, 0);
    rig.schedule.Day(kMon).AddEntry(12, 0, {"A"}, 0);
    rig.schedule.Day(kTue).AddEntry(9, 0, {"A"}, 0);
    rig.clock.ms = static_cast<std::int64_t>(WeekTime(kMon, 7, 0, 0)) * 1000;
    rig.machine->OnTimerStart();
    std::vector<std::string> runs;
    rig.observer = [&] {
      if (rig.client.JournalOf("StartFetch").size() > runs.size()) {
        const LocalTime at = rig.clock.Local(rig.clock.Now());
        char label[16];
        std::snprintf(label, sizeof label, "%d %02d:%02d", at.weekday, at.hour, at.minute);
        runs.push_back(label);
      }
    };
    rig.RunUntil(static_cast<std::int64_t>(c.at) * 1000);
    rig.clock.ms += c.seconds * 1000;
    rig.nextTickMs = 0;
    if (c.nextHour >= 0) {
      rig.machine->OnClockChanged();
      EXPECT_EQ(rig.machine->NextRun().hour, c.nextHour) << c.what;
    }
    rig.RunUntil(static_cast<std::int64_t>(WeekTime(kTue, 9, 1, 0)) * 1000);
    EXPECT_EQ(runs, c.runs) << c.what;
  }
}

TEST_F(JobSequencerTest, ARearmInsideTheMinutesChainKeepsItsRun) {
  // The settings' OK, or the timer command, handled between steps 2 and 3.
  for (const bool bySettings : {false, true}) {
    JobRig rig;
    rig.machine->SetSettings(settings_);
    rig.client.SetRunningOn("D:\\Mail");
    rig.jobs.Append(MakeRecord("Account1", "A"));
    rig.schedule.Day(kMon).AddEntry(7, 30, {"A"}, 0);
    rig.schedule.Day(kMon).AddEntry(12, 0, {"A"}, 0);
    rig.clock.ms = static_cast<std::int64_t>(WeekTime(kMon, 7, 29, 58)) * 1000;
    rig.machine->OnTimerStart();
    bool rearmed = false;
    rig.observer = [&] {
      if (!rearmed && !rig.steps.empty() && rig.steps.back() == 2) {
        rearmed = true;
        if (bySettings) {
          rig.machine->OnScheduleChanged();
        } else {
          rig.machine->OnTimerStart();
        }
      }
    };
    rig.RunUntil(static_cast<std::int64_t>(WeekTime(kMon, 7, 30, 30)) * 1000);
    ASSERT_TRUE(rearmed);
    EXPECT_EQ(rig.client.JournalOf("StartFetch").size(), 1u) << bySettings;
  }
}

TEST_F(JobSequencerTest, DisarmedTheClockTicksButNothingRuns) {
  TwoAccounts();
  rig_.schedule.Day(kMon).AddEntry(7, 30, {"A"}, 0);
  rig_.clock.ms = static_cast<std::int64_t>(WeekTime(kMon, 7, 29, 0)) * 1000;
  rig_.machine->ComputeNextRunFromNow();
  RunTo(kMon, 7, 31, 0);
  EXPECT_TRUE(rig_.steps.empty());
  EXPECT_TRUE(rig_.client.Journal().empty());
}

TEST_F(JobSequencerTest, FetchRunsTheDefaultAccountsAtTheTicksMinute) {
  TwoAccounts();
  FetchAccounts({"B"});
  rig_.clock.ms = static_cast<std::int64_t>(WeekTime(kWed, 10, 15, 40)) * 1000;
  rig_.machine->OnMainTimer();
  rig_.machine->OnFetch();
  EXPECT_EQ(rig_.machine->NextRunWeekday(), kWed);
  EXPECT_EQ(rig_.machine->NextRun().hour, 10);
  EXPECT_EQ(rig_.machine->NextRun().minute, 15);
  ASSERT_TRUE(rig_.RunUntilIdle());
  EXPECT_EQ(Collapsed(rig_.steps), (std::vector<int>{3, 4, 6, 7, 10, 8, 11}));
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 1u);
  EXPECT_EQ(rig_.client.JournalOf("Switch").front(), "Switch(B)");
}

TEST_F(JobSequencerTest, FetchAndTheMinuteTickStartNothingWhileAJobRuns) {
  TwoAccounts();
  rig_.client.SetFetchPolls(-1);
  ScheduleAt730({"A"});
  RunTo(kMon, 7, 30, 5);
  ASSERT_EQ(rig_.machine->CurrentStep(), Step::kWaitForFetch);
  rig_.machine->OnFetch();
  RunTo(kMon, 7, 32, 5);  // two more minutes pass
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kWaitForFetch);
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 1u);
  EXPECT_EQ(std::count(rig_.steps.begin(), rig_.steps.end(), 2), 1);
}

TEST_F(JobSequencerTest, AFailingAccountIsTriedRetryCountPlusOneTimes) {
  TwoAccounts();
  rig_.schedule.RetryCount = 2;
  rig_.schedule.RetryInterval = 60;
  rig_.client.SetFetchPolls(1);
  ScheduleAt730({"A", "B"});
  int errorsQueued = 0;
  rig_.observer = [&] {
    // Every fetch of A raises the client's error window while it runs.
    const std::size_t fetches = rig_.client.JournalOf("StartFetch").size();
    if (rig_.client.CurrentAccount() == "A" && static_cast<int>(fetches) > errorsQueued) {
      rig_.client.QueueDialog(kErrorDialog);
      ++errorsQueued;
    }
  };
  RunTo(kMon, 7, 35, 0);
  EXPECT_EQ(rig_.host.retryTimersSet, (std::vector<int>{60000, 60000}));
  const std::vector<std::string> fetches = rig_.client.JournalOf("StartFetch");
  EXPECT_EQ(fetches.size(), 4u);  // A three times, then B
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
  EXPECT_EQ(rig_.machine->RetriesLeft(), -1);
}

TEST_F(JobSequencerTest, RetryCountZeroMovesOnAtTheFirstFailure) {
  TwoAccounts();
  FetchAccounts({"A", "B"});
  // The error window comes while the fetch runs, or just as it ends.
  for (const int polls : {1, 0}) {
    rig_.client.ClearJournal();
    rig_.ClearSteps();
    rig_.client.SetFetchPolls(polls);
    ErrorOnFirstFetch();
    rig_.machine->OnFetch();
    ASSERT_TRUE(rig_.RunUntilIdle()) << polls;
    EXPECT_TRUE(rig_.host.retryTimersSet.empty());
    EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 2u) << polls;
    // Giving up on A still runs step 10 before B.
    EXPECT_EQ(Collapsed(rig_.steps), (std::vector<int>{3, 4, 6, 7, 9, 10, 4, 6, 7, 10, 8, 11})) << polls;
  }
}

TEST_F(JobSequencerTest, AbortDuringTheRetryWaitEndsTheJob) {
  TwoAccounts();
  rig_.schedule.RetryCount = 3;
  rig_.client.SetFetchPolls(1);
  ErrorOnFirstFetch();
  ScheduleAt730({"A"});
  RunTo(kMon, 7, 30, 10);
  ASSERT_EQ(rig_.machine->CurrentStep(), Step::kRetryDecision);
  ASSERT_TRUE(rig_.host.retryDue.has_value());
  EXPECT_TRUE(rig_.machine->CanAbort());
  rig_.ClearSteps();
  rig_.machine->OnAbort();
  RunTo(kMon, 7, 30, 50);
  EXPECT_EQ(Collapsed(rig_.steps), (std::vector<int>{8, 11}));
  EXPECT_FALSE(rig_.host.retryDue.has_value());
  EXPECT_EQ(rig_.machine->RetriesLeft(), -1);
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 1u);
  EXPECT_FALSE(rig_.machine->CanAbort());
}

TEST_F(JobSequencerTest, AbortWithAStepAlreadyQueuedRunsTheEndOnce) {
  TwoAccounts();
  rig_.client.SetFetchPolls(-1);
  ScheduleAt730({"A"});
  RunTo(kMon, 7, 30, 5);
  ASSERT_EQ(rig_.machine->CurrentStep(), Step::kWaitForFetch);
  rig_.host.Post(Continuation::kRunStep, 0);  // a stale continuation in the queue
  rig_.ClearSteps();
  rig_.machine->OnAbort();
  rig_.RunUntilIdle();
  EXPECT_EQ(rig_.steps, (std::vector<int>{8, 11}));
}

TEST_F(JobSequencerTest, AClientThatNeverSwitchesIsGivenUpAfterItsBound) {
  TwoAccounts();
  rig_.client.SetSwitchWorks(false);
  rig_.client.SetShownAccount("B");
  ScheduleAt730({"A"});
  RunTo(kMon, 7, 30, 20);
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kDialAndFetch);
  EXPECT_TRUE(rig_.machine->CanAbort());
  RunTo(kMon, 7, 30, 31);
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
  EXPECT_TRUE(rig_.client.JournalOf("StartFetch").empty());
  EXPECT_EQ(Collapsed(rig_.steps), (std::vector<int>{2, 1, 3, 4, 6, 9, 8, 11}));
}

TEST_F(JobSequencerTest, AFetchThatNeverEndsIsGivenUpAfterItsBound) {
  TwoAccounts();
  rig_.client.SetFetchPolls(-1);
  ScheduleAt730({"A"});
  RunTo(kMon, 7, 59, 0);
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kWaitForFetch);
  const std::int64_t polls = std::count(rig_.steps.begin(), rig_.steps.end(), 7);
  // Polling every 100 ms: about ten a second, not a busy loop.
  EXPECT_LE(polls, 29 * 60 * 10 + 10);
  RunTo(kMon, 8, 0, 30);
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
  const std::vector<int> collapsed = Collapsed(rig_.steps);
  const std::vector<int> giveUp = {7, 9, 8, 11};
  EXPECT_NE(std::search(collapsed.begin(), collapsed.end(), giveUp.begin(), giveUp.end()),
            collapsed.end());
}

TEST_F(JobSequencerTest, AnAccountWithoutARecordIsPassedOver) {
  TwoAccounts();
  // With dial-up the ordering put such an account first, and the job ended
  // before anything was fetched.
  rig_.schedule.DialUp = 1;
  ScheduleAt730({"A", "Nobody", "B", "Ghost"});
  RunTo(kMon, 7, 30, 59);
  EXPECT_EQ(rig_.client.JournalOf("Switch"), (std::vector<std::string>{"Switch(B)", "Switch(A)"}));
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 2u);
  // The last account fetched ends the run as a last account does.
  EXPECT_EQ(Collapsed(rig_.steps), (std::vector<int>{2, 1, 3, 4, 6, 7, 10, 4, 6, 7, 10, 8, 11}));
}

TEST_F(JobSequencerTest, DialUpGroupsAccountsByEntryAndDialsEachOnce) {
  const char* entries[] = {"", "X", "", "Y", "X"};
  for (int i = 0; i < 5; ++i) {
    CAccountJob record = MakeRecord("Account" + std::to_string(i + 1), "acc" + std::to_string(i + 1));
    record.useDialUp = entries[i][0] != '\0' ? 1 : 0;
    record.dialUpEntry = entries[i];
    rig_.jobs.Append(record);
  }
  rig_.client.SetShownAccount("acc1");
  rig_.schedule.DialUp = 1;
  ScheduleAt730({"acc1", "acc2", "acc3", "acc4", "acc5"});
  RunTo(kMon, 7, 31, 0);
  EXPECT_EQ(rig_.client.JournalOf("Switch"),
            (std::vector<std::string>{"Switch(acc3)", "Switch(acc1)", "Switch(acc2)", "Switch(acc5)",
                                      "Switch(acc4)"}));
  EXPECT_EQ(rig_.dialer.journal,
            (std::vector<std::string>{"Connect(X)", "HangUp", "Connect(Y)", "HangUp"}));
  EXPECT_FALSE(rig_.dialer.HasConnection());
}

TEST_F(JobSequencerTest, DialUpOffNeverDials) {
  CAccountJob record = MakeRecord("Account1", "A");
  record.useDialUp = 1;
  record.dialUpEntry = "X";
  rig_.jobs.Append(record);
  ScheduleAt730({"A"});
  RunTo(kMon, 7, 31, 0);
  EXPECT_TRUE(rig_.dialer.journal.empty());
  EXPECT_EQ(rig_.client.Journal(), (std::vector<std::string>{"SelectFirst(menu)", "StartFetch", "SelectFirst"}));
}

TEST_F(JobSequencerTest, ARetryDialsAgainAfterAFailedDialOrFetch) {
  CAccountJob record = MakeRecord("Account1", "A");
  record.useDialUp = 1;
  record.dialUpEntry = "X";
  rig_.jobs.Append(record);
  rig_.schedule.DialUp = 1;
  rig_.schedule.RetryCount = 2;
  rig_.schedule.RetryInterval = 10;
  rig_.dialer.failures["X"] = 651;
  rig_.client.SetFetchPolls(1);
  ScheduleAt730({"A"});
  bool errorShown = false;
  rig_.observer = [&] {
    // The line comes back for the first retry; that fetch then fails too.
    if (rig_.dialer.journal.size() == 1) {
      rig_.dialer.failures.clear();
    }
    if (!errorShown && rig_.client.JournalOf("StartFetch").size() == 1) {
      rig_.client.QueueDialog(kErrorDialog);
      errorShown = true;
    }
  };
  RunTo(kMon, 7, 31, 0);
  EXPECT_EQ(rig_.dialer.journal,
            (std::vector<std::string>{"Connect(X)", "Connect(X)", "HangUp", "Connect(X)", "HangUp"}));
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 2u);
}

TEST_F(JobSequencerTest, TheClientWindowIsKeptOutOfSightAndPutBack) {
  TwoAccounts();
  auto window = [this] {
    std::vector<std::string> calls;
    for (const std::string& call : rig_.client.Journal()) {
      if (call.rfind("OutOfSight", 0) == 0 || call.rfind("PutBack", 0) == 0) calls.push_back(call);
    }
    rig_.client.ClearJournal();
    return calls;
  };
  // Minimised for a scheduled run, hidden for a fetch; a window in plain view
  // is left alone; the end of the program puts it back as well.
  rig_.client.SetWindow(true, true, true);
  ScheduleAt730({"A"});
  RunTo(kMon, 7, 31, 0);
  EXPECT_EQ(window(), (std::vector<std::string>{"OutOfSight(minimized)", "PutBack(minimized)"}));
  rig_.client.SetWindow(true, false, false);
  rig_.machine->OnFetch();
  ASSERT_TRUE(rig_.RunUntilIdle());
  EXPECT_EQ(window(), (std::vector<std::string>{"OutOfSight(hidden)", "PutBack(hidden)"}));
  rig_.client.SetWindow(true, true, false);
  rig_.machine->OnFetch();
  ASSERT_TRUE(rig_.RunUntilIdle());
  EXPECT_TRUE(window().empty());
  rig_.client.SetWindow(true, false, false);
  rig_.client.SetFetchPolls(-1);
  rig_.machine->OnFetch();
  rig_.RunUntil(rig_.clock.ms + 1000);
  ASSERT_EQ(rig_.machine->CurrentStep(), Step::kWaitForFetch);
  rig_.machine->Shutdown();
  EXPECT_EQ(window(), (std::vector<std::string>{"OutOfSight(hidden)", "PutBack(hidden)"}));
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
  EXPECT_FALSE(rig_.host.pollDue.has_value());
  EXPECT_TRUE(rig_.RunUntilIdle(1000));
}

TEST_F(JobSequencerTest, ArmingAndDisarmingShowTheNextRunOrNot) {
  rig_.clock.ms = static_cast<std::int64_t>(WeekTime(kThu, 12, 0)) * 1000;
  rig_.machine->OnTimerStart();
  EXPECT_TRUE(rig_.machine->Armed());
  EXPECT_EQ(rig_.machine->NextRunWeekday(), -1);
  EXPECT_FALSE(rig_.machine->CanStartTimer());
  rig_.schedule.Day(kFri).AddEntry(7, 5, {"A"}, 0);
  rig_.machine->OnTimerStart();
  EXPECT_EQ(rig_.machine->NextRunWeekday(), kFri);
  rig_.machine->OnTimerStop();
  EXPECT_FALSE(rig_.machine->Armed());
  EXPECT_EQ(rig_.machine->NextRunWeekday(), kFri);  // kept, only not shown
  EXPECT_EQ(rig_.host.armedChanges, (std::vector<bool>{true, true, false}));
  EXPECT_EQ(rig_.host.nextRunChanges, 3);
}

TEST_F(JobSequencerTest, StartupActionsNeedAUsableSchedule) {
  settings_.autoStart = true;
  settings_.autoCheck = true;
  rig_.machine->SetSettings(settings_);
  rig_.machine->ComputeNextRunFromNow();
  rig_.machine->PostStartupActions();
  EXPECT_TRUE(rig_.host.posted.empty());

  rig_.schedule.Day(kTue).AddEntry(9, 0, {"A"}, 0);
  rig_.machine->ComputeNextRunFromNow();
  rig_.machine->PostStartupActions();
  ASSERT_EQ(rig_.host.posted.size(), 2u);
  EXPECT_EQ(rig_.host.posted[0].continuation, Continuation::kArm);
  EXPECT_EQ(rig_.host.posted[1].continuation, Continuation::kFetch);
}

TEST_F(JobSequencerTest, TheFetchCommandNeedsAFilledDefaultAccountList) {
  EXPECT_FALSE(rig_.machine->CanFetch());
  FetchAccounts({});
  EXPECT_FALSE(rig_.machine->CanFetch());
  FetchAccounts({"A"});
  EXPECT_TRUE(rig_.machine->CanFetch());
}

TEST_F(JobSequencerTest, TheEndOfARunWatchesForALateMessageWindow) {
  TwoAccounts();
  rig_.client.SetFetchPolls(1);
  ScheduleAt730({"A"});
  RunTo(kMon, 7, 31, 0);
  ASSERT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
  rig_.client.QueueDialog(kMailReceivedDialog);
  rig_.client.QueueDialog(kErrorDialog);
  // The thread runs on real time; the first dialog is cancelled within a poll.
  for (int i = 0; i < 200 && rig_.client.JournalOf("Dismiss").empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_EQ(rig_.client.JournalOf("Dismiss"), std::vector<std::string>{"Dismiss(received)"});
}

TEST_F(JobSequencerTest, ANewRunStopsTheWatchOfThePreviousOne) {
  TwoAccounts();
  FetchAccounts({"A"});
  rig_.client.SetFetchPolls(1);
  rig_.machine->OnFetch();
  ASSERT_TRUE(rig_.RunUntilIdle());
  // The next run's fetch raises an error window, and the old watch has time
  // to poll before the run looks.
  bool queued = false;
  rig_.observer = [&] {
    if (!queued && rig_.client.JournalOf("StartFetch").size() == 2) {
      queued = true;
      rig_.client.QueueDialog(kErrorDialog);
      std::this_thread::sleep_for(std::chrono::milliseconds(3 * CFinCheckThread::kIntervalMs / 2));
    }
  };
  rig_.ClearSteps();
  rig_.machine->OnFetch();
  ASSERT_TRUE(rig_.RunUntilIdle());
  EXPECT_EQ(Collapsed(rig_.steps), (std::vector<int>{3, 4, 6, 7, 9, 8, 11}));
}

TEST_F(JobSequencerTest, TheRecordsSpellingOfATitleIsSwitchedToAndWaitedFor) {
  rig_.jobs.Append(MakeRecord("Account1", "Work"));
  rig_.jobs.Append(MakeRecord("Account2", "Home"));
  rig_.client.SetShownAccount("Home");
  ScheduleAt730({"WORK"});
  RunTo(kMon, 7, 30, 30);
  EXPECT_EQ(rig_.client.JournalOf("Switch"), std::vector<std::string>{"Switch(Work)"});
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 1u);
  EXPECT_EQ(rig_.machine->CurrentStep(), Step::kIdle);
}

TEST_F(JobSequencerTest, AFetchStartsAClientOnlyOnADataRootAndWhenNoneRuns) {
  TwoAccounts();
  const struct {
    const char* dataRoot;
    const char* runningOn;  // nullptr: no client runs
    std::size_t launches;
  } cases[] = {
      {"D:\\Mail", nullptr, 1},
      {"D:\\Mail", "D:\\Mail", 0},
      // Too slow to say where it is, or on another data root and would not close.
      {"D:\\Mail", "E:\\Other", 0},
      {"", nullptr, 0},
  };
  for (const auto& c : cases) {
    settings_.dataRoot = c.dataRoot;
    rig_.machine->SetSettings(settings_);
    rig_.client.Quit();
    if (c.runningOn != nullptr) {
      rig_.client.SetRunningOn(c.runningOn);
    }
    rig_.client.ClearJournal();
    rig_.machine->OnFetch();
    ASSERT_TRUE(rig_.RunUntilIdle());
    EXPECT_EQ(rig_.client.JournalOf("Launch").size(), c.launches) << c.dataRoot << c.runningOn;
  }
}

}  // namespace
