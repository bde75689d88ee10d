// The instant the next run's minute begins, which tells a run whose minute
// went by unseen from one still to come.
#include "jobs/next_run.h"

#include <gtest/gtest.h>

#include "support/job_fakes.h"

namespace {

constexpr std::time_t kWeek = 7 * 24 * 3600;

// A clock whose wall time goes an hour ahead from summerFrom on.
struct SummerClock : FakeClock {
  LocalTime Local(std::time_t when) override {
    return FakeClock::Local(summerFrom != 0 && when >= summerFrom ? when + 3600 : when);
  }
  std::time_t summerFrom = 0;  // none
};

TEST(NextRun, ItsMinuteBeginsAtTheEntrysFirstWallClockMinuteAfterNow) {
  const struct {
    const char* what;
    std::time_t now;
    int weekday, hour, minute;  // the only entry
    std::time_t summerFrom;     // 0: no summer time
    std::time_t begins;
  } cases[] = {
      {"a minute on", WeekTime(kWed, 10, 0, 30), kWed, 10, 1, 0, WeekTime(kWed, 10, 1)},
      {"two days on", WeekTime(kWed, 10, 0), kFri, 7, 30, 0, WeekTime(kFri, 7, 30)},
      {"earlier in next week", WeekTime(kWed, 10, 0), kMon, 7, 30, 0, WeekTime(kMon, 7, 30) + kWeek},
      {"now's own minute: next week", WeekTime(kWed, 10, 0, 30), kWed, 10, 0, 0, WeekTime(kWed, 10, 0) + kWeek},
      {"after the change to summer time", WeekTime(kSat, 10, 0), kMon, 7, 30, WeekTime(kSun, 2, 0) + kWeek,
       WeekTime(kMon, 7, 30) + kWeek - 3600},
  };
  for (const auto& c : cases) {
    SummerClock clock;
    clock.ms = static_cast<std::int64_t>(c.now) * 1000;
    clock.summerFrom = c.summerFrom;
    CSchedule schedule;
    schedule.Day(c.weekday).AddEntry(c.hour, c.minute, {"A"}, 0);
    CNextRun next(clock);
    next.ComputeFrom(schedule);
    EXPECT_FALSE(next.PassedBefore(c.begins)) << c.what;
    EXPECT_TRUE(next.PassedBefore(c.begins + 60)) << c.what;
  }
}

}  // namespace
