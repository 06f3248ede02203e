// Where the system under test is Wine, and cases it is known to differ in.
#pragma once

#include <gtest/gtest.h>

namespace conf {

bool RunningUnderWine();

}  // namespace conf

// Skips the rest of the case under Wine only; the reason is listed in
// docs/platform.md ("Conformance: where Wine differs").
#define KNOWN_WINE_DIFFERENCE(reason) \
  if (conf::RunningUnderWine()) GTEST_SKIP() << "known Wine difference: " << (reason)
