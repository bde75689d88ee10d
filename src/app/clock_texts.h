// The texts of the clock window, made here rather than by the C library so that
// they do not depend on the locale: "Sun" to "Sat", "07:05", " 7:05".
#pragma once

#include <string>

#include "schedule/local_time.h"

// "Sun" .. "Sat" for 0 .. 6; "---" for anything else.
std::string WeekdayLabel(int weekday);

// The current time as hours and minutes, both two digits: "07:05".
std::string ClockTimeText(const LocalTime& time);

// The next run's hour padded with a space to two places: " 7:05".
std::string NextRunTimeText(int hour, int minute);

struct NextRunTexts {
  std::string time;
  std::string weekday;
};

// What the window shows of the next run: "--:--" and "---" unless the schedule
// is armed and a next run exists.
NextRunTexts MakeNextRunTexts(bool armed, int weekday, int hour, int minute);
