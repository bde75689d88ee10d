// Send reservation and forwarding against a real data directory on disk and a
// client that journals the commands it is given.
#include "jobs/timed_moves.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "data_dir/mailbox_paths.h"
#include "jobs/pending_mails.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/job_fakes.h"
#include "support/scratch_directory.h"
#include "text/cp932.h"

namespace {

constexpr std::time_t kTick = 1000000;
const std::string kFirst = "Account1\\予約.box\\00000001";
const std::string kSecond = "Account1\\予約.box\\00000002";

std::int32_t At(int offset) { return static_cast<std::int32_t>(kTick + offset); }

void Reserve(CAccountJob& record, const char* folder = "予約.box") {
  record.reserve.Reserve = 1, record.reserve.ReserveFolder = folder;
}

void ForwardHold(CAccountJob& record, const char* to = "Inbox.box") {
  record.reserve.Remain = 1, record.reserve.RemainToFolder = to;
  record.reserve.RemainFromAccount = "Account2", record.reserve.RemainFromFolder = "Hold.box";
}

class TimedMovesTest : public ::testing::Test {
 protected:
  TimedMovesTest() : data_(scratch_.Path()), work_(MakeRecord("Account1", "仕事")), home_(MakeRecord("Account2", "自宅")) {
    EXPECT_TRUE(data_.AddAccount("Account1", "仕事", 0, "") && data_.AddAccount("Account2", "自宅", 0, ""));
    for (const char* folder : {"Outbox.box", "Inbox.box", "予約.box", "予約(1).box", "In,box"}) {
      EXPECT_TRUE(data_.AddFolder("Account1", folder, "", ""));
    }
    for (const char* folder : {"Hold.box", "予約.box"}) EXPECT_TRUE(data_.AddFolder("Account2", folder, "", ""));
  }

  // One minute's chain: the reservation, then the forwarding; the accounts to run now.
  Texts RunMinute() {
    CAccountJobList jobs;
    jobs.Append(work_), jobs.Append(home_);
    MoveChain chain;
    const TimedMoves moves{client_, scratch_.Path(), jobs, kTick, [this] { return ++ensured_, clientThere_; }, chain,
                           [this](const RunEvent& event) { reported_.push_back(EventLine(event)); }};
    const Texts sendNow = SendReservedMails(moves);
    ForwardHeldMails(moves);
    return sendNow;
  }

