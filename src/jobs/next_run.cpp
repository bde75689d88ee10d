#include "jobs/next_run.h"

namespace {

constexpr int kMinutesPerWeek = 7 * 24 * 60;
constexpr std::time_t kHour = 60 * 60;

int WeekMinute(int weekday, int hour, int minute) { return (weekday * 24 + hour) * 60 + minute; }

}  // namespace

CNextRun::CNextRun(IClock& clock) : clock_(clock) {
  const LocalTime now = clock_.Local(clock_.Now());
  entry_.hour = now.hour;
  entry_.minute = now.minute;
}

void CNextRun::ComputeFrom(const CSchedule& schedule) {
  const std::time_t now = clock_.Now();
  const LocalTime local = clock_.Local(now);
  weekday_ = schedule.ComputeNextRun(local.hour, local.minute, local.weekday, entry_);
  if (weekday_ >= 0) {
    at_ = InstantAfter(now);
  }
}

void CNextRun::SetToMinuteOf(std::time_t tick) {
  const LocalTime local = clock_.Local(tick);
  weekday_ = local.weekday;
  entry_.hour = local.hour;
  entry_.minute = local.minute;
  at_ = tick - local.second;
}

bool CNextRun::IsAt(std::time_t tick) const {
  const LocalTime local = clock_.Local(tick);
  return weekday_ == local.weekday && entry_.hour == local.hour && entry_.minute == local.minute;
}

bool CNextRun::PassedBefore(std::time_t minute) const { return weekday_ >= 0 && minute > at_; }

std::time_t CNextRun::InstantAfter(std::time_t from) const {
  const LocalTime local = clock_.Local(from);
  const std::time_t fromMinute = from - local.second;
  int ahead = (WeekMinute(weekday_, entry_.hour, entry_.minute) -
               WeekMinute(local.weekday, local.hour, local.minute) + kMinutesPerWeek) %
              kMinutesPerWeek;
  if (ahead == 0) {
    ahead = kMinutesPerWeek;
  }
  const std::time_t guess = fromMinute + static_cast<std::time_t>(ahead) * 60;
  // A change to or from summer time on the way moves the wall clock by an hour.
  for (const std::time_t shift : {std::time_t{0}, -kHour, kHour}) {
    const LocalTime at = clock_.Local(guess + shift);
    if (at.hour == entry_.hour && at.minute == entry_.minute) {
      return guess + shift;
    }
  }
  return guess;
}
