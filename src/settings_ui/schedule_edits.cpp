#include "settings_ui/schedule_edits.h"

#include <cstdio>

namespace {

// The first every-day entry of list at hour:minute, or nullptr.
CScheduleEntry* FindEveryDay(const CScheduleDayList& list, int hour, int minute) {
  for (std::size_t i = 0; i < list.Count(); ++i) {
    CScheduleEntry& candidate = list.At(i);
    if (candidate.EveryDay != 0 && candidate.hour == hour && candidate.minute == minute) {
      return &candidate;
    }
  }
  return nullptr;
}

}  // namespace

void AddScheduleEntries(CSchedule& schedule, int day, const EntryDraft& draft) {
  if (draft.everyDay) {
    for (int weekday = 0; weekday < CSchedule::kDays; ++weekday) {
      CScheduleDayList& list = schedule.Day(weekday);
      if (draft.days[static_cast<std::size_t>(weekday)] && list.FindExact(draft.hour, draft.minute) == nullptr) {
        list.AddEntry(draft.hour, draft.minute, draft.accounts, 1);
      }
    }
    return;
  }
  if (day < 0 || day >= CSchedule::kDays) {
    return;
  }
  CScheduleDayList& list = schedule.Day(day);
  if (list.FindExact(draft.hour, draft.minute) == nullptr) {
    list.AddEntry(draft.hour, draft.minute, draft.accounts, 0);
  }
}

void EditScheduleEntry(CSchedule& schedule, int day, CScheduleEntry& entry, int hour, int minute,
                       const std::vector<std::string>& accounts) {
  if (entry.EveryDay == 0) {
    entry.hour = hour;
    entry.minute = minute;
    entry.SetAccounts(accounts);
    return;
  }
  const int oldHour = entry.hour;
  const int oldMinute = entry.minute;
  for (int weekday = 0; weekday < CSchedule::kDays; ++weekday) {
    // On its own day the entry itself, elsewhere its first every-day copy.
    CScheduleEntry* copy = weekday == day ? &entry : FindEveryDay(schedule.Day(weekday), oldHour, oldMinute);
    if (copy != nullptr) {
      copy->hour = hour;
      copy->minute = minute;
      copy->SetAccounts(accounts);
    }
  }
}

void DeleteScheduleEntry(CSchedule& schedule, int day, const CScheduleEntry& entry, bool allDays) {
  if (day < 0 || day >= CSchedule::kDays) {
    return;
  }
  if (entry.EveryDay == 0 || !allDays) {
    schedule.Day(day).RemoveEntry(&entry);
    return;
  }
  const int hour = entry.hour;
  const int minute = entry.minute;
  // Look every copy up before removing any: entry itself goes with its day.
  std::array<const CScheduleEntry*, CSchedule::kDays> copies{};
  for (int weekday = 0; weekday < CSchedule::kDays; ++weekday) {
    copies[static_cast<std::size_t>(weekday)] =
        weekday == day ? &entry : FindEveryDay(schedule.Day(weekday), hour, minute);
  }
  for (int weekday = 0; weekday < CSchedule::kDays; ++weekday) {
    if (const CScheduleEntry* copy = copies[static_cast<std::size_t>(weekday)]) {
      schedule.Day(weekday).RemoveEntry(copy);
    }
  }
}

std::string EntryTimeText(int hour, int minute) {
  char text[32];
  std::snprintf(text, sizeof text, "%2d時%2d分", hour, minute);
  return text;
}

std::string EntryAccountsText(const CScheduleEntry& entry) {
  std::string text;
  for (std::size_t i = 0; i < entry.accounts.size(); ++i) {
    if (i != 0) {
      text += ",";
    }
    text += entry.accounts[i];
  }
  return text;
}