  ScratchDirectory scratch_;
  sample::DataDirectoryBuilder data_;
  CAccountJob work_, home_;
  FakeClient client_;
  bool clientThere_ = true;
  int ensured_ = 0;
  Texts reported_;
};

TEST_F(TimedMovesTest, DueMailsAreMarkedThenMovedKindByKindAfterTheClientIsMadeSure) {
  Reserve(work_);
  ForwardHold(home_);  // into its own Inbox, which is not there
  ForwardHold(work_);
  work_.reserve.SendCheck = work_.reserve.UnReadCheck = 1, work_.reserve.ReserveMark = 7;
  work_.reserve.RemainMark = 8;  // no mark of the client's
  data_.AddMail("Account1", "予約.box", "00000001", At(-120));
  data_.AddMail("Account1", "予約.box", "00000002", At(-1));
  data_.AddMail("Account1", "予約.box", "00000003", At(0));  // due only after the tick
  data_.AddMail("Account1", "予約.box", "a),Move(x", At(-1));  // cannot stand in a command
  data_.AddMail("Account2", "Hold.box", "00000009", At(-60));
  EXPECT_TRUE(RunMinute().empty());  // 仕事 does not send at once
  EXPECT_EQ(ensured_, 2);
  const std::string bits = ",-1056964608,1)";
  EXPECT_EQ(client_.JournalOf(),
            (Texts{"MarkMail(" + kFirst + bits, "MarkMail(" + kSecond + bits, "MarkMail(" + kFirst + ",7,0)",
                   "MarkMail(" + kSecond + ",7,0)", "MarkMail(" + kFirst + ",7,1)", "MarkMail(" + kSecond + ",7,1)",
                   "MoveMail(" + kFirst + ",Account1\\Outbox.box)", "MoveMail(" + kSecond + ",Account1\\Outbox.box)",
                   "MarkMail(Account2\\Hold.box\\00000009,1073741824,1)",
                   "MoveMail(Account2\\Hold.box\\00000009,Account1\\Inbox.box)"}));
  EXPECT_EQ(reported_, (Texts{"|仕事|sent: " + kFirst, "|仕事|sent: " + kSecond,
                              "|仕事|forwarded: Account2\\Hold.box\\00000009 → Account1\\Inbox.box"}));
}

TEST_F(TimedMovesTest, NothingIsAskedOfTheClientUnlessAMailCanMove) {
  const struct {
    const char* what;
    void (*set)(CAccountJob& work);
    bool there;  // a client on the data root
    int ensured;
  } cases[] = {
      {"an empty folder", [](CAccountJob& w) { Reserve(w, "Outbox.box"); }, true, 0},
      {"a mail at the tick itself waits", [](CAccountJob& w) { Reserve(w, "Inbox.box"); }, true, 1},
      {"no client answers for the data root", [](CAccountJob& w) { Reserve(w), ForwardHold(w); }, false, 2},
      {"a reservation folder that cannot stand in a command", [](CAccountJob& w) { Reserve(w, "予約(1).box"); }, true, 1},
      {"reservation turned off", [](CAccountJob& w) { Reserve(w), w.reserve.Reserve = 0; }, true, 0},
      {"an account without an outbox", [](CAccountJob& w) { w.directory = "Account2"; Reserve(w); }, true, 0},
      {"a forwarding target that cannot stand in a command", [](CAccountJob& w) { ForwardHold(w, "In,box"); }, true, 0},
      {"a forwarding target that is not there", [](CAccountJob& w) { ForwardHold(w, "Gone.box"); }, true, 0},
      {"a folder forwarded onto itself",
       [](CAccountJob& w) { w.directory = "Account2", ForwardHold(w, "HOLD.BOX"), w.reserve.RemainFromAccount = "account2"; },
       true, 0},
  };
  data_.AddMail("Account1", "Inbox.box", "00000001", At(0));
  for (const char* folder : {"予約.box", "予約(1).box"}) data_.AddMail("Account1", folder, "00000001", At(-60));
  for (const char* folder : {"予約.box", "Hold.box"}) data_.AddMail("Account2", folder, "00000001", At(-60));
  for (const auto& c : cases) {
    c.set(work_ = MakeRecord("Account1", "仕事"));
    clientThere_ = c.there, ensured_ = 0;
    RunMinute();
    EXPECT_EQ(ensured_, c.ensured) << c.what;
    EXPECT_TRUE(client_.JournalOf().empty()) << c.what;
  }
}

TEST_F(TimedMovesTest, OnlyMailsTheClientMovedCountAndASilentClientIsAskedNoMore) {
  Reserve(work_), ForwardHold(home_, "予約.box");
  work_.ReserveSend = 1;
  data_.AddMail("Account2", "Hold.box", "00000005", At(-60));
  for (const char* mail : {"00000001", "00000002"}) data_.AddMail("Account1", "予約.box", mail, At(-60));
  const struct {
    MoveOutcome first, second;
    Texts sendNow;
    std::size_t moves;
  } cases[] = {
      {MoveOutcome::kRefused, MoveOutcome::kRefused, {}, 3},
      {MoveOutcome::kRefused, MoveOutcome::kMoved, {"仕事"}, 3},
      {MoveOutcome::kNoAnswer, MoveOutcome::kMoved, {}, 1},
  };
  for (const auto& c : cases) {
    client_.ClearJournal();
    client_.moveOutcomes = {{kFirst, c.first}, {kSecond, c.second}};
    EXPECT_EQ(RunMinute(), c.sendNow);
    EXPECT_EQ(client_.JournalOf("MoveMail").size(), c.moves);
  }
  EXPECT_EQ(std::count(reported_.begin(), reported_.end(), "!|仕事|refused: " + kFirst), 2);
  EXPECT_EQ(std::count(reported_.begin(), reported_.end(), "!|仕事|silent: " + kFirst), 1);
}

TEST_F(TimedMovesTest, AMailIsNamedInOneMoveAtMostInAMinute) {
  ASSERT_TRUE(data_.AddFolder("Account2", "Inbox.box", "", "") && data_.AddFolder("Account2", "Outbox.box", "", ""));
  const struct {
    const char* what;
    void (*set)(CAccountJob& work, CAccountJob& home);
    const char* move;
  } cases[] = {
      {"two records forward the same folder", [](CAccountJob& w, CAccountJob& h) { ForwardHold(w), ForwardHold(h); },
       "MoveMail(Account2\\Hold.box\\x,Account1\\Inbox.box)"},
      {"a reservation folder also forwarded", [](CAccountJob& w, CAccountJob& h) { Reserve(h, "Hold.box"), ForwardHold(w); },
       "MoveMail(Account2\\Hold.box\\x,Account2\\Outbox.box)"},
      {"two accounts that forward to each other",
       [](CAccountJob& w, CAccountJob& h) {
         ForwardHold(w), ForwardHold(h, "Hold.box");
         h.reserve.RemainFromAccount = "Account1", h.reserve.RemainFromFolder = "Inbox.box";
       },
       "MoveMail(Account2\\Hold.box\\x,Account1\\Inbox.box)"},
  };
  // The client carries a move out at once, and the target's index shows it.
  client_.onMove = [this](const std::string& mail, const std::string& target) {
    const std::size_t slash = cp932::Find(target, '\\');
    data_.AddMail(target.substr(0, slash), target.substr(slash + 1), mail.substr(cp932::FindLast(mail, '\\') + 1), At(-60));
  };
  for (const auto& c : cases) {
    for (const auto& [account, folder] : {std::pair{"Account1", "Inbox.box"}, {"Account2", "Hold.box"},
                                          {"Account2", "Inbox.box"}, {"Account2", "Outbox.box"}}) {
      ASSERT_TRUE(sample::WriteFile(EntryListPath(scratch_.Path(), account, folder), ""));
    }
    c.set(work_ = MakeRecord("Account1", "仕事"), home_ = MakeRecord("Account2", "自宅")), client_.ClearJournal();
    for (int twice = 0; twice < 2; ++twice) data_.AddMail("Account2", "Hold.box", "x", At(-60));
    RunMinute();
    EXPECT_EQ(client_.JournalOf("MoveMail"), Texts{c.move}) << c.what;
  }
}

// The pending list reads the same folders: reservation's and forwarding's, by
// due time, each mail's subject from its header (ISO-2022-JP folded over two
// lines, Shift_JIS with 表 ending in "\\", none), two minutes late marked.
TEST_F(TimedMovesTest, PendingMailsAreListedByDueTimeWithTheirSubjects) {
  Reserve(work_), ForwardHold(work_);
  // Reservation and forwarding off, with their folders set.
  home_.reserve.ReserveFolder = home_.reserve.RemainFromFolder = "予約.box", home_.reserve.RemainFromAccount = "Account1";
  const struct {
    const char *account, *folder, *name;
    int offset;
    std::string header;
  } mails[] = {
      {"Account1", "予約.box", "00000001", 3600,
       "From: a\r\nSubject: =?ISO-2022-JP?B?GyRCTT1McyVGJTklSBsoQg==?=\r\n =?iso-2022-jp?b?GyRCJE43bxsoQg==?=\r\n\r\nSubject: x"},
      {"Account1", "予約.box", "00000002", -121, "Subject: Re: =?Shift_JIS?Q?=95=5C=8E=A6?= _x\r\n"},
      {"Account2", "Hold.box", "00000009", 60, "From: b\r\n\r\n"},
      {"Account2", "予約.box", "00000005", 0, "Subject: x\r\n"},
  };
  for (const auto& m : mails) {
    ASSERT_TRUE(data_.AddMail(m.account, m.folder, m.name, At(m.offset)));
    ASSERT_TRUE(sample::WriteFile(JoinPath(FolderDirectory(scratch_.Path(), m.account, m.folder), m.name), m.header));
  }
  CAccountJobList jobs;
  jobs.Append(work_), jobs.Append(home_);
  Texts listed;
  for (const PendingMail& p : ListPendingMails(scratch_.Path(), jobs, kTick)) {
    listed.push_back(std::to_string(p.due - kTick) + (p.forwarding ? " forward " : " send ") + p.account + " " + p.mail +
                     " > " + p.target + " " + p.subject + (p.overdue ? " !" : ""));
  }
  EXPECT_EQ(listed, (Texts{"-121 send 仕事 " + kSecond + " > Account1\\Outbox.box Re: 表示 _x !",
                           "60 forward 仕事 Account2\\Hold.box\\00000009 > Account1\\Inbox.box 00000009",
                           "3600 send 仕事 " + kFirst + " > Account1\\Outbox.box 予約テストの件"}));
  EXPECT_TRUE(ListPendingMails("", jobs, kTick).empty());
}

}  // namespace
