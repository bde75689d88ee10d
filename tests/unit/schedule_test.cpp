#include "schedule/schedule.h"

#include <gtest/gtest.h>

namespace {

enum { kSun, kMon, kTue, kWed, kThu, kFri, kSat };

struct NextRunCase {
  const char* what;
  std::vector<std::pair<int, std::pair<int, int>>> entries;  // weekday, (hour, minute)
  int hour, minute, weekday;
  int expectedDay, expectedHour, expectedMinute;
};

class NextRunTest : public ::testing::TestWithParam<NextRunCase> {};

TEST_P(NextRunTest, FindsTheRightEntry) {
  const NextRunCase& c = GetParam();
  CSchedule schedule;
  for (const auto& [day, time] : c.entries) {
    schedule.Day(day).AddEntry(time.first, time.second, {"acc"}, 0);
  }
  CScheduleEntry out(12, 34);
  EXPECT_EQ(schedule.ComputeNextRun(c.hour, c.minute, c.weekday, out), c.expectedDay) << c.what;
  EXPECT_EQ(out.hour, c.expectedHour) << c.what;
  EXPECT_EQ(out.minute, c.expectedMinute) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Schedule, NextRunTest,
    ::testing::Values(
        NextRunCase{"empty schedule", {}, 10, 0, kMon, -1, -1, -1},
        NextRunCase{"entry at this very minute is next week's", {{kMon, {10, 0}}}, 10, 0, kMon, kMon, 10, 0},
        NextRunCase{"later today", {{kWed, {9, 30}}, {kWed, {9, 31}}}, 9, 30, kWed, kWed, 9, 31},
        NextRunCase{"over midnight into Sunday", {{kSun, {0, 0}}}, 23, 59, kSat, kSun, 0, 0},
        NextRunCase{"earlier today means next week", {{kTue, {8, 0}}}, 9, 0, kTue, kTue, 8, 0},
        NextRunCase{"tomorrow wins over next week", {{kTue, {8, 0}}, {kWed, {23, 0}}}, 9, 0, kTue, kWed, 23, 0},
        NextRunCase{"earliest of the chosen day", {{kFri, {7, 5}}, {kFri, {6, 0}}}, 12, 0, kThu, kFri, 6, 0},
        NextRunCase{"hour unset never runs", {{kMon, {-1, 30}}}, 0, 0, kSun, -1, -1, -1},
        NextRunCase{"minute unset counts by its hour", {{kMon, {5, -1}}}, 0, 0, kSun, kMon, 5, -1},
        NextRunCase{"midnight entry on a later day", {{kThu, {0, 0}}}, 12, 0, kMon, kThu, 0, 0}));

TEST(Schedule, NextRunKeepsTheEntryInsertedFirstAmongEqualTimes) {
  CSchedule schedule;
  schedule.Day(kMon).AddEntry(10, 0, {"first"}, 0);
  schedule.Day(kMon).AddEntry(10, 0, {"second"}, 1);
  CScheduleEntry out(0, 0);
  out.accounts = {"stale"};
  ASSERT_EQ(schedule.ComputeNextRun(9, 0, kMon, out), kMon);
  EXPECT_EQ(out.accounts, std::vector<std::string>{"first"});
  EXPECT_EQ(out.EveryDay, 0);
}

TEST(Schedule, NoNextRunLeavesTheAccountsOfTheOutEntry) {
  CSchedule schedule;
  CScheduleEntry out(1, 2);
  out.accounts = {"kept"};
  out.EveryDay = 1;
  EXPECT_EQ(schedule.ComputeNextRun(1, 2, kSun, out), -1);
  EXPECT_EQ(out.accounts, std::vector<std::string>{"kept"});
  EXPECT_EQ(out.EveryDay, 1);
}

TEST(ScheduleDayList, InsertionKeepsTimeOrderAndArrivalOrderAmongEquals) {
  CScheduleDayList day;
  day.AddEntry(8, 0, {"a"}, 0);
  day.AddEntry(7, 0, {"b"}, 0);
  day.AddEntry(7, 0, {"c"}, 0);
  day.AddEntry(7, 59, {"d"}, 0);
  ASSERT_EQ(day.Count(), 4u);
  EXPECT_EQ(day.At(0).accounts[0], "b");
  EXPECT_EQ(day.At(1).accounts[0], "c");
  EXPECT_EQ(day.At(2).accounts[0], "d");
  EXPECT_EQ(day.At(3).accounts[0], "a");
  EXPECT_EQ(day.FindExact(7, 0)->accounts[0], "b");
  EXPECT_EQ(day.FindFirstAfter(7, 0)->accounts[0], "d");
  EXPECT_EQ(day.FindFirstAfter(8, 0), nullptr);
  EXPECT_EQ(day.FindExact(9, 0), nullptr);
}

TEST(ScheduleDayList, RemovalTouchesOnlyItsOwnEntries) {
  CScheduleDayList day;
  CScheduleDayList other;
  CScheduleEntry* kept = day.AddEntry(6, 0, {}, 0);
  CScheduleEntry* foreign = other.AddEntry(6, 0, {}, 0);
  day.RemoveEntry(foreign);
  day.RemoveAt(5);
  EXPECT_EQ(day.Count(), 1u);
  day.RemoveEntry(kept);
  EXPECT_EQ(day.Count(), 0u);
  EXPECT_EQ(other.Count(), 1u);
}

TEST(Schedule, CopyRestoresTheOrderOfEntriesEditedInPlace) {
  CSchedule edited;
  edited.RetryCount = 2;
  edited.RetryInterval = 15;
  edited.DialUp = 1;
  edited.Day(kWed).AddEntry(6, 0, {"early"}, 1);
  edited.Day(kWed).AddEntry(9, 0, {"late"}, 0);
  edited.Day(kWed).At(0).hour = 10;  // the schedule page edits times in place

  CSchedule live;
  live.Day(kWed).AddEntry(1, 1, {"old"}, 0);
  live.CopyFrom(edited);
  EXPECT_EQ(live.RetryCount, 2);
  EXPECT_EQ(live.RetryInterval, 15);
  EXPECT_EQ(live.DialUp, 1);
  ASSERT_EQ(live.Day(kWed).Count(), 2u);
  EXPECT_EQ(live.Day(kWed).At(0).accounts[0], "late");
  EXPECT_EQ(live.Day(kWed).At(1).accounts[0], "early");
  EXPECT_EQ(live.Day(kWed).At(1).EveryDay, 1);
  // A deep copy: changing the source later changes nothing here.
  edited.Day(kWed).At(1).accounts[0] = "changed";
  EXPECT_EQ(live.Day(kWed).At(0).accounts[0], "late");
}

}  // namespace
