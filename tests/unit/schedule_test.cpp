// The weekly schedule: the next run, the day lists, what the schedule page's
// edits do, and the schedule as stored.
#include "schedule/schedule.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

#include "settings/registry_key.h"
#include "settings/settings_layout.h"
#include "settings_ui/schedule_edits.h"
#include "support/settings_sandbox.h"

namespace {

enum { kSun, kMon, kTue, kWed, kThu, kFri, kSat };

// "hour:minute accounts" of each entry of a day.
std::vector<std::string> Seen(const CSchedule& schedule, int day) {
  std::vector<std::string> seen;
  for (std::size_t i = 0; i < schedule.Day(day).Count(); ++i) {
    const CScheduleEntry& e = schedule.Day(day).At(i);
    std::string text = std::to_string(e.hour) + ":" + std::to_string(e.minute) + (e.EveryDay ? "*" : "");
    for (const std::string& account : e.accounts) {
      text += " " + account;
    }
    seen.push_back(text);
  }
  return seen;
}

TEST(Schedule, TheNextRunIsTheFirstEntryStrictlyAfterNowWithinAWeek) {
  const struct {
    const char* what;
    std::vector<std::array<int, 3>> entries;  // weekday, hour, minute
    int hour, minute, weekday;
    int day, runHour, runMinute;
  } cases[] = {
      {"none", {}, 10, 0, kMon, -1, -1, -1},
      {"this very minute is next week's", {{kMon, 10, 0}}, 10, 0, kMon, kMon, 10, 0},
      {"later today", {{kWed, 9, 30}, {kWed, 9, 31}}, 9, 30, kWed, kWed, 9, 31},
      {"over midnight into Sunday", {{kSun, 0, 0}}, 23, 59, kSat, kSun, 0, 0},
      {"tomorrow before next week", {{kTue, 8, 0}, {kWed, 23, 0}}, 9, 0, kTue, kWed, 23, 0},
      {"earliest of the day", {{kFri, 7, 5}, {kFri, 6, 0}}, 12, 0, kThu, kFri, 6, 0},
      {"an unset hour never runs", {{kMon, -1, 30}}, 0, 0, kSun, -1, -1, -1},
      {"an unset minute runs by its hour", {{kMon, 5, -1}}, 0, 0, kSun, kMon, 5, -1},
  };
  for (const auto& c : cases) {
    CSchedule schedule;
    for (const auto& e : c.entries) {
      schedule.Day(e[0]).AddEntry(e[1], e[2], {"acc"}, 0);
    }
    CScheduleEntry out(12, 34);
    out.accounts = {"kept"};
    EXPECT_EQ(schedule.ComputeNextRun(c.hour, c.minute, c.weekday, out), c.day) << c.what;
    EXPECT_EQ(out.hour * 100 + out.minute, c.runHour * 100 + c.runMinute) << c.what;
    EXPECT_EQ(out.accounts[0], c.day < 0 ? "kept" : "acc") << c.what;
  }
}

TEST(Schedule, EntriesKeepTimeOrderAndArrivalOrderAmongEquals) {
  CSchedule schedule;
  CScheduleDayList& day = schedule.Day(kMon);
  day.AddEntry(8, 0, {"a"}, 0);
  day.AddEntry(7, 0, {"b"}, 0);
  CScheduleEntry* second = day.AddEntry(7, 0, {"c"}, 1);
  EXPECT_EQ(Seen(schedule, kMon), (std::vector<std::string>{"7:0 b", "7:0* c", "8:0 a"}));
  EXPECT_EQ(day.FindExact(7, 0)->accounts[0], "b");
  EXPECT_EQ(day.FindFirstAfter(7, 0)->accounts[0], "a");
  EXPECT_EQ(day.FindFirstAfter(8, 0), nullptr);

  // The page edits times in place; a copy puts the entries in order again.
  day.At(0).hour = 9;
  CSchedule copy;
  copy.Day(kMon).AddEntry(1, 1, {"old"}, 0);
  copy.CopyFrom(schedule);
  EXPECT_EQ(Seen(copy, kMon), (std::vector<std::string>{"7:0* c", "8:0 a", "9:0 b"}));

  CScheduleDayList other;
  other.AddEntry(7, 0, {"c"}, 1);
  day.RemoveEntry(&other.At(0));
  day.RemoveAt(day.Count());
  EXPECT_EQ(day.Count(), 3u);
  day.RemoveEntry(second);
  EXPECT_EQ(Seen(schedule, kMon), (std::vector<std::string>{"9:0 b", "8:0 a"}));
  EXPECT_EQ(Seen(copy, kMon).size(), 3u);
}

TEST(ScheduleEdits, EveryDayEntriesTravelTogetherAndPlainOnesStayPut) {
  CSchedule schedule;
  EntryDraft draft;
  draft.hour = 7;
  draft.minute = 30;
  draft.accounts = {"ｶﾅ"};
  AddScheduleEntries(schedule, kWed, draft);
  AddScheduleEntries(schedule, kWed, draft);        // the time exists: nothing more
  AddScheduleEntries(schedule, CSchedule::kDays, draft);  // no such day
  draft.everyDay = true;
  draft.days.fill(true);
  draft.days[kSat] = false;
  AddScheduleEntries(schedule, kMon, draft);
  EXPECT_EQ(Seen(schedule, kWed), (std::vector<std::string>{"7:30 ｶﾅ"}));
  EXPECT_EQ(Seen(schedule, kSat), (std::vector<std::string>{}));
  schedule.Day(kWed).AddEntry(7, 30, {"ｶﾅ"}, 1);

  EditScheduleEntry(schedule, kMon, schedule.Day(kMon).At(0), 8, 15, {"B", "ソフト"});
  for (const int day : {kSun, kMon, kTue, kThu, kFri}) {
    EXPECT_EQ(Seen(schedule, day), (std::vector<std::string>{"8:15* B ソフト"})) << day;
  }
  EXPECT_EQ(Seen(schedule, kWed), (std::vector<std::string>{"7:30 ｶﾅ", "8:15* B ソフト"}));

  DeleteScheduleEntry(schedule, kMon, schedule.Day(kMon).At(0), false);
  EXPECT_EQ(Seen(schedule, kMon).size() + Seen(schedule, kSun).size(), 1u);
  DeleteScheduleEntry(schedule, kSun, schedule.Day(kSun).At(0), true);
  for (int day = kSun; day <= kSat; ++day) {
    EXPECT_EQ(Seen(schedule, day).size(), day == kWed ? 1u : 0u) << day;
  }
}

class ScheduleStoreTest : public ::testing::Test {
 protected:
  // One entry key written by hand, as another version or a user might have.
  static void StoreEntry(const std::string& path, std::int32_t hour, std::int32_t minute,
                         const std::vector<std::string>& accounts) {
    CSettingsKey root;
    CRegistryKey entry;
    ASSERT_TRUE(entry.Create(root, "Schedule\\" + path));
    entry.WriteDword("Hour", hour);
    entry.WriteDword("Minute", minute);
    CRegistryKey list;
    ASSERT_TRUE(list.Create(entry, "Account"));
    layout::WriteTextItems(list, "account%d", accounts);
  }

