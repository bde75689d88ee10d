// The broken-down local time the schedule works with.
#pragma once

#include <ctime>

struct LocalTime {
  int hour = 0;     // 0 to 23
  int minute = 0;   // 0 to 59
  int second = 0;   // 0 to 60
  int weekday = 0;  // days since Sunday, 0 to 6
};

LocalTime ToLocalTime(std::time_t when);
// The C library's broken-down local time, date included.
std::tm ToLocalParts(std::time_t when);
