// Send reservation and forwarding in the machine's minute, against a real data
// directory on disk and a client that journals the commands it is given.
#include <gtest/gtest.h>

#include "sample_data/sample_data.h"
#include "support/job_fakes.h"
#include "support/scratch_directory.h"

namespace {

using Texts = std::vector<std::string>;
constexpr int kMinute = 60;
const std::string kFirst = "Account1\\予約.box\\00000001";
const std::string kSecond = "Account1\\予約.box\\00000002";

void ForwardHold(CReserveData& data, const char* to = "Inbox.box") {
  data.Remain = 1;
  data.RemainFromAccount = "Account2";
  data.RemainFromFolder = "Hold.box";
  data.RemainToFolder = to;
}

class TimedMovesTest : public ::testing::Test {
 protected:
  TimedMovesTest() : data_(scratch_.Path()), root_(scratch_.Path()) {
    EXPECT_TRUE(data_.AddAccount("Account1", "仕事", 0, ""));
    EXPECT_TRUE(data_.AddAccount("Account2", "自宅", 0, ""));
    for (const char* folder : {"Outbox.box", "Inbox.box", "予約.box"}) {
      EXPECT_TRUE(data_.AddFolder("Account1", folder, "", ""));
    }
    EXPECT_TRUE(data_.AddFolder("Account2", "Hold.box", "保留", ""));
    JobSettings settings;
    settings.dataRoot = root_;
    rig_.machine->SetSettings(settings);
    // Armed, with the schedule's own run far away: Saturday 23:00.
    rig_.schedule.Day(6).AddEntry(23, 0, {"自宅"}, 0);
    rig_.clock.ms = (kTick - 30) * 1000LL;
    rig_.machine->OnTimerStart();
    rig_.client.shown = "仕事";
  }

  // The minute under test is Wednesday 10:00.
  static constexpr std::time_t kTick = 7 * 86400 + 10 * 3600;  // WeekTime(3, 10, 0)
  static std::int32_t At(int offset) { return static_cast<std::int32_t>(kTick + offset); }

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
  // Runs to 20 seconds into the minute minutes after the tick.
  void RunMinute(int minutes = 0) { rig_.RunUntil((kTick + minutes * kMinute + 20) * 1000LL); }

