// A week of minutes against a client and a line that misbehave at random under a
// fixed seed, the invariants checked after every event, the moves landing on disk.
#include <gtest/gtest.h>

#include <iostream>
#include <random>

#include "data_dir/mailbox_paths.h"
#include "sample_data/sample_data.h"
#include "sample_data/sample_disk.h"
#include "support/job_fakes.h"
#include "support/scratch_directory.h"
#include "text/cp932.h"

namespace {

constexpr int kMinutes = 7 * 24 * 60;
constexpr std::uint32_t kSeed = 20261206;
constexpr int kRetryCount = 2;

// Directory, title and dial-up entry ("": it does not dial).
constexpr const char* kAccounts[][3] = {
    {"Account1", "仕事", ""}, {"Account2", "自宅", "ISP-A"}, {"Account3", "ソフト部", "ISP-B"}};

// "Account1\予約.box\00000001" into "Account1\予約.box" and "00000001".
std::pair<std::string, std::string> SplitLast(const std::string& path) {
  const std::size_t last = cp932::FindLast(path, '\\');
  return {path.substr(0, last), path.substr(last + 1)};
}

class WeekRunTest : public ::testing::Test {
 protected:
  WeekRunTest() : random_(kSeed) {
    FakeClient& client = rig_.client;
    client.SetRunningOn(scratch_.Path());
    client.onCall = [this, &client](const std::string& call) {
      const std::size_t open = cp932::Find(call, '(');
      const std::string name = call.substr(0, open);
      const std::string mail = open == std::string::npos ? "" : call.substr(open + 1, cp932::Find(call, ',') - open - 1);
      if (name == "Launch") {
        client.launchWorks = !Fault(100);
        if (client.launchWorks) client.shown = "仕事", client.window.clear();
      } else if (name == "Switch") {
        client.switchWorks = !Fault(20);
      } else if (name == "StartFetch") {
        // A fetch the client is gone for ends at once.
        if (!client.IsRunning()) return void(client.fetchPolls = 0);
        ++fetches_;
        client.fetchPolls = 1 + static_cast<int>(random_() % 200);
        if (Fault(20)) return void(client.fetchPolls = -1);
        if (Fault(80)) return client.QueueDialog(kErrorDialog);
        if (Chance(100)) client.QueueDialog(kMailReceivedDialog);
      } else if (name == "MarkMail") {
        Due(mail);
      } else if (name == "MoveMail") {
        client.moveOutcomes = {{mail, !client.IsRunning() ? MoveOutcome::kNoAnswer
                                      : Due(mail)         ? MoveOutcome::kMoved
                                                          : MoveOutcome::kRefused}};
      }
    };
    // Only the folders mails wait in are read, so a target's index is left as it is.
    client.onMove = [this](const std::string& mail, const std::string&) {
      waiting_.erase(mail), ++moved_;
      Write(SplitLast(mail).first);
    };
    sample::DataDirectoryBuilder data(scratch_.Path());
    for (const auto& [directory, title, dialEntry] : kAccounts) {
      EXPECT_TRUE(data.AddAccount(directory, title, dialEntry[0] ? 1 : 0, dialEntry));
      for (const char* folder : {"Outbox.box", "Inbox.box", "予約.box", "Hold.box"}) {
        EXPECT_TRUE(data.AddFolder(directory, folder, "", ""));
      }
      CAccountJob record = MakeRecord(directory, title, dialEntry);
      record.command.PreTidyUp = record.command.PostTidyUp = 1;
      rig_.jobs.Append(record);
    }
    // 仕事 reserves and sends at once, 自宅 reserves, ソフト部 takes 自宅's held mails.
    CAccountJob& work = rig_.jobs.At(0);
    work.reserve.Reserve = work.reserve.SendCheck = work.ReserveSend = work.command.ExecCommand = 1;
    work.reserve.ReserveMark = 2;
    work.command.CommandName = "C:\\Tools\\after.exe";
    rig_.jobs.At(1).reserve.Reserve = 1;
    work.reserve.ReserveFolder = rig_.jobs.At(1).reserve.ReserveFolder = "予約.box";
    CReserveData& club = rig_.jobs.At(2).reserve;
    club.Remain = club.UnReadCheck = 1, club.RemainMark = 5;
    club.RemainFromAccount = "Account2", club.RemainFromFolder = "Hold.box", club.RemainToFolder = "Inbox.box";

    JobSettings settings;
    settings.dataRoot = scratch_.Path(), settings.clientProgram = "C:\\Corvid\\corvid.exe", settings.defaultAccount = "仕事";
    rig_.machine->SetSettings(settings);
    CSchedule& schedule = rig_.schedule;
    schedule.RetryCount = kRetryCount, schedule.RetryInterval = 60, schedule.DialUp = 1;
    for (int day = 0; day < 7; ++day) {
      schedule.Day(day).AddEntry(7, 30, {"仕事", "自宅", "ソフト部"}, 1);
      schedule.Day(day).AddEntry(12, 0, {"仕事"}, 1);
      schedule.Day(day).AddEntry(18, 45, {"自宅", "ソフト部"}, 1);
      schedule.Day(day).AddEntry(22, 10, {"ソフト部"}, 1);
    }
    schedule.Day(1).AddEntry(9, 15, {"自宅"}, 0);
  }

