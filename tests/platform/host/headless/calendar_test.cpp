// The headless calendar: a Monday morning start that moves with the clock,
// across days, months and a year, with the right day of the week.
#include "platform/host/headless/calendar.h"

#include <gtest/gtest.h>

namespace {

constexpr std::uint64_t kHour = 60 * 60 * 1000;
constexpr std::uint64_t kDay = 24 * kHour;

TEST(Calendar, FollowsTheClockFromItsStart) {
  const struct {
    std::uint64_t ms;
    WORD year, month, dayOfWeek, day, hour, minute, second, milliseconds;
  } cases[] = {
      {0, 2026, 1, 1, 5, 9, 0, 0, 0},          {1, 2026, 1, 1, 5, 9, 0, 0, 1},
      {61'001, 2026, 1, 1, 5, 9, 1, 1, 1},     {15 * kHour - 1, 2026, 1, 1, 5, 23, 59, 59, 999},
      {15 * kHour, 2026, 1, 2, 6, 0, 0, 0, 0}, {27 * kDay, 2026, 2, 0, 1, 9, 0, 0, 0},
      {55 * kDay, 2026, 3, 0, 1, 9, 0, 0, 0},  // 2026 is no leap year
      {361 * kDay, 2027, 1, 5, 1, 9, 0, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.ms);
    const SYSTEMTIME t = host::CalendarTime(c.ms);
    EXPECT_EQ(t.wYear, c.year);
    EXPECT_EQ(t.wMonth, c.month);
    EXPECT_EQ(t.wDayOfWeek, c.dayOfWeek);
    EXPECT_EQ(t.wDay, c.day);
    EXPECT_EQ(t.wHour, c.hour);
    EXPECT_EQ(t.wMinute, c.minute);
    EXPECT_EQ(t.wSecond, c.second);
    EXPECT_EQ(t.wMilliseconds, c.milliseconds);
  }
}

}  // namespace
