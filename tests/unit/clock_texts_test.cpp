#include "app/clock_texts.h"

#include <gtest/gtest.h>

namespace {

TEST(ClockTexts, TimesAndWeekdaysDoNotDependOnTheLocale) {
  EXPECT_EQ(ClockTimeText(LocalTime{7, 5, 0, 5}), "07:05");
  EXPECT_EQ(ClockTimeText(LocalTime{23, 59, 59, 6}), "23:59");
  EXPECT_EQ(WeekdayLabel(0), "Sun");
  EXPECT_EQ(WeekdayLabel(6), "Sat");
  EXPECT_EQ(WeekdayLabel(7), "---");
  EXPECT_EQ(WeekdayLabel(-1), "---");
}

TEST(ClockTexts, TheNextRunShowsOnlyWhileArmedAndKnown) {
  const NextRunTexts friday = MakeNextRunTexts(true, 5, 7, 5);
  EXPECT_EQ(friday.time, " 7:05");
  EXPECT_EQ(friday.weekday, "Fri");
  EXPECT_EQ(MakeNextRunTexts(true, 1, 23, 0).time, "23:00");

  const NextRunTexts disarmed = MakeNextRunTexts(false, 5, 7, 5);
  EXPECT_EQ(disarmed.time, "--:--");
  EXPECT_EQ(disarmed.weekday, "---");
  const NextRunTexts none = MakeNextRunTexts(true, -1, -1, -1);
  EXPECT_EQ(none.time, "--:--");
  EXPECT_EQ(none.weekday, "---");
}

}  // namespace
