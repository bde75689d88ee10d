#include "settings_ui/schedule_edits.h"

#include <gtest/gtest.h>

namespace {

constexpr int kSunday = 0;
constexpr int kMonday = 1;
constexpr int kWednesday = 3;
constexpr int kSaturday = 6;

struct Seen {
  int hour;
  int minute;
  int everyDay;
  std::vector<std::string> accounts;
};

std::vector<Seen> EntriesOf(const CSchedule& schedule, int day) {
  std::vector<Seen> seen;
  const CScheduleDayList& list = schedule.Day(day);
  for (std::size_t i = 0; i < list.Count(); ++i) {
    const CScheduleEntry& entry = list.At(i);
    seen.push_back({entry.hour, entry.minute, entry.EveryDay, entry.accounts});
  }
  return seen;
}

EntryDraft EveryDayDraft(int hour, int minute, std::vector<std::string> accounts) {
  EntryDraft draft;
  draft.hour = hour;
  draft.minute = minute;
  draft.everyDay = true;
  draft.days.fill(true);
  draft.accounts = std::move(accounts);
  return draft;
}

TEST(ScheduleEdits, AddingFollowsTheDayFlagsOrTheSelectedDay) {
  CSchedule schedule;
  EntryDraft weekend = EveryDayDraft(9, 0, {"ｶﾅ"});
  weekend.days.fill(false);
  weekend.days[kSunday] = weekend.days[kSaturday] = true;
  AddScheduleEntries(schedule, kMonday, weekend);

  EntryDraft plain;
  plain.hour = 9;
  plain.minute = 0;
  plain.accounts = {"ｶﾅ"};
  AddScheduleEntries(schedule, kMonday, plain);
  AddScheduleEntries(schedule, kMonday, plain);  // the time exists: nothing more

  for (int day = 0; day < CSchedule::kDays; ++day) {
    const std::size_t expected = (day == kSunday || day == kSaturday || day == kMonday) ? 1u : 0u;
    EXPECT_EQ(schedule.Day(day).Count(), expected) << day;
  }
  EXPECT_EQ(schedule.Day(kMonday).At(0).EveryDay, 0);
  EXPECT_EQ(schedule.Day(kSaturday).At(0).EveryDay, 1);
}

TEST(ScheduleEdits, EditingAnEveryDayEntryMovesItsCopiesButNotPlainEntries) {
  CSchedule schedule;
  AddScheduleEntries(schedule, kMonday, EveryDayDraft(7, 30, {"A"}));
  // A plain entry at the same time, ahead of the copy in Wednesday's list.
  schedule.Day(kWednesday).Clear();
  schedule.Day(kWednesday).AddEntry(7, 30, {"plain"}, 0);
  schedule.Day(kWednesday).AddEntry(7, 30, {"A"}, 1);

  EditScheduleEntry(schedule, kMonday, schedule.Day(kMonday).At(0), 8, 15, {"B", "ソフト"});

  for (int day = 0; day < CSchedule::kDays; ++day) {
    const std::vector<Seen> entries = EntriesOf(schedule, day);
    if (day == kWednesday) {
      ASSERT_EQ(entries.size(), 2u);
      EXPECT_EQ(entries[0].hour, 7);
      EXPECT_EQ(entries[0].accounts, std::vector<std::string>{"plain"});
      EXPECT_EQ(entries[1].hour, 8);
      EXPECT_EQ(entries[1].minute, 15);
      continue;
    }
    ASSERT_EQ(entries.size(), 1u) << day;
    EXPECT_EQ(entries[0].hour, 8) << day;
    EXPECT_EQ(entries[0].minute, 15) << day;
    EXPECT_EQ(entries[0].accounts, (std::vector<std::string>{"B", "ソフト"})) << day;
  }
}

TEST(ScheduleEdits, DeletingAnEveryDayEntryOnOneDayOrOnAll) {
  CSchedule schedule;
  AddScheduleEntries(schedule, kMonday, EveryDayDraft(7, 30, {"A"}));
  schedule.Day(kSaturday).AddEntry(7, 30, {"plain"}, 0);

  DeleteScheduleEntry(schedule, kMonday, schedule.Day(kMonday).At(0), false);
  EXPECT_EQ(schedule.Day(kMonday).Count(), 0u);
  EXPECT_EQ(schedule.Day(kSunday).Count(), 1u);
  EXPECT_EQ(schedule.Day(kSunday).At(0).EveryDay, 1);

  DeleteScheduleEntry(schedule, kSunday, schedule.Day(kSunday).At(0), true);
  for (int day = 0; day < CSchedule::kDays; ++day) {
    if (day == kSaturday) {
      // The every-day copy went; the plain entry at that time stays.
      ASSERT_EQ(schedule.Day(day).Count(), 1u);
      EXPECT_EQ(schedule.Day(day).At(0).EveryDay, 0);
    } else {
      EXPECT_EQ(schedule.Day(day).Count(), 0u) << day;
    }
  }
}

}  // namespace
