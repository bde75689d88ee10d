// Send reservation and forwarding against a real data directory on disk and a
// fake client that records the commands it is given.
#include <gtest/gtest.h>

#include "jobs/job_sequencer.h"
#include "sample_data/sample_data.h"
#include "support/job_fakes.h"
#include "support/scratch_directory.h"

namespace {

enum { kSun, kMon, kTue, kWed, kThu, kFri, kSat };

constexpr int kMinute = 60;

class TimedMovesTest : public ::testing::Test {
 protected:
  TimedMovesTest() : data_(scratch_.Path()) {
    root_ = scratch_.Path();
    EXPECT_TRUE(data_.AddAccount("Account1", "仕事", 0, ""));
    EXPECT_TRUE(data_.AddAccount("Account2", "自宅", 0, ""));
    EXPECT_TRUE(data_.AddFolder("Account1", "Outbox.box", "", ""));
    EXPECT_TRUE(data_.AddFolder("Account1", "Inbox.box", "", ""));
    EXPECT_TRUE(data_.AddFolder("Account1", "予約.box", "予約", ""));
    EXPECT_TRUE(data_.AddFolder("Account2", "Hold.box", "保留", ""));
    JobSettings settings;
    settings.dataRoot = root_;
    rig_.machine->SetSettings(settings);
    // An armed schedule whose own entry is far away (Saturday).
    rig_.schedule.Day(kSat).AddEntry(23, 0, {"自宅"}, 0);
    rig_.clock.ms = static_cast<std::int64_t>(Tick() - 30) * 1000;
    rig_.machine->OnTimerStart();
    rig_.client.SetShownAccount("仕事");
  }

  // The minute under test: Wednesday 10:00:00.
  static std::time_t Tick() { return WeekTime(kWed, 10, 0, 0); }
  static std::int32_t At(int offset) { return static_cast<std::int32_t>(Tick() + offset); }

  CAccountJob& Reserving(int sendCheck, int mark, int sendNow) {
    CAccountJob record = MakeRecord("Account1", "仕事");
    record.reserve.Reserve = 1;
    record.reserve.ReserveFolder = "予約.box";
    record.reserve.SendCheck = sendCheck;
    record.reserve.ReserveMark = mark;
    record.ReserveSend = sendNow;
    rig_.jobs.Append(record);
    return rig_.jobs.At(rig_.jobs.Count() - 1);
  }

  void RunTheMinute() { rig_.RunUntil(static_cast<std::int64_t>(Tick() + 20) * 1000); }

