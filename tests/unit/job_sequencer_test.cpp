// The job step machine in simulated time, with fakes for its surroundings.
#include "jobs/job_sequencer.h"

#include <gtest/gtest.h>

#include "sample_data/sample_data.h"
#include "support/job_fakes.h"
#include "support/scratch_directory.h"

namespace {

// A client on the data root with accounts A and B, showing A; the fetch
// command fetches both.
struct Rig : JobRig {
  Rig() {
    JobSettings settings;
    settings.dataRoot = "D:\\Mail", settings.clientProgram = "C:\\Corvid\\corvid.exe", settings.fetchAccounts = Texts{"A", "B"};
    machine->SetSettings(settings);
    client.SetRunningOn("D:\\Mail");
    jobs.Append(MakeRecord("Account1", "A")), jobs.Append(MakeRecord("Account2", "B"));
    client.shown = "A";
  }
  void Change(const std::function<void(JobSettings&)>& change) {
    JobSettings settings = machine->Settings();
    change(settings), machine->SetSettings(settings);
  }
  // Armed with an entry at Monday 07:30, two seconds before it.
  void ArmAt730(const Texts& accounts) {
    schedule.Day(kMon).AddEntry(7, 30, accounts, 0);
    clock.ms = WeekMs(kMon, 7, 29, 58);
    machine->OnTimerStart();
  }
};

TEST(JobSequencer, AScheduledRunWalksEveryStepAndPutsTheClientBack) {
  Rig rig;
  rig.Change([](JobSettings& s) { s.defaultAccount = "A"; });
  rig.jobs.At(0).command.PreTidyUp = rig.jobs.At(0).command.PostTidyUp = 1;
  rig.jobs.At(1).command.ExecCommand = 1, rig.jobs.At(1).command.CommandName = "C:\\Tools\\after.exe";
  rig.client.fetchPolls = 3, rig.client.window = "minimized";
  rig.ArmAt730({"A", "B"}), rig.told.clear();
  rig.RunUntil(WeekMs(kMon, 7, 30, 20));
  EXPECT_EQ(rig.client.JournalOf(), (Texts{"OutOfSight(minimized)", "Switch(A)", "TidyUp", "StartFetch", "TidyUp",
                                         "Switch(B)", "StartFetch", "Switch(A)", "PutBack(minimized)"}));
  EXPECT_EQ(rig.launcher.started, Texts{"\"C:\\Tools\\after.exe\""});
  EXPECT_EQ(rig.reported, (Texts{"||run: A,B", "|A|fetched", "|B|fetched", "|B|program: \"C:\\Tools\\after.exe\""}));
  EXPECT_EQ(rig.progress, (Texts{"A 1/2", "B 2/2", "-"}));
  // Next week's run, shown as soon as this one is over.
  EXPECT_EQ(rig.told, Texts{"NextRun"});
  EXPECT_EQ(rig.machine->NextRun().accounts, (Texts{"A", "B"}));
  EXPECT_EQ(rig.machine->CurrentStep(), Step::kIdle);
}

// One record on entry X, whose dial fails until the line comes back; two retries.
void OneDiallingRecord(Rig& rig, int dialUp) {
  rig.jobs.Clear(), rig.jobs.Append(MakeRecord("Account1", "A", "X"));
  rig.schedule.DialUp = dialUp, rig.schedule.RetryCount = 2, rig.schedule.RetryInterval = 10;
  rig.dialer.failures["X"] = 651, rig.client.fetchPolls = 1;
  rig.ArmAt730({"A"});
}

TEST(JobSequencer, EachAccountIsFetchedInItsTurnAndEachEntryDialledOnce) {
  const struct {
    const char* what;
    std::function<void(Rig&)> start;
    Texts client, dialled;
    int beforeEnd;  // the step before the end of the run
  } cases[] = {
      {"a fetch by hand, in the tick's minute, after closing a leftover window",
       [](Rig& r) {
         r.client.window = "hidden", r.client.QueueDialog(kMailReceivedDialog);
         r.clock.ms = WeekMs(kWed, 10, 15, 40);
         r.machine->OnMainTimer(), r.machine->OnFetch();
         EXPECT_EQ(r.machine->NextRun().hour * 100 + r.machine->NextRun().minute + r.machine->NextRunWeekday() * 10000, 31015);
       },
       {"Dismiss(received)", "OutOfSight(hidden)", "Switch(A)", "StartFetch", "Switch(B)", "StartFetch", "PutBack(hidden)"},
       {}, 10},
      {"without its window the client is asked for nothing", [](Rig& r) { r.client.window = "closed", r.machine->OnFetch(); },
       {}, {}, 3},
      // Those that do not dial first, reversed; then each entry's accounts, its
      // later ones reversed. The record's spelling of a title is the one switched to.
      {"dial-up groups the accounts by entry and passes over those without a record",
       [](Rig& r) {
         r.jobs.Clear();
         const char* entries[] = {"", "X", "", "Y", "X", "X"};
         for (int i = 0; i < 6; ++i) {
           r.jobs.Append(MakeRecord("Account" + std::to_string(i + 1), "acc" + std::to_string(i + 1), entries[i]));
         }
         r.client.shown = "acc1";
         r.schedule.DialUp = 1;
         r.ArmAt730({"Nobody", "acc1", "ACC2", "acc3", "acc4", "acc5", "Ghost", "acc6"});
       },
       {"Switch(acc3)", "StartFetch", "Switch(acc1)", "StartFetch", "Switch(acc2)", "StartFetch", "Switch(acc6)",
        "StartFetch", "Switch(acc5)", "StartFetch", "Switch(acc4)", "StartFetch"},
       {"Connect(X)", "Connect(Y)", "HangUp"}, 10},
      {"one record, dial-up off", [](Rig& r) { OneDiallingRecord(r, 0); },
       {"SelectFirst(menu)", "StartFetch", "SelectFirst"}, {}, 10},
      // The first retry's fetch raises the error window; the second gets through.
      {"one record dials again after a failed dial and after a failed fetch",
       [](Rig& r) {
         OneDiallingRecord(r, 1);
         r.observer = [&r, queued = false]() mutable {
           if (r.dialer.journal.size() == 1) r.dialer.failures.clear();
           if (!queued && r.client.JournalOf("StartFetch").size() == 1) queued = true, r.client.QueueDialog(kErrorDialog);
         };
       },
       {"SelectFirst(menu)", "StartFetch", "Dismiss(error)", "StartFetch", "SelectFirst"},
       {"Connect(X)", "Connect(X)", "HangUp", "Connect(X)", "HangUp"}, 10},
  };
  for (const auto& c : cases) {
    Rig rig;
    c.start(rig);
    rig.RunUntil(rig.clock.ms + 60000);
    EXPECT_EQ(rig.client.JournalOf(), c.client) << c.what;
    EXPECT_EQ(rig.dialer.journal, c.dialled) << c.what;
    EXPECT_EQ(std::vector<int>(rig.steps.end() - 3, rig.steps.end()), (std::vector<int>{c.beforeEnd, 8, 11})) << c.what;
  }
}

TEST(JobSequencer, TheMainTimerStartsOneChainAMinuteOnlyWhenArmed) {
  Rig rig;
  rig.schedule.Day(kMon).AddEntry(8, 0, {"A"}, 0);
  rig.clock.ms = WeekMs(kMon, 7, 10, 20);
  rig.machine->OnTimerStart();
  // The clock is refreshed at a minute's first tick, even a late one, and in
  // second 0, whose two ticks start one chain.
  const struct {
    int minute, ms;
    bool refresh;
  } ticks[] = {{10, 20500, true}, {10, 21000, false}, {11, 0, true}, {11, 500, true}, {11, 30000, false},
               {12, 40000, true}, {13, 0, true}};  // disarmed for the last one
  for (const auto& t : ticks) {
    if (t.minute == 13) rig.machine->OnTimerStop();
    rig.clock.ms = WeekMs(kMon, 7, t.minute) + t.ms;
    EXPECT_EQ(rig.machine->OnMainTimer(), t.refresh) << t.minute << " " << t.ms;
    rig.RunUntil(rig.clock.ms);
  }
  EXPECT_EQ(rig.steps, (std::vector<int>{2, 1, 3}));
  EXPECT_TRUE(rig.client.JournalOf().empty());
}

TEST(JobSequencer, MissedMinutesNeverStopTheSchedule) {
  const struct {
    const char* what;
    std::int64_t atMs, byMs;  // when the clock jumps, and how far
    int nextHour;             // of the next run, once the window hears of it; -1: it hears nothing
    std::vector<int> runs;    // weekday, hour and minute of each fetch
  } cases[] = {
      {"asleep through 07:30", WeekMs(kMon, 7, 29, 59), 1801000, -1, {11200, 20900}},
      {"an hour forward", WeekMs(kMon, 7, 10), 3600000, 12, {11200, 20900}},
      {"into the run's minute, after its start", WeekMs(kMon, 7, 10, 40), 1200000, 7, {11200, 20900}},
      // Nothing that ran runs again.
      {"an hour back, after the run", WeekMs(kMon, 7, 40), -3600000, 12, {10730, 11200, 20900}},
      {"an hour back, before the run", WeekMs(kMon, 7, 10), -3600000, 7, {10730, 11200, 20900}},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.sparseTicks = true;
    rig.schedule.Day(kMon).AddEntry(7, 30, {"A"}, 0);
    rig.schedule.Day(kMon).AddEntry(12, 0, {"A"}, 0);
    rig.schedule.Day(kTue).AddEntry(9, 0, {"A"}, 0);
    rig.clock.ms = WeekMs(kMon, 7, 0);
    rig.machine->OnTimerStart();
    std::vector<int> runs;
    rig.observer = [&] {
      const LocalTime at = rig.clock.Local(rig.clock.Now());
      if (rig.client.JournalOf("StartFetch").size() > runs.size()) runs.push_back(at.weekday * 10000 + at.hour * 100 + at.minute);
    };
    rig.RunUntil(c.atMs);
    rig.clock.ms += c.byMs, rig.nextTickMs = 0;
    if (c.nextHour >= 0) {
      rig.machine->OnClockChanged();
      EXPECT_EQ(rig.machine->NextRun().hour, c.nextHour) << c.what;
    }
    rig.RunUntil(WeekMs(kTue, 9, 1));
    EXPECT_EQ(runs, c.runs) << c.what;
  }
}

// A reserved mail of A due since Wednesday 09:00 on a data root of its own,
// armed two seconds before 10:00 with only a Saturday run of B to come.
struct ReservedMailRig : Rig {
  explicit ReservedMailRig(bool sendAtOnce) {
    sample::DataDirectoryBuilder data(scratch.Path());
    EXPECT_TRUE(data.AddAccount("Account1", "A", 0, "") && data.AddFolder("Account1", "Outbox.box", "", "") &&
                data.AddFolder("Account1", "予約.box", "", "") &&
                data.AddMail("Account1", "予約.box", "00000001", static_cast<std::int32_t>(WeekTime(kWed, 9, 0))));
    Change([this](JobSettings& s) { s.dataRoot = scratch.Path(); });
    client.SetRunningOn(scratch.Path());
    CAccountJob& record = jobs.At(0);
    record.reserve.Reserve = 1, record.ReserveSend = sendAtOnce ? 1 : 0, record.reserve.ReserveFolder = "予約.box";
    schedule.Day(kSat).AddEntry(23, 0, {"B"}, 0);
    clock.ms = WeekMs(kWed, 9, 59, 58);
    machine->OnTimerStart();
  }
  ScratchDirectory scratch;
};

TEST(JobSequencer, MailsMovedToSendNowPullTheRunForwardWithTheirAccount) {
  // A re-arm inside the chain, before either of the steps ahead of the run, by
  // the timer command (even) or the settings' OK (odd), keeps the run pulled forward.
  for (const int rearm : {0, 1, 2, 3}) {
    ReservedMailRig rig(true);
    rig.observer = [&, rearmed = false]() mutable {
      if (rearmed || rig.steps != (rearm < 2 ? std::vector<int>{2} : std::vector<int>{2, 1})) return;
      rearmed = true;
      rearm % 2 != 0 ? rig.machine->OnScheduleChanged() : rig.machine->OnTimerStart();
    };
    rig.RunUntil(WeekMs(kWed, 10, 0, 20));
    EXPECT_EQ(rig.client.JournalOf("Switch"), (Texts{"Switch(B)", "Switch(A)"})) << rearm;
    EXPECT_EQ(rig.client.JournalOf("StartFetch").size(), 2u) << rearm;
    // Then the schedule's own next run again.
    EXPECT_EQ(rig.machine->NextRunWeekday(), kSat);
    EXPECT_EQ(rig.machine->NextRun().accounts, Texts{"B"});
  }
}

// A reserved mail the client refuses minute after minute is told once; once
// it has moved, a new refusal is told again.
TEST(JobSequencer, AMailThatWillNotMoveIsToldOnceUntilItMoves) {
  ReservedMailRig rig(false);
  const std::string mail = "Account1\\予約.box\\00000001";
  for (const auto& [outcome, untilMinute] : {std::pair{MoveOutcome::kRefused, 2}, {MoveOutcome::kMoved, 3},
                                             {MoveOutcome::kRefused, 4}}) {
    rig.client.moveOutcomes = {{mail, outcome}};
    rig.RunUntil(WeekMs(kWed, 10, untilMinute, 30));
  }
  EXPECT_EQ(rig.reported, (Texts{"!|A|refused: " + mail, "|A|sent: " + mail, "!|A|refused: " + mail}));
}

TEST(JobSequencer, OutsideAChainArmingLooksAheadEvenInTheMinuteOfAFetch) {
  Rig rig;
  rig.schedule.Day(kMon).AddEntry(12, 0, {"A"}, 0);
  rig.clock.ms = WeekMs(kMon, 7, 10, 5);
  rig.machine->OnMainTimer(), rig.machine->OnFetch();
  ASSERT_TRUE(rig.RunUntilIdle());
  rig.machine->OnTimerStart();
  EXPECT_EQ(rig.machine->NextRun().hour, 12);
}

TEST(JobSequencer, ArmingShowsTheNextRunAndStartUpNeedsOne) {
  Rig rig;
  rig.Change([](JobSettings& s) { s.autoStart = s.autoCheck = true; });
  rig.clock.ms = WeekMs(kThu, 12, 0);
  rig.machine->PostStartupActions(), rig.machine->OnTimerStart();
  EXPECT_FALSE(rig.machine->CanStartTimer());
  EXPECT_TRUE(rig.machine->CanFetch());
  rig.Change([](JobSettings& s) { s.fetchAccounts = Texts{}; });
  EXPECT_FALSE(rig.machine->CanFetch());
  rig.schedule.Day(kFri).AddEntry(7, 5, {"A"}, 0);
  rig.machine->OnTimerStart(), rig.machine->OnTimerStop();
  EXPECT_EQ(rig.machine->NextRunWeekday(), kFri);  // kept, only not shown
  EXPECT_EQ(rig.told, (Texts{"NextRun", "Armed", "NextRun", "Armed", "NextRun", "Disarmed"}));
  EXPECT_TRUE(rig.posted.empty());
  rig.machine->PostStartupActions();
  ASSERT_EQ(rig.posted.size(), 2u);
  EXPECT_TRUE(rig.posted[0].first == Continuation::kArm && rig.posted[1].first == Continuation::kFetch);
}

TEST(JobSequencer, AMissedRunIsMadeUpOnceAtStartOrOnWakingWithinTheBound) {
  // Monday 07:30 for A. Asleep: armed at 07:00, the system sleeps from 07:29 to
  // the wake and says so after the first tick, and again a minute later.
  const struct {
    const char* what;
    bool asleep;
    std::int64_t atMs;  // of the start or the wake
    bool catchUp, autoCheck;
    std::time_t lastRun;
    Texts runs;
  } cases[] = {
      {"woken an hour after the run", true, WeekMs(kMon, 8, 30), true, false, 0, {"||caught up: A"}},
      {"woken past the bound", true, WeekMs(kMon, 19, 31), true, false, 0, {}},
      {"switched off", true, WeekMs(kMon, 8, 30), false, false, 0, {}},
      {"started after the run", false, WeekMs(kMon, 8, 30), true, false, WeekTime(kMon, 7, 29), {"||caught up: A"}},
      {"started after the run had run", false, WeekMs(kMon, 8, 30), true, false, WeekTime(kMon, 7, 30), {}},
      {"started past the bound", false, WeekMs(kMon, 19, 31), true, false, 0, {}},
      {"started with the start-up fetch", false, WeekMs(kMon, 8, 30), true, true, 0, {"||manual run: A,B"}},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.schedule.Day(kMon).AddEntry(7, 30, {"A"}, 0);
    rig.Change([&c](JobSettings& s) {
      s.catchUp = c.catchUp, s.autoStart = true, s.autoCheck = c.autoCheck, s.lastScheduledRun = c.lastRun;
    });
    rig.clock.ms = c.asleep ? WeekMs(kMon, 7, 0) : c.atMs;
    rig.machine->ComputeNextRunFromNow(), rig.machine->PostStartupActions();
    if (c.asleep) {
      rig.RunUntil(WeekMs(kMon, 7, 29));
      rig.clock.ms = c.atMs, rig.nextTickMs = 0;
      rig.RunUntil(c.atMs + 500);
      rig.machine->OnResume();
      rig.RunUntil(rig.clock.ms + 60000);
      rig.machine->OnResume();
    }
    rig.RunUntil(rig.clock.ms + 60000);
    Texts runs;
    for (const std::string& line : rig.reported) {
      if (line.rfind("||", 0) == 0) runs.push_back(line);
    }
    EXPECT_EQ(runs, c.runs) << c.what;
    EXPECT_EQ(rig.machine->NextRunWeekday(), kMon) << c.what;
  }
}

TEST(JobSequencer, WhileAFetchRunsOnlyAbortActs) {
  Rig rig;
  rig.client.fetchPolls = -1, rig.ArmAt730({"A"});
  rig.RunUntil(WeekMs(kMon, 7, 30, 5));
  ASSERT_EQ(rig.machine->CurrentStep(), Step::kWaitForFetch);
  EXPECT_TRUE(rig.machine->CanAbort());
  rig.machine->OnFetch();
  rig.RunUntil(WeekMs(kMon, 7, 32, 5));  // two more minutes
  EXPECT_EQ(rig.client.JournalOf("StartFetch").size(), 1u);
  EXPECT_EQ(std::count(rig.steps.begin(), rig.steps.end(), 2), 1);
  rig.Post(Continuation::kRunStep, 0);  // a stale continuation still queued
  rig.steps.clear(), rig.machine->OnAbort();
  ASSERT_TRUE(rig.RunUntilIdle());
  EXPECT_EQ(rig.steps, (std::vector<int>{8, 11}));
  EXPECT_FALSE(rig.machine->CanAbort());
}

TEST(JobSequencer, FailedFetchesAreRetriedPerAccountUntilGivenUp) {
  enum End { kRuns, kLateTimer, kAbort, kShutdown };
  const struct {
    const char* what;
    int retryCount, retryInterval, polls;  // polls 0: the error window comes as the fetch ends
    std::map<std::string, int> failures;   // by account, fetches that raise an error window
    End end;
    Texts fetched, waits;
  } cases[] = {
      {"retry count plus one attempts", 2, 60, 1, {{"A", 9}}, kRuns, {"A", "A", "A", "B"}, {"Retry(60000)", "Retry(60000)"}},
      {"each account has its own retries", 1, 60, 1, {{"B", 1}}, kRuns, {"A", "B", "B"}, {"Retry(60000)"}},
      {"no retries: the next account", 0, 60, 0, {{"A", 1}}, kRuns, {"A", "B"}, {}},
      {"a day's wait at most", 1, 100000, 1, {{"A", 1}}, kRuns, {"A", "A", "B"}, {"Retry(86400000)"}},
      {"a late timer starts nothing", 2, 60, 1, {{"A", 1}}, kLateTimer, {"A", "A", "B"}, {"Retry(60000)"}},
      {"abort ends the wait", 2, 60, 1, {{"A", 1}}, kAbort, {"A"}, {"Retry(60000)"}},
      {"so does the program's end", 2, 60, 1, {{"A", 1}}, kShutdown, {"A"}, {"Retry(60000)"}},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.schedule.RetryCount = c.retryCount, rig.schedule.RetryInterval = c.retryInterval;
    rig.client.fetchPolls = c.polls, rig.client.window = "hidden";
    std::map<std::string, int> failures = c.failures;
    Texts fetched;
    rig.observer = [&] {
      if (c.end >= kAbort && rig.retryDue) {
        EXPECT_TRUE(rig.machine->CanAbort()) << c.what;
        c.end == kAbort ? rig.machine->OnAbort() : rig.machine->Shutdown();
      }
      if (rig.client.JournalOf("StartFetch").size() == fetched.size()) return;
      fetched.push_back(rig.client.shown);
      if (failures[fetched.back()]-- > 0) rig.client.QueueDialog(kErrorDialog);
      if (c.end == kLateTimer && fetched.size() == 2) rig.machine->OnRetryTimer();
    };
    rig.machine->OnFetch();
    EXPECT_TRUE(rig.RunUntilIdle(2LL * 24 * 3600 * 1000)) << c.what;
    EXPECT_EQ(fetched, c.fetched) << c.what;
    EXPECT_EQ(rig.told, c.waits) << c.what;
    EXPECT_FALSE(rig.machine->CanAbort()) << c.what;
    EXPECT_EQ(rig.client.JournalOf("PutBack"), Texts{"PutBack(hidden)"}) << c.what;
    if (&c == cases) {
      EXPECT_EQ(rig.reported, (Texts{"||manual run: A,B", "!|A|error window", "|A|retry in: 60", "!|A|error window",
                                     "|A|retry in: 60", "!|A|error window", "!|A|given up", "|B|fetched"}));
      EXPECT_EQ(rig.progress, (Texts{"A 1/2", "A 1/2 retry in 60", "A 1/2", "A 1/2 retry in 60", "A 1/2", "B 2/2", "-"}));
    }
  }
}

TEST(JobSequencer, EveryAttemptWaitsForTheClientUpToItsBound) {
  const struct {
    const char* what;
    Step waiting;
    std::int64_t bound;
    std::size_t fetches;
  } cases[] = {
      {"a switch that never happens", Step::kDialAndFetch, CJobSequencer::kAccountSwitchBoundMs, 0},
      {"a fetch that never ends", Step::kWaitForFetch, CJobSequencer::kFetchBoundMs, 2},
  };
  for (const auto& c : cases) {
    Rig rig;
    rig.Change([](JobSettings& s) { s.fetchAccounts = Texts{"A"}; });
    rig.client.switchWorks = false, rig.client.shown = c.fetches == 0 ? "B" : "A", rig.client.fetchPolls = -1;
    rig.schedule.RetryCount = 1, rig.schedule.RetryInterval = 60;
    std::vector<std::int64_t> waits;
    rig.observer = [&, since = std::int64_t{0}, last = Step::kIdle]() mutable {
      const Step step = rig.machine->CurrentStep();
      if (step == c.waiting && last != step) since = rig.clock.ms;
      if (step == Step::kRetryDecision && last != step) waits.push_back(rig.clock.ms - since);
      last = step;
    };
    rig.machine->OnFetch();
    rig.RunUntil(rig.clock.ms + 2 * (c.bound + 61000));
    EXPECT_EQ(waits, (std::vector<std::int64_t>{c.bound, c.bound})) << c.what;
    EXPECT_EQ(rig.client.JournalOf("StartFetch").size(), c.fetches) << c.what;
    EXPECT_EQ(rig.machine->CurrentStep(), Step::kIdle) << c.what;
  }
}

TEST(JobSequencer, ANewRunStopsTheWatchOfThePreviousOne) {
#ifdef _WIN32
  GTEST_SKIP() << "the fake client counts watching threads natively only";
#endif
  Rig rig;
  rig.machine->OnFetch();
  ASSERT_TRUE(rig.RunUntilIdle());
  ASSERT_TRUE(WaitUntil([&] { return rig.client.Watchers() == 1; }, 5000)) << "no watch after the run";
  int watchersAtFetch = -1;
  rig.observer = [&] {
    if (watchersAtFetch < 0 && rig.client.JournalOf("StartFetch").size() == 3) watchersAtFetch = rig.client.Watchers();
  };
  rig.machine->OnFetch();
  ASSERT_TRUE(rig.RunUntilIdle());
  EXPECT_EQ(watchersAtFetch, 0);
}

TEST(JobSequencer, AClientIsStartedOnlyOnADataRootAndWhenNoneRuns) {
  // dataRoot nullptr: none stored; runningOn nullptr: no client runs. A client on
  // another data root is too slow to say where it is, or would not close.
  const struct {
    const char *dataRoot, *runningOn;
    std::size_t launches;
  } cases[] = {{"D:\\Mail", nullptr, 1}, {"D:\\Mail", "D:\\Mail", 0}, {"D:\\Mail", "E:\\Other", 0},
               {"", nullptr, 0}, {nullptr, nullptr, 0}};
  for (const auto& c : cases) {
    Rig rig;
    rig.Change([&](JobSettings& s) { s.dataRoot = c.dataRoot ? std::optional<std::string>(c.dataRoot) : std::nullopt; });
    // A scheduled run, then a fetch and the next minute's chain, each finding the client as the row says.
    for (int run = 0; run < 2; ++run) {
      rig.client.Quit();
      if (c.runningOn != nullptr) rig.client.SetRunningOn(c.runningOn);
      run == 0 ? rig.ArmAt730({"A"}) : rig.machine->OnFetch();
      rig.RunUntil(rig.clock.ms + 63000);
    }
    EXPECT_EQ(std::vector<int>(rig.steps.end() - 3, rig.steps.end()), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(rig.client.JournalOf("Launch").size(), 2 * c.launches) << (c.dataRoot ? c.dataRoot : "none");
  }
}

}  // namespace
