#include "app/clock_texts.h"

#include <cstdio>

std::string WeekdayLabel(int weekday) {
  static const char* const kLabels[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  return weekday >= 0 && weekday < 7 ? kLabels[weekday] : "---";
}

std::string ClockTimeText(const LocalTime& time) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d:%02d", time.hour, time.minute);
  return text;
}

std::string NextRunTimeText(int hour, int minute) {
  char text[16];
  std::snprintf(text, sizeof text, "%2d:%02d", hour, minute);
  return text;
}

NextRunTexts MakeNextRunTexts(bool armed, int weekday, int hour, int minute) {
  if (!armed || weekday < 0) {
    return {"--:--", "---"};
  }
  return {NextRunTimeText(hour, minute), WeekdayLabel(weekday)};
}
