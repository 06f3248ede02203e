// Tables of messages to a control and what it answers: each row creates
// the control, sends its calls in order and compares the answer of one.
#pragma once

#include <vector>

#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/wine.h"

namespace conf {

struct Call {
  UINT message;
  WPARAM wparam = 0;
  LPARAM lparam = 0;
};

struct Answer {
  const char* name;
  DWORD style;
  std::vector<Call> before;  // answers ignored
  Call call;
  LRESULT answer;
  const char* wine_differs = nullptr;  // how, where Wine answers otherwise
};

// Creates a control of `cls` with the row's style, sends the calls and
// compares the last one's answer with the row's, over its low 32 bits: a
// 32-bit answer may come back sign-extended or not.
testing::AssertionResult Answers(const char* cls, const Answer& row);

}  // namespace conf

// The cases `Prefix/Suite.Is/<row>` of the Answer rows `table` for controls
// of the class `cls`.
#define ANSWER_CASES(Prefix, Suite, cls, table)                                             \
  class Suite : public conf::TableCase<conf::Answer> {};                                    \
  TEST_P(Suite, Is) {                                                                       \
    if (GetParam().wine_differs != nullptr) KNOWN_WINE_DIFFERENCE(GetParam().wine_differs); \
    EXPECT_TRUE(conf::Answers(cls, GetParam()));                                            \
  }                                                                                         \
  INSTANTIATE_TEST_SUITE_P(Prefix, Suite, testing::ValuesIn(table), conf::RowName{})
