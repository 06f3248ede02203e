// A clean-up runs however the scope ends; what it throws goes on only when
// nothing else is already leaving the scope.
#include "framework/rtl/scope_exit.h"

#include <stdexcept>
#include <string>

#include <gtest/gtest.h>

namespace {

TEST(ScopeExitTest, TheCleanUpRunsAndTheCauseOfLeavingGoesOn) {
  const struct {
    const char* what;
    bool body_throws;
    bool cleanup_throws;
    const char* arrives;  // the exception the caller sees, "" for none
  } cases[] = {
      {"normal exit", false, false, ""},
      {"body throws", true, false, "body"},
      {"clean-up throws", false, true, "clean-up"},
      {"both throw", true, true, "body"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    bool cleaned = false;
    std::string arrived;
    try {
      const ScopeExit cleanup([&] {
        cleaned = true;
        if (c.cleanup_throws) throw std::runtime_error("clean-up");
      });
      if (c.body_throws) throw std::runtime_error("body");
    } catch (const std::runtime_error& e) {
      arrived = e.what();
    }
    EXPECT_TRUE(cleaned);
    EXPECT_EQ(arrived, c.arrives);
  }
}

}  // namespace
