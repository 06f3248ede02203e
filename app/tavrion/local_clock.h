// The local calendar clock in whole seconds, for the delay before a
// stimulation.
#pragma once

#include <cstdint>

#include <platform/types.h>

namespace tavrion {

// Seconds since 1970-01-01 00:00 of local time, wrapped to 32 bits: it counts
// on across midnight, as a time of day alone would not.
std::int32_t ClockSecondsOf(const SYSTEMTIME& time);
std::int32_t LocalClockSeconds();

}  // namespace tavrion