  SettingsSandbox sandbox_;
};

TEST_F(ScheduleStoreTest, SaveThenLoadGivesTheScheduleBackWithoutLeftovers) {
  StoreEntry("Monday\\data7", 9, 0, {"old"});
  CSchedule saved;
  saved.RetryCount = 3;
  saved.RetryInterval = 15;
  saved.DialUp = 1;
  saved.Day(kMon).AddEntry(7, 30, {"仕事", "ソフト部"}, 0);
  saved.Day(kMon).AddEntry(7, 30, {}, 1);
  saved.Day(kSat).AddEntry(23, 59, {"表示"}, 1);
  ASSERT_TRUE(saved.Save());

  CSchedule loaded;
  ASSERT_TRUE(loaded.Load());
  EXPECT_EQ(std::make_tuple(loaded.RetryCount, loaded.RetryInterval, loaded.DialUp),
            std::make_tuple(3, 15, 1));
  for (int day = kSun; day <= kSat; ++day) {
    EXPECT_EQ(Seen(loaded, day), Seen(saved, day)) << day;
  }
  CSettingsKey root;
  CRegistryKey monday;
  ASSERT_TRUE(monday.Open(root, "Schedule\\Monday"));
  EXPECT_EQ(monday.CountSubkeys(), 2);
  CRegistryKey sunday;
  EXPECT_TRUE(sunday.Open(root, "Schedule\\Sunday"));
}

TEST_F(ScheduleStoreTest, StoredEntriesLoadInEnumerationOrderWithLowByteTimes) {
  std::vector<std::string> accounts;
  for (int i = 0; i < 11; ++i) {
    accounts.push_back("a" + std::to_string(i));
  }
  StoreEntry("Friday\\data1", 10, 0, {"second"});
  StoreEntry("Friday\\data0", 10, 0, accounts);
  StoreEntry("Friday\\data2", 263, 300, {"low byte"});
  StoreEntry("Friday\\data3", 200, 5, {"negative"});
  {
    CSettingsKey root;
    CRegistryKey bare;
    ASSERT_TRUE(bare.Create(root, "Schedule\\Thursday\\data0"));
  }
  CSchedule loaded;
  loaded.Load();
  EXPECT_EQ(Seen(loaded, kFri),
            (std::vector<std::string>{"-56:5 negative", "7:44 low byte",
                                      "10:0 a0 a1 a10 a2 a3 a4 a5 a6 a7 a8 a9", "10:0 second"}));
  EXPECT_EQ(Seen(loaded, kThu), std::vector<std::string>{"-1:-1"});
  EXPECT_EQ(loaded.RetryInterval, 60);
}

}  // namespace
