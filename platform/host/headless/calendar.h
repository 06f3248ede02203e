// The headless host's calendar: a fixed start that moves with the virtual
// clock, so tests that read the local time get the same answer on every run.
#pragma once

#include <cstdint>

#include <platform/types.h>

namespace host {

// The local time `milliseconds` after the headless clock's start, which is
// Monday 2026-01-05 09:00:00.000.
SYSTEMTIME CalendarTime(std::uint64_t milliseconds);

}  // namespace host
