// Message loops for tests: bounded by rounds of the loop or by the clock,
// never by timed asserts.
#pragma once

#include <functional>
#include <vector>

#include <platform/windows.h>

#include "tests/conformance/support/message_log.h"

namespace conf {

// Takes, translates and dispatches every message waiting; answers what was
// taken (WM_QUIT included, which is not dispatched).
std::vector<MSG> Pump();

// Pumps until `done` answers true, waiting for messages between rounds, for
// at most `ms` of the clock; answers done().
bool PumpUntil(const std::function<bool()>& done, DWORD ms = 2000);

// Pumps for `ms` of the clock: what a desktop delivers late arrives.
std::vector<MSG> PumpFor(DWORD ms);

}  // namespace conf
