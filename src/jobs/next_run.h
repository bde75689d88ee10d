// The next run: the schedule entry that comes next and the instant its
// minute begins, so that a minute that went by unseen (a sleep, a clock set
// forward, a queue too busy to tick) can be told from one still to come.
#pragma once

#include <ctime>

#include "jobs/job_ports.h"
#include "schedule/schedule.h"

class CNextRun {
 public:
  // Starts at the hour and minute of now, with no weekday: no next run.
  explicit CNextRun(IClock& clock);

  // The first entry of schedule after now's minute (next week's when it is
  // the only one), or none.
  void ComputeFrom(const CSchedule& schedule);
  // The run of the minute that tick falls in (a fetch, a run pulled forward).
  void SetToMinuteOf(std::time_t tick);
  // True when it falls in the same weekday, hour and minute as tick.
  bool IsAt(std::time_t tick) const;
  // True when its minute began before the minute that starts at minute.
  bool PassedBefore(std::time_t minute) const;

  bool Exists() const { return weekday_ >= 0; }
  // The start of its minute.
  std::time_t Instant() const { return at_; }
  // 0 (Sunday) to 6, or -1 when there is none.
  int Weekday() const { return weekday_; }
  // Its hour, minute and accounts; the accounts are those of the job in hand.
  const CScheduleEntry& Entry() const { return entry_; }
  CScheduleEntry& Entry() { return entry_; }

 private:
  // The start of its minute: the first one after from with its weekday, hour
  // and minute.
  std::time_t InstantAfter(std::time_t from) const;

  IClock& clock_;
  CScheduleEntry entry_;
  int weekday_ = -1;
  std::time_t at_ = 0;
};
