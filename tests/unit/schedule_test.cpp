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

// "hour:minute accounts" of each entry of a day, "*" marking every-day entries.
std::vector<std::string> Seen(const CSchedule& schedule, int day) {
  std::vector<std::string> seen;
  for (std::size_t i = 0; i < schedule.Day(day).Count(); ++i) {
    const CScheduleEntry& e = schedule.Day(day).At(i);
    std::string text = std::to_string(e.hour) + ":" + std::to_string(e.minute) + (e.EveryDay ? "*" : "");
    for (const std::string& account : e.accounts) text += " " + account;
    seen.push_back(text);
  }
  return seen;
}

TEST(Schedule, TheNextRunIsTheFirstEntryStrictlyAfterNowWithinAWeek) {
  // Entries (weekday, hour, minute); now (hour, minute, weekday); the run found.
  for (const auto& [entries, now, run] :
       std::vector<std::tuple<std::vector<std::array<int, 3>>, std::array<int, 3>, std::array<int, 3>>>{
           {{}, {10, 0, kMon}, {-1, -1, -1}}, {{{kMon, 10, 0}}, {10, 0, kMon}, {kMon, 10, 0}},  // next week
           {{{kWed, 9, 30}, {kWed, 9, 31}}, {9, 30, kWed}, {kWed, 9, 31}}, {{{kSun, 0, 0}}, {23, 59, kSat}, {kSun, 0, 0}},
           {{{kTue, 8, 0}, {kWed, 23, 0}}, {9, 0, kTue}, {kWed, 23, 0}},
           {{{kFri, 7, 5}, {kFri, 6, 0}}, {12, 0, kThu}, {kFri, 6, 0}},
           {{{kMon, -1, 30}}, {0, 0, kSun}, {-1, -1, -1}}, {{{kMon, 5, -1}}, {0, 0, kSun}, {kMon, 5, -1}}}) {
    CSchedule schedule;
    for (const auto& e : entries) schedule.Day(e[0]).AddEntry(e[1], e[2], {"acc"}, 0);
    CScheduleEntry out(12, 34);
    out.accounts = {"kept"};
    const int day = schedule.ComputeNextRun(now[0], now[1], now[2], out);
    EXPECT_EQ((std::array<int, 3>{day, out.hour, out.minute}), run) << now[0] << ":" << now[1];
    EXPECT_EQ(out.accounts[0], day < 0 ? "kept" : "acc");
  }
}

TEST(ScheduleEdits, EveryDayEntriesTravelTogetherAndPlainOnesStayPut) {
  CSchedule schedule;
  // A time a day has already is not added again, and nothing to a day that does not exist.
  for (const int day : std::vector<int>{kWed, kWed, CSchedule::kDays}) AddScheduleEntries(schedule, day, {7, 30, false, {}, {"ｶﾅ"}});
  AddScheduleEntries(schedule, kMon, {7, 30, true, {true, true, true, true, true, true, false}, {"ｶﾅ"}});
  EXPECT_EQ(Seen(schedule, kWed), (std::vector<std::string>{"7:30 ｶﾅ"}));
  schedule.Day(kWed).AddEntry(7, 30, {"ｶﾅ"}, 1);

  EditScheduleEntry(schedule, kMon, schedule.Day(kMon).At(0), 8, 15, {"B", "ソフト"});
  for (const int day : {kSun, kMon, kTue, kThu, kFri}) EXPECT_EQ(Seen(schedule, day), std::vector<std::string>{"8:15* B ソフト"});
  EXPECT_EQ(Seen(schedule, kWed), (std::vector<std::string>{"7:30 ｶﾅ", "8:15* B ソフト"}));

  DeleteScheduleEntry(schedule, kMon, schedule.Day(kMon).At(0), false);
  EXPECT_EQ(Seen(schedule, kMon).size() + Seen(schedule, kSun).size(), 1u);
  DeleteScheduleEntry(schedule, kSun, schedule.Day(kSun).At(0), true);
  for (int day = kSun; day <= kSat; ++day) EXPECT_EQ(Seen(schedule, day).size(), day == kWed ? 1u : 0u) << day;
}

TEST(ScheduleStore, StoredEntriesLoadInEnumerationOrderAndSavingLeavesNothingElse) {
  SettingsSandbox sandbox;
  CSettingsKey root;
  // As another version or a user may have written them; times count by their low byte.
  for (const auto& [path, hour, minute, accounts] : std::vector<std::tuple<const char*, int, int, std::vector<std::string>>>{
           {"data1", 10, 0, {"second"}}, {"data0", 10, 0, {"a0", "a1", "a2", "a3", "a4", "a5", "a6", "a7", "a8", "a9", "a10"}},
           {"data2", 263, 300, {"low byte"}}, {"data3", 200, 5, {"negative"}}}) {
    CRegistryKey entry, list;
    ASSERT_TRUE(entry.Create(root, std::string("Schedule\\Friday\\") + path) && list.Create(entry, "Account") &&
                entry.WriteDword("Hour", hour) && entry.WriteDword("Minute", minute));
    layout::WriteTextItems(list, "account%d", accounts);
  }
  ASSERT_TRUE(CRegistryKey().Create(root, "Schedule\\Thursday\\data0"));
  CSchedule schedule;
  ASSERT_TRUE(schedule.Load());
  EXPECT_EQ(Seen(schedule, kFri), (std::vector<std::string>{"-56:5 negative", "7:44 low byte",
                                                            "10:0 a0 a1 a10 a2 a3 a4 a5 a6 a7 a8 a9", "10:0 second"}));
  EXPECT_EQ(Seen(schedule, kThu), std::vector<std::string>{"-1:-1"});
  EXPECT_EQ(std::make_tuple(schedule.RetryCount, schedule.RetryInterval, schedule.DialUp), std::make_tuple(0, 60, 0));

  std::tie(schedule.RetryCount, schedule.RetryInterval, schedule.DialUp) = std::make_tuple(3, 15, 1);
  schedule.Day(kFri).Clear();
  schedule.Day(kFri).AddEntry(7, 30, {"仕事", "ソフト部"}, 0);
  schedule.Day(kFri).AddEntry(7, 30, {}, 1);
  ASSERT_TRUE(schedule.Save());
  CSchedule loaded;
  ASSERT_TRUE(loaded.Load());
  EXPECT_EQ(std::make_tuple(loaded.RetryCount, loaded.RetryInterval, loaded.DialUp), std::make_tuple(3, 15, 1));
  for (int day = kSun; day <= kSat; ++day) EXPECT_EQ(Seen(loaded, day), Seen(schedule, day)) << day;
  CRegistryKey friday;
  EXPECT_EQ(friday.Open(root, "Schedule\\Friday") ? friday.CountSubkeys() : -1, 2);

  // The page edits times in place; a copy puts the entries in order again,
  // and removal touches only entries of its own list.
  loaded.Day(kFri).At(0).hour = 9;
  CSchedule live;
  live.CopyFrom(loaded);
  live.Day(kFri).RemoveEntry(&loaded.Day(kFri).At(0));
  live.Day(kFri).RemoveAt(2);
  EXPECT_EQ(Seen(live, kFri), (std::vector<std::string>{"7:30*", "9:30 仕事 ソフト部"}));
}

}  // namespace