  bool Chance(int perMille) { return static_cast<int>(random_() % 1000) < perMille; }
  bool Fault(int perMille) { return Chance(perMille) && ++faults_ > 0; }

  void Write(const std::string& folder) {
    std::string text;
    for (const auto& [mail, time] : waiting_) {
      if (SplitLast(mail).first == folder) text += sample::EntryLine(SplitLast(mail).second, time);
    }
    const auto [account, box] = SplitLast(folder);
    EXPECT_TRUE(sample::WriteFile(EntryListPath(scratch_.Path(), account, box), text)) << folder;
  }

  // A mail a command names must be there and due.
  bool Due(const std::string& mail) {
    const auto waiting = waiting_.find(mail);
    if (waiting == waiting_.end()) {
      ADD_FAILURE() << "named a mail that is not there: " << mail;
      return false;
    }
    EXPECT_LT(waiting->second, rig_.machine->TickTime()) << "named before its time: " << mail;
    return true;
  }

  // Mails and troubles arriving at the start of a minute; in the last hours no mails.
  void Weather(std::time_t now, bool lastHours) {
    for (const char* folder : {"Account1\\予約.box", "Account2\\予約.box", "Account2\\Hold.box"}) {
      if (lastHours || !Chance(60)) continue;
      char name[16];
      std::snprintf(name, sizeof name, "%08d", nextMail_++);
      waiting_[std::string(folder) + "\\" + name] = static_cast<std::int32_t>(now + static_cast<int>(random_() % 7500) - 300);
      Write(folder);
    }
    // The client process ends; the next launch brings it back.
    if (Fault(4)) rig_.client.Quit(), rig_.client.shown.clear(), rig_.client.window = "closed";
    rig_.dialer.failures.clear();
    if (Fault(50)) rig_.dialer.failures[random_() % 2 == 0 ? "ISP-A" : "ISP-B"] = 651;
  }

  void CheckInvariants() {
    const int step = static_cast<int>(rig_.machine->CurrentStep());
    const std::time_t now = rig_.clock.Now();
    ASSERT_LE(rig_.machine->RetriesLeft(), kRetryCount);
    if (previousStep_ == 0 && step != 0) jobStart_ = now, fetchesAtJobStart_ = fetches_;
    if (step != 0) {
      // Three accounts, three attempts each, every wait at its bound.
      ASSERT_LE(now - jobStart_, 3 * 3 * (30 * 60 + 30 + 60 + 5) + 60) << "a job that never ends";
      ASSERT_LE(fetches_ - fetchesAtJobStart_, 3 * (kRetryCount + 1) + 1);
    }
    if (previousStep_ != 0 && step == 0 && !rig_.steps.empty() && rig_.steps.back() == 11) {
      ++jobs_;
      ASSERT_FALSE(rig_.dialer.HasConnection()) << "a line left up after the run ended";
      lastCompletion_ = now;
    }
    if (step == 0) {
      CScheduleEntry expected(0, 0);
      const LocalTime from = rig_.clock.Local(lastCompletion_);
      const int weekday = rig_.schedule.ComputeNextRun(from.hour, from.minute, from.weekday, expected);
      ASSERT_EQ(rig_.machine->NextRunWeekday(), weekday);
      ASSERT_EQ(rig_.machine->NextRun().hour * 60 + rig_.machine->NextRun().minute, expected.hour * 60 + expected.minute);
    }
    previousStep_ = step;
  }

  ScratchDirectory scratch_;
  JobRig rig_;
  std::mt19937 random_;
  // The time of each mail still waiting, by its path ("Account1\予約.box\00000001").
  std::map<std::string, std::int32_t> waiting_;
  int nextMail_ = 1, previousStep_ = 0, fetches_ = 0, fetchesAtJobStart_ = 0, jobs_ = 0, faults_ = 0, moved_ = 0;
  std::time_t jobStart_ = 0, lastCompletion_ = 0;
};

TEST_F(WeekRunTest, AWeekOfMisbehaviourKeepsEveryInvariant) {
  // From a second before Sunday midnight.
  const std::time_t start = WeekTime(0, 0, 0, 0);
  rig_.clock.ms = (static_cast<std::int64_t>(start) - 1) * 1000;
  rig_.sparseTicks = true;
  rig_.machine->OnTimerStart();
  lastCompletion_ = rig_.clock.Now();
  rig_.observer = [this] { CheckInvariants(); };
  for (int minute = 0; minute < kMinutes && !HasFailure(); ++minute) {
    const std::time_t now = start + static_cast<std::time_t>(minute) * 60;
    rig_.RunUntil(static_cast<std::int64_t>(now) * 1000 + 1000);
    Weather(now, minute >= kMinutes - 6 * 60);
    rig_.RunUntil(static_cast<std::int64_t>(now + 60) * 1000 - 1);
    rig_.client.ClearJournal();
  }
  // Nothing lost: whatever was due hours before the end has moved by then.
  for (const auto& [mail, time] : waiting_) EXPECT_GE(time, start + kMinutes * 60 - 5 * 3600) << mail;
  EXPECT_GT(jobs_, 4 * 7);
  EXPECT_GT(moved_, 100);
  std::cout << "week run: " << kMinutes << " minutes, " << jobs_ << " jobs, " << fetches_ << " fetches, "
            << moved_ << " mails moved, " << faults_ << " faults injected\n";
}

}  // namespace
