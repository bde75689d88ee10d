// What the schedule page does to the sheet's schedule when the user adds,
// changes or deletes an entry, and how a list row reads.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "schedule/schedule.h"

// An entry as the schedule detail dialog hands it back.
struct EntryDraft {
  int hour = 0;
  int minute = 0;
  bool everyDay = false;
  std::array<bool, CSchedule::kDays> days{};  // by weekday, 0 = Sunday
  std::vector<std::string> accounts;
};

// Adds the draft: as an every-day entry on each chosen weekday, or as a plain
// entry on day alone. A weekday that already has an entry at that time is
// left as it is.
void AddScheduleEntries(CSchedule& schedule, int day, const EntryDraft& draft);

// Gives entry (of day) a new time and accounts. An every-day entry takes its
// every-day copies on the other weekdays (those with its old time) along;
// plain entries at that time stay as they are.
void EditScheduleEntry(CSchedule& schedule, int day, CScheduleEntry& entry, int hour, int minute,
                       const std::vector<std::string>& accounts);

// Removes entry from day; with allDays, an every-day entry also takes its
// every-day copies on the other weekdays with it.
void DeleteScheduleEntry(CSchedule& schedule, int day, const CScheduleEntry& entry, bool allDays);

// " 7時 5分": hour and minute padded to two places, so rows sorted by text
// are sorted by time.
std::string EntryTimeText(int hour, int minute);

// The entry's accounts joined with ",".
std::string EntryAccountsText(const CScheduleEntry& entry);
