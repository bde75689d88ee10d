#include "schedule/schedule.h"

#include <ctime>

#include "schedule/local_time.h"

namespace {

bool IsLater(const CScheduleEntry& entry, int hour, int minute) {
  return entry.hour > hour || (entry.hour == hour && entry.minute > minute);
}

}  // namespace

CScheduleEntry::CScheduleEntry() {
  const LocalTime now = ToLocalTime(std::time(nullptr));
  hour = now.hour;
  minute = now.minute;
}

CScheduleEntry::CScheduleEntry(int hourValue, int minuteValue) : hour(hourValue), minute(minuteValue) {}

void CScheduleEntry::CopyFrom(const CScheduleEntry& other) {
  hour = other.hour;
  minute = other.minute;
  accounts = other.accounts;
  EveryDay = other.EveryDay;
}

CScheduleEntry* CScheduleDayList::InsertSorted(std::unique_ptr<CScheduleEntry> entry) {
  auto position = entries_.begin();
  while (position != entries_.end() && !IsLater(**position, entry->hour, entry->minute)) {
    ++position;
  }
  return entries_.insert(position, std::move(entry))->get();
}

CScheduleEntry* CScheduleDayList::AddEntry(int hour, int minute,
                                           const std::vector<std::string>& accounts, int everyDay) {
  auto entry = std::make_unique<CScheduleEntry>(hour, minute);
  entry->accounts = accounts;
  entry->EveryDay = everyDay;
  return InsertSorted(std::move(entry));
}

CScheduleEntry* CScheduleDayList::FindFirstAfter(int hour, int minute) const {
  for (const auto& entry : entries_) {
    if (IsLater(*entry, hour, minute)) {
      return entry.get();
    }
  }
  return nullptr;
}

CScheduleEntry* CScheduleDayList::FindExact(int hour, int minute) const {
  for (const auto& entry : entries_) {
    if (entry->hour == hour && entry->minute == minute) {
      return entry.get();
    }
  }
  return nullptr;
}

void CScheduleDayList::RemoveAt(std::size_t index) {
  if (index < entries_.size()) {
    entries_.erase(entries_.begin() + static_cast<std::ptrdiff_t>(index));
  }
}

void CScheduleDayList::RemoveEntry(const CScheduleEntry* entry) {
  for (std::size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i].get() == entry) {
      RemoveAt(i);
      return;
    }
  }
}

void CScheduleDayList::CopyFrom(const CScheduleDayList& other) {
  if (&other == this) {
    return;
  }
  entries_.clear();
  for (const auto& entry : other.entries_) {
    auto copy = std::make_unique<CScheduleEntry>(entry->hour, entry->minute);
    copy->CopyFrom(*entry);
    InsertSorted(std::move(copy));
  }
}

void CSchedule::CopyFrom(const CSchedule& other) {
  RetryCount = other.RetryCount;
  RetryInterval = other.RetryInterval;
  DialUp = other.DialUp;
  for (int day = 0; day < kDays; ++day) {
    Day(day).CopyFrom(other.Day(day));
  }
}

int CSchedule::ComputeNextRun(int hour, int minute, int weekday, CScheduleEntry& out) const {
  int day = weekday;
  // Eight passes: the rest of today, the six days after it, and today's weekday
  // once more from its start, which stands for the same day next week.
  for (int pass = 0; pass < 8; ++pass) {
    if (day >= 0 && day < kDays) {
      if (const CScheduleEntry* found = Day(day).FindFirstAfter(hour, minute)) {
        out.CopyFrom(*found);
        return day;
      }
    }
    hour = 0;
    minute = -1;
    day = (day + 1) % kDays;
  }
  out.hour = -1;
  out.minute = -1;
  return -1;
}