  ScratchDirectory scratch_;
  sample::DataDirectoryBuilder data_;
  std::string root_;
  JobRig rig_;
};

TEST_F(TimedMovesTest, DueReservedMailsAreMarkedThenMovedKindByKind) {
  Reserving(1, 3, 0);
  data_.AddMail("Account1", "予約.box", "00000001", At(-2 * kMinute));
  data_.AddMail("Account1", "予約.box", "00000002", At(-1));
  data_.AddMail("Account1", "予約.box", "00000003", At(3600));
  rig_.client.SetRunningOn(root_);
  RunTheMinute();
  const std::string first = "Account1\\予約.box\\00000001";
  const std::string second = "Account1\\予約.box\\00000002";
  EXPECT_EQ(rig_.client.Journal(),
            (std::vector<std::string>{
                "MarkMail(" + first + ",-1056964608,1)", "MarkMail(" + second + ",-1056964608,1)",
                "MarkMail(" + first + ",7,0)", "MarkMail(" + second + ",7,0)",
                "MarkMail(" + first + ",3,1)", "MarkMail(" + second + ",3,1)",
                "MoveMail(" + first + ",Account1\\Outbox.box)",
                "MoveMail(" + second + ",Account1\\Outbox.box)"}));
}

TEST_F(TimedMovesTest, AFolderWithNothingDueStartsNoClient) {
  Reserving(1, 3, 1);
  data_.AddMail("Account1", "予約.box", "00000003", At(3600));
  RunTheMinute();
  EXPECT_TRUE(rig_.client.Journal().empty());
  EXPECT_EQ(rig_.steps, (std::vector<int>{2, 1, 3}));
}

TEST_F(TimedMovesTest, AMailAtTheTickItselfStartsTheClientButWaitsAMinute) {
  Reserving(0, 0, 0);
  data_.AddMail("Account1", "予約.box", "00000001", At(0));
  RunTheMinute();
  EXPECT_EQ(rig_.client.Journal(), std::vector<std::string>{"Launch(," + root_ + ")"});
  rig_.client.ClearJournal();
  rig_.RunUntil(static_cast<std::int64_t>(Tick() + kMinute + 20) * 1000);
  EXPECT_EQ(rig_.client.JournalOf("MoveMail"),
            std::vector<std::string>{"MoveMail(Account1\\予約.box\\00000001,Account1\\Outbox.box)"});
}

TEST_F(TimedMovesTest, AClientHeldOnAnotherDataRootIsNeverNamedAMail) {
  CAccountJob& record = Reserving(0, 0, 0);
  record.reserve.Remain = 1;
  record.reserve.RemainFromAccount = "Account2";
  record.reserve.RemainFromFolder = "Hold.box";
  record.reserve.RemainToFolder = "Inbox.box";
  data_.AddMail("Account1", "予約.box", "00000001", At(-kMinute));
  data_.AddMail("Account2", "Hold.box", "00000002", At(-kMinute));
  // A client on another data root that will not close, or one too slow to
  // say where it is: no second client is started beside it.
  rig_.client.SetRunningOn("E:\\他のメール");
  RunTheMinute();
  EXPECT_TRUE(rig_.client.Journal().empty());

  // Once it is gone, ours starts and the mails move the next minute.
  rig_.client.Quit();
  rig_.RunUntil(static_cast<std::int64_t>(Tick() + kMinute + 20) * 1000);
  EXPECT_EQ(rig_.client.JournalOf("MoveMail"),
            (std::vector<std::string>{"MoveMail(Account1\\予約.box\\00000001,Account1\\Outbox.box)",
                                      "MoveMail(Account2\\Hold.box\\00000002,Account1\\Inbox.box)"}));
}

TEST_F(TimedMovesTest, UnsafeNamesFromTheIndexNeverReachTheClient) {
  Reserving(0, 0, 0);
  data_.AddMail("Account1", "予約.box", "a),Move(x", At(-kMinute));
  data_.AddMail("Account1", "予約.box", "ok", At(-kMinute));
  // An index that lists a mail twice still has it moved once.
  data_.AddMail("Account1", "予約.box", "ok", At(-kMinute));
  rig_.client.SetRunningOn(root_);
  RunTheMinute();
  EXPECT_EQ(rig_.client.Journal(),
            std::vector<std::string>{"MoveMail(Account1\\予約.box\\ok,Account1\\Outbox.box)"});
}

TEST_F(TimedMovesTest, MovedMailsToSendNowPullTheRunForwardWithTheirAccount) {
  CAccountJob other = MakeRecord("Account2", "自宅");
  rig_.jobs.Append(other);
  Reserving(0, 0, 1);
  data_.AddMail("Account1", "予約.box", "00000001", At(-kMinute));
  rig_.client.SetRunningOn(root_);
  rig_.client.SetFetchPolls(1);
  // The next run so far is Saturday's, for 自宅 only.
  ASSERT_EQ(rig_.machine->NextRun().accounts, std::vector<std::string>{"自宅"});
  // Arming again between steps 2 and 3 keeps the run pulled forward.
  bool rearmed = false;
  rig_.observer = [&] {
    if (!rearmed && !rig_.steps.empty() && rig_.steps.back() == 2) {
      rearmed = true;
      rig_.machine->OnTimerStart();
    }
  };
  RunTheMinute();
  ASSERT_TRUE(rearmed);
  EXPECT_EQ(rig_.client.JournalOf("Switch"), (std::vector<std::string>{"Switch(自宅)", "Switch(仕事)"}));
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 2u);
  // Afterwards the schedule's own next run again.
  EXPECT_EQ(rig_.machine->NextRunWeekday(), kSat);
  EXPECT_EQ(rig_.machine->NextRun().hour, 23);
  EXPECT_EQ(rig_.machine->NextRun().accounts, std::vector<std::string>{"自宅"});
}

