#include "calendar.h"

#include <chrono>

namespace host {

SYSTEMTIME CalendarTime(std::uint64_t milliseconds) {
  using namespace std::chrono;
  constexpr sys_days kStartDay{2026y / January / 5};
  const sys_time<std::chrono::milliseconds> time =
      kStartDay + hours(9) + std::chrono::milliseconds(milliseconds);
  const sys_days day = floor<days>(time);
  const year_month_day date(day);
  const hh_mm_ss clock(time - day);
  SYSTEMTIME result;
  result.wYear = static_cast<WORD>(static_cast<int>(date.year()));
  result.wMonth = static_cast<WORD>(static_cast<unsigned>(date.month()));
  result.wDayOfWeek = static_cast<WORD>(weekday(day).c_encoding());
  result.wDay = static_cast<WORD>(static_cast<unsigned>(date.day()));
  result.wHour = static_cast<WORD>(clock.hours().count());
  result.wMinute = static_cast<WORD>(clock.minutes().count());
  result.wSecond = static_cast<WORD>(clock.seconds().count());
  result.wMilliseconds = static_cast<WORD>(clock.subseconds().count());
  return result;
}

}  // namespace host
