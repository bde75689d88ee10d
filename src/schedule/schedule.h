// The weekly schedule: seven lists of timed entries, Sunday to Saturday, and the
// retry and dial-up values that go with them; and the search for the next run.
#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

// One scheduled fetch: at hour:minute, the accounts in order.
class CScheduleEntry {
 public:
  // Takes the hour and minute of the current local time.
  CScheduleEntry();
  CScheduleEntry(int hour, int minute);
  virtual ~CScheduleEntry() = default;

  void CopyFrom(const CScheduleEntry& other);
  void SetAccounts(const std::vector<std::string>& list) { accounts = list; }

  int hour = -1;    // 0 to 23; -1 unset
  int minute = -1;  // 0 to 59; -1 unset
  std::vector<std::string> accounts;
  // Non-zero when the entry was made as one of a group of equal entries on
  // several weekdays; edits may then reach all of them.
  int EveryDay = 0;
};

// The entries of one weekday, owned, sorted by time; entries of equal time keep
// the order in which they came.
class CScheduleDayList {
 public:
  CScheduleDayList() = default;
  CScheduleDayList(const CScheduleDayList&) = delete;
  CScheduleDayList& operator=(const CScheduleDayList&) = delete;

  CScheduleEntry* InsertSorted(std::unique_ptr<CScheduleEntry> entry);
  CScheduleEntry* AddEntry(int hour, int minute, const std::vector<std::string>& accounts,
                           int everyDay);
  // The first entry strictly later than hour:minute, or nullptr.
  CScheduleEntry* FindFirstAfter(int hour, int minute) const;
  CScheduleEntry* FindExact(int hour, int minute) const;
  void RemoveAt(std::size_t index);
  // Removes that very entry; an entry of another list is left alone.
  void RemoveEntry(const CScheduleEntry* entry);
  void CopyFrom(const CScheduleDayList& other);
  void Clear() { entries_.clear(); }

  std::size_t Count() const { return entries_.size(); }
  CScheduleEntry& At(std::size_t index) const { return *entries_[index]; }

  // Reads and rewrites Schedule\<weekday> below the settings root.
  void LoadDay(const std::string& weekday);
  void SaveDay(const std::string& weekday) const;

 private:
  std::vector<std::unique_ptr<CScheduleEntry>> entries_;
};

class CSchedule {
 public:
  static constexpr int kDays = 7;

  CSchedule() = default;
  CSchedule(const CSchedule&) = delete;
  CSchedule& operator=(const CSchedule&) = delete;

  void CopyFrom(const CSchedule& other);
  // Reads RetryCount, RetryInterval, DialUp and the seven weekdays.
  bool Load();
  // Writes the three values and rewrites the seven weekdays.
  bool Save() const;

  // The weekday (0 = Sunday) of the first entry after hour:minute on weekday,
  // looking through the rest of today, the next six days and then today again
  // from its start (next week); out receives that entry. -1 when there is none,
  // and out's hour and minute become -1.
  int ComputeNextRun(int hour, int minute, int weekday, CScheduleEntry& out) const;

  CScheduleDayList& Day(int weekday) { return days_[static_cast<std::size_t>(weekday)]; }
  const CScheduleDayList& Day(int weekday) const { return days_[static_cast<std::size_t>(weekday)]; }

  int RetryCount = 0;
  int RetryInterval = 60;  // seconds
  int DialUp = 0;

 private:
  std::array<CScheduleDayList, kDays> days_;
};