TEST_F(TimedMovesTest, HeldMailsAreForwardedIntoTheRecordsOwnAccount) {
  CAccountJob record = MakeRecord("Account1", "仕事");
  record.reserve.Remain = 1;
  record.reserve.RemainFromAccount = "Account2";
  record.reserve.RemainFromFolder = "Hold.box";
  record.reserve.RemainToFolder = "Inbox.box";
  record.reserve.UnReadCheck = 1;
  rig_.jobs.Append(record);
  // Forwarding a folder onto itself would repeat every minute: skipped.
  CAccountJob loop = MakeRecord("Account2", "自宅");
  loop.reserve.Remain = 1;
  loop.reserve.RemainFromAccount = "account2";
  loop.reserve.RemainFromFolder = "Hold.box";
  loop.reserve.RemainToFolder = "HOLD.BOX";
  rig_.jobs.Append(loop);
  data_.AddMail("Account2", "Hold.box", "00000009", At(-kMinute));
  data_.AddMail("Account2", "Hold.box", "00000010", At(kMinute));
  rig_.client.SetRunningOn(root_);
  RunTheMinute();
  EXPECT_EQ(rig_.client.Journal(),
            (std::vector<std::string>{"MarkMail(Account2\\Hold.box\\00000009,1073741824,1)",
                                      "MoveMail(Account2\\Hold.box\\00000009,Account1\\Inbox.box)"}));
}

TEST_F(TimedMovesTest, OnlyMailsTheClientMovedPullTheRunForward) {
  Reserving(0, 0, 1);
  data_.AddMail("Account1", "予約.box", "00000001", At(-kMinute));
  data_.AddMail("Account1", "予約.box", "00000002", At(-kMinute));
  const std::string first = "Account1\\予約.box\\00000001";
  const std::string second = "Account1\\予約.box\\00000002";
  rig_.client.SetRunningOn(root_);
  rig_.client.SetFetchPolls(1);
  // The client refuses both moves, minute after minute: tried again every
  // minute, never a run for them.
  rig_.client.SetMoveOutcome(first, MoveOutcome::kRefused);
  rig_.client.SetMoveOutcome(second, MoveOutcome::kRefused);
  rig_.RunUntil(static_cast<std::int64_t>(Tick() + 2 * kMinute + 20) * 1000);
  EXPECT_EQ(rig_.client.JournalOf("MoveMail").size(), 6u);
  EXPECT_TRUE(rig_.client.JournalOf("StartFetch").empty());
  // A client that does not answer at all is not asked again within the minute.
  rig_.client.ClearJournal();
  rig_.client.SetMoveOutcome(first, MoveOutcome::kNoAnswer);
  rig_.RunUntil(static_cast<std::int64_t>(Tick() + 3 * kMinute + 20) * 1000);
  EXPECT_EQ(rig_.client.JournalOf("MoveMail"),
            std::vector<std::string>{"MoveMail(" + first + ",Account1\\Outbox.box)"});
  EXPECT_TRUE(rig_.client.JournalOf("StartFetch").empty());
  // Once it takes one, the run comes at once.
  rig_.client.SetMoveOutcome(first, MoveOutcome::kMoved);
  rig_.RunUntil(static_cast<std::int64_t>(Tick() + 4 * kMinute + 20) * 1000);
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 1u);
}

TEST_F(TimedMovesTest, AMailWhoseMoveCannotBeAskedForGetsNoCommandAtAll) {
  ASSERT_TRUE(data_.AddFolder("Account1", "予約(1).box", "予約", ""));
  ASSERT_TRUE(data_.AddFolder("Account1", "In,box", "", ""));
  const struct {
    const char* what;
    const char* account;
    const char* folder;         // reserved in, or forwarded from Account2's Hold.box when empty
    const char* forwardTo;      // forwarding target of Account1
  } cases[] = {
      {"a reservation folder that cannot stand in a command", "Account1", "予約(1).box", ""},
      {"an account without an outbox", "Account2", "Hold.box", ""},
      {"a forwarding target that cannot stand in a command", "Account1", "", "In,box"},
      {"a forwarding target that is not there", "Account1", "", "Gone.box"},
  };
  int mails = 0;
  for (const auto& c : cases) {
    const std::string mail = "0000000" + std::to_string(++mails);
    rig_.jobs.Clear();
    CAccountJob record = MakeRecord(c.account, "仕事");
    if (*c.folder != '\0') {
      record.reserve.Reserve = 1;
      record.reserve.ReserveFolder = c.folder;
      record.reserve.SendCheck = 1;
      data_.AddMail(c.account, c.folder, mail, At(-kMinute));
    } else {
      record.reserve.Remain = 1;
      record.reserve.RemainFromAccount = "Account2";
      record.reserve.RemainFromFolder = "Hold.box";
      record.reserve.RemainToFolder = c.forwardTo;
      record.reserve.UnReadCheck = 1;
      data_.AddMail("Account2", "Hold.box", mail, At(-kMinute));
    }
    rig_.jobs.Append(record);
    rig_.client.ClearJournal();
    rig_.client.SetRunningOn(root_);
    rig_.RunUntil(rig_.clock.ms + kMinute * 1000);
    EXPECT_TRUE(rig_.client.Journal().empty()) << c.what;
  }
}