  ScratchDirectory scratch_;
  sample::DataDirectoryBuilder data_;
  std::string root_;
  JobRig rig_;
};

TEST_F(TimedMovesTest, DueReservedMailsAreMarkedThenMovedKindByKind) {
  Reserving(1, 1, 0);
  data_.AddMail("Account1", "予約.box", "00000001", At(-2 * kMinute));
  data_.AddMail("Account1", "予約.box", "00000002", At(-1));
  data_.AddMail("Account1", "予約.box", "00000003", At(3600));
  data_.AddMail("Account1", "予約.box", "a),Move(x", At(-1));  // cannot stand in a command
  rig_.client.SetRunningOn(root_);
  RunMinute();
  EXPECT_EQ(rig_.client.Journal(),
            (Texts{"MarkMail(" + kFirst + ",-1056964608,1)", "MarkMail(" + kSecond + ",-1056964608,1)",
                   "MarkMail(" + kFirst + ",7,0)", "MarkMail(" + kSecond + ",7,0)", "MarkMail(" + kFirst + ",1,1)",
                   "MarkMail(" + kSecond + ",1,1)", "MoveMail(" + kFirst + ",Account1\\Outbox.box)",
                   "MoveMail(" + kSecond + ",Account1\\Outbox.box)"}));
}

TEST_F(TimedMovesTest, OnlyADueMailStartsTheClientAndOneAtTheTickWaitsAMinute) {
  Reserving(0, 0, 1);
  data_.AddMail("Account1", "予約.box", "00000003", At(3600));
  RunMinute();
  EXPECT_TRUE(rig_.client.Journal().empty());
  EXPECT_EQ(rig_.steps, (std::vector<int>{2, 1, 3}));
  data_.AddMail("Account1", "予約.box", "00000001", At(kMinute));
  RunMinute(1);
  EXPECT_EQ(rig_.client.Journal(), Texts{"Launch(," + root_ + ")"});
  RunMinute(2);
  EXPECT_EQ(rig_.client.JournalOf("MoveMail"), Texts{"MoveMail(" + kFirst + ",Account1\\Outbox.box)"});
}

TEST_F(TimedMovesTest, AClientOnAnotherDataRootIsNeverNamedAMail) {
  ForwardHold(Reserving(0, 0, 0).reserve);
  data_.AddMail("Account1", "予約.box", "00000001", At(-kMinute));
  data_.AddMail("Account2", "Hold.box", "00000002", At(-kMinute));
  // One that will not close, or too slow to say where it is: no second client beside it.
  rig_.client.SetRunningOn("E:\\他のメール");
  RunMinute();
  EXPECT_TRUE(rig_.client.Journal().empty());
  rig_.client.Quit();
  RunMinute(1);
  EXPECT_EQ(rig_.client.JournalOf("MoveMail"), (Texts{"MoveMail(" + kFirst + ",Account1\\Outbox.box)",
                                                      "MoveMail(Account2\\Hold.box\\00000002,Account1\\Inbox.box)"}));
}

TEST_F(TimedMovesTest, SendNowPullsTheRunForwardOnlyForMailsTheClientMoved) {
  rig_.jobs.Append(MakeRecord("Account2", "自宅"));
  Reserving(0, 0, 1);
  data_.AddMail("Account1", "予約.box", "00000001", At(-kMinute));
  data_.AddMail("Account1", "予約.box", "00000002", At(-kMinute));
  rig_.client.SetRunningOn(root_);
  rig_.client.SetFetchPolls(1);
  // Refused, minute after minute: tried again each minute, never a run for them.
  rig_.client.moveOutcomes = {{kFirst, MoveOutcome::kRefused}, {kSecond, MoveOutcome::kRefused}};
  RunMinute(1);
  EXPECT_EQ(rig_.client.JournalOf("MoveMail").size(), 4u);
  // A client that does not answer is asked nothing more in the minute.
  rig_.client.ClearJournal();
  rig_.client.moveOutcomes[kFirst] = MoveOutcome::kNoAnswer;
  RunMinute(2);
  EXPECT_EQ(rig_.client.Journal(), Texts{"MoveMail(" + kFirst + ",Account1\\Outbox.box)"});
  // Once it takes one the run comes at once, for its account beside the run's
  // own, and a re-arm between steps 2 and 3 keeps it.
  rig_.client.ClearJournal();
  rig_.client.moveOutcomes[kFirst] = MoveOutcome::kMoved;
  rig_.observer = [this, rearmed = false]() mutable {
    if (!rearmed && rig_.steps.back() == 2) {
      rearmed = true;
      rig_.machine->OnTimerStart();
    }
  };
  RunMinute(3);
  EXPECT_EQ(rig_.client.JournalOf("Switch"), (Texts{"Switch(自宅)", "Switch(仕事)"}));
  EXPECT_EQ(rig_.client.JournalOf("StartFetch").size(), 2u);
  // Afterwards the schedule's own next run again.
  EXPECT_EQ(rig_.machine->NextRunWeekday(), 6);
  EXPECT_EQ(rig_.machine->NextRun().accounts, Texts{"自宅"});
}

TEST_F(TimedMovesTest, HeldMailsGoIntoTheRecordsOwnAccountButNeverOntoThemselves) {
  CAccountJob record = MakeRecord("Account1", "仕事");
  ForwardHold(record.reserve);
  record.reserve.UnReadCheck = 1;
  record.reserve.RemainMark = 8;  // no mark of the client's
  rig_.jobs.Append(record);
  CAccountJob loop = MakeRecord("Account2", "自宅");
  ForwardHold(loop.reserve, "HOLD.BOX");
  loop.reserve.RemainFromAccount = "account2";
  rig_.jobs.Append(loop);
  data_.AddMail("Account2", "Hold.box", "00000009", At(-kMinute));
  data_.AddMail("Account2", "Hold.box", "00000010", At(kMinute));
  rig_.client.SetRunningOn(root_);
  RunMinute();
  EXPECT_EQ(rig_.client.Journal(), (Texts{"MarkMail(Account2\\Hold.box\\00000009,1073741824,1)",
                                          "MoveMail(Account2\\Hold.box\\00000009,Account1\\Inbox.box)"}));
}

TEST_F(TimedMovesTest, AMailWhoseMoveCannotBeAskedForGetsNoCommandAtAll) {
  ASSERT_TRUE(data_.AddFolder("Account1", "予約(1).box", "予約", ""));
  ASSERT_TRUE(data_.AddFolder("Account1", "In,box", "", ""));
  ASSERT_TRUE(data_.AddFolder("Account2", "予約.box", "", ""));
  const struct {
    const char* what;
    const char* account;
    const char* reserveIn;  // forwarded from Account2's Hold.box when empty
    const char* forwardTo;
    int reserve;
  } cases[] = {
      {"a reservation folder that cannot stand in a command", "Account1", "予約(1).box", "", 1},
      {"an account without an outbox", "Account2", "予約.box", "", 1},
      {"reservation turned off", "Account1", "予約.box", "", 0},
      {"a forwarding target that cannot stand in a command", "Account1", "", "In,box", 0},
      {"a forwarding target that is not there", "Account1", "", "Gone.box", 0},
  };
  int minute = 0;
  for (const auto& c : cases) {
    const std::string mail = "0000000" + std::to_string(minute + 1);
    rig_.jobs.Clear();
    CAccountJob record = MakeRecord(c.account, "仕事");
    if (*c.reserveIn != '\0') {
      record.reserve.Reserve = c.reserve;
      record.reserve.ReserveFolder = c.reserveIn;
      record.reserve.SendCheck = 1;
      data_.AddMail(c.account, c.reserveIn, mail, At(-kMinute));
    } else {
      ForwardHold(record.reserve, c.forwardTo);
      record.reserve.UnReadCheck = 1;
      data_.AddMail("Account2", "Hold.box", mail, At(-kMinute));
    }
    rig_.jobs.Append(record);
    rig_.client.ClearJournal();
    rig_.client.SetRunningOn(root_);
    RunMinute(minute++);
    EXPECT_TRUE(rig_.client.Journal().empty()) << c.what;
  }
}

struct OneMoveCase {
  const char* what;
  void (*set)(CReserveData& work, CReserveData& home);
  const char* move;
};

class OneMoveTest : public TimedMovesTest, public ::testing::WithParamInterface<OneMoveCase> {};

TEST_P(OneMoveTest, AMailIsNamedInOneMoveAtMostInAMinute) {
  ASSERT_TRUE(data_.AddFolder("Account2", "Inbox.box", "", ""));
  ASSERT_TRUE(data_.AddFolder("Account2", "Outbox.box", "", ""));
  data_.AddMail("Account2", "Hold.box", "x", At(-kMinute));
  data_.AddMail("Account2", "Hold.box", "x", At(-kMinute));  // listed twice
  CAccountJob work = MakeRecord("Account1", "仕事");
  CAccountJob home = MakeRecord("Account2", "自宅");
  GetParam().set(work.reserve, home.reserve);
  rig_.jobs.Append(work);
  rig_.jobs.Append(home);
  // The client carries a move out at once, and the target's index shows it.
  rig_.client.onMove = [this](const std::string& mail, const std::string& target) {
    const std::size_t slash = target.find('\\');
    data_.AddMail(target.substr(0, slash), target.substr(slash + 1), mail.substr(mail.rfind('\\') + 1), At(-kMinute));
  };
  rig_.client.SetRunningOn(root_);
  RunMinute();
  EXPECT_EQ(rig_.client.JournalOf("MoveMail"), Texts{GetParam().move});
}

INSTANTIATE_TEST_SUITE_P(TimedMoves, OneMoveTest,
                         ::testing::Values(OneMoveCase{"two records forward the same folder",
                                                       [](CReserveData& work, CReserveData& home) {
                                                         ForwardHold(work), ForwardHold(home);
                                                       },
                                                       "MoveMail(Account2\\Hold.box\\x,Account1\\Inbox.box)"},
                                           OneMoveCase{"a reservation folder also forwarded",
                                                       [](CReserveData& work, CReserveData& home) {
                                                         home.Reserve = 1;
                                                         home.ReserveFolder = "Hold.box";
                                                         ForwardHold(work);
                                                       },
                                                       "MoveMail(Account2\\Hold.box\\x,Account2\\Outbox.box)"},
                                           OneMoveCase{"two accounts that forward to each other",
                                                       [](CReserveData& work, CReserveData& home) {
                                                         ForwardHold(work);
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
  RunMinute();
  EXPECT_TRUE(rig_.client.Journal().empty());
  EXPECT_EQ(rig_.steps, (std::vector<int>{2, 1, 3}));
}

}  // namespace
