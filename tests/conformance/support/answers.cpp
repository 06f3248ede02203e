#include "tests/conformance/support/answers.h"

#include "tests/conformance/support/controls.h"

namespace conf {

testing::AssertionResult Answers(const char* cls, const Answer& row) {
  HWND control = Control(cls, row.style, {10, 10, 210, 50});
  for (const Call& c : row.before) SendMessageA(control, c.message, c.wparam, c.lparam);
  const auto answer =
      static_cast<DWORD>(SendMessageA(control, row.call.message, row.call.wparam, row.call.lparam));
  if (answer == static_cast<DWORD>(row.answer)) return testing::AssertionSuccess();
  return testing::AssertionFailure() << "answered " << static_cast<LONG>(answer) << ", expected "
                                     << static_cast<LONG>(row.answer);
}

}  // namespace conf
