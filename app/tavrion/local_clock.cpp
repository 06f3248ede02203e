#include "app/tavrion/local_clock.h"

#include <platform/kernel.h>

namespace tavrion {

namespace {

// Days from 1970-01-01 to a date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t year, unsigned month, unsigned day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = (year >= 0 ? year : year - 399) / 400;
  const auto year_of_era = static_cast<unsigned>(year - era * 400);
  const unsigned day_of_year = (153 * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + static_cast<std::int64_t>(day_of_era) - 719468;
}

}  // namespace

std::int32_t ClockSecondsOf(const SYSTEMTIME& time) {
  const std::int64_t seconds = DaysFromCivil(time.wYear, time.wMonth, time.wDay) * 86400 +
                               time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(seconds));
}

std::int32_t LocalClockSeconds() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return ClockSecondsOf(now);
}

}  // namespace tavrion