struct OneMoveCase {
  const char* what;
  void (*set)(CReserveData& work, CReserveData& home);
  const char* move;
};

class OneMoveTest : public TimedMovesTest, public ::testing::WithParamInterface<OneMoveCase> {};

void ForwardHoldToWorkInbox(CReserveData& data) {
  data.Remain = 1;
  data.RemainFromAccount = "Account2";
  data.RemainFromFolder = "Hold.box";
  data.RemainToFolder = "Inbox.box";
}

TEST_P(OneMoveTest, AMailIsNamedInOneMoveAtMostInAMinute) {
  ASSERT_TRUE(data_.AddFolder("Account2", "Inbox.box", "", ""));
  ASSERT_TRUE(data_.AddFolder("Account2", "Outbox.box", "", ""));
  data_.AddMail("Account2", "Hold.box", "x", At(-kMinute));
  CAccountJob work = MakeRecord("Account1", "仕事");
  CAccountJob home = MakeRecord("Account2", "自宅");
  GetParam().set(work.reserve, home.reserve);
  rig_.jobs.Append(work);
  rig_.jobs.Append(home);
  // The client carries a move out at once, and the target's index shows it.
  rig_.client.onMove = [this](const std::string& mail, const std::string& target) {
    const std::size_t slash = target.find('\\');
    data_.AddMail(target.substr(0, slash), target.substr(slash + 1),
                  mail.substr(mail.rfind('\\') + 1), At(-kMinute));
  };
  rig_.client.SetRunningOn(root_);
  RunTheMinute();
  EXPECT_EQ(rig_.client.JournalOf("MoveMail"), std::vector<std::string>{GetParam().move});
}

INSTANTIATE_TEST_SUITE_P(
    TimedMoves, OneMoveTest,
    ::testing::Values(
        OneMoveCase{"two records forward the same folder",
                    [](CReserveData& work, CReserveData& home) {
                      ForwardHoldToWorkInbox(work);
                      ForwardHoldToWorkInbox(home);
                      home.RemainToFolder = "Inbox.box";
                    },
                    "MoveMail(Account2\\Hold.box\\x,Account1\\Inbox.box)"},
        OneMoveCase{"a reservation folder that is also forwarded",
                    [](CReserveData& work, CReserveData& home) {
                      home.Reserve = 1;
                      home.ReserveFolder = "Hold.box";
                      ForwardHoldToWorkInbox(work);
                    },
                    "MoveMail(Account2\\Hold.box\\x,Account2\\Outbox.box)"},
        OneMoveCase{"two accounts that forward to each other",
                    [](CReserveData& work, CReserveData& home) {
                      ForwardHoldToWorkInbox(work);
                      home.Remain = 1;
                      home.RemainFromAccount = "Account1";
                      home.RemainFromFolder = "Inbox.box";
                      home.RemainToFolder = "Hold.box";
                    },
                    "MoveMail(Account2\\Hold.box\\x,Account1\\Inbox.box)"}));

TEST_F(TimedMovesTest, WithoutADataRootTheMinuteStillRunsThrough) {
  rig_.machine->SetSettings(JobSettings{});
  Reserving(0, 0, 0);
  data_.AddMail("Account1", "予約.box", "00000001", At(-kMinute));
  RunTheMinute();
  EXPECT_TRUE(rig_.client.Journal().empty());
  EXPECT_EQ(rig_.steps, (std::vector<int>{2, 1, 3}));
}

}  // namespace
