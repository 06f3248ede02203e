// Window classes: registration, lookup by name and atom, and what a class
// holds for its windows.
#include <string>

#include <platform/kernel.h>
#include <platform/resources.h>
#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"

namespace {

LRESULT Plain(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

WNDCLASSA ClassInfo(const char* name, UINT style = 0) {
  WNDCLASSA info{};
  info.style = style;
  info.lpfnWndProc = Plain;
  info.hInstance = GetModuleHandleA(nullptr);
  info.lpszClassName = name;
  return info;
}

struct Registration {
  const char* name;
  const char* class_name;
  bool registers;
  DWORD error;  // when it fails
};

class RegisterCase : public conf::TableCase<Registration> {};

TEST_P(RegisterCase, AnswersAnAtomOrTheError) {
  const Registration& r = GetParam();
  const WNDCLASSA info = ClassInfo(r.class_name);
  SetLastError(0);
  const ATOM atom = RegisterClassA(&info);
  if (r.registers) {
    EXPECT_NE(atom, 0);
    EXPECT_TRUE(UnregisterClassA(r.class_name, info.hInstance));
  } else {
    EXPECT_EQ(atom, 0);
    EXPECT_EQ(GetLastError(), r.error);
  }
}

const Registration kRegistrations[] = {
    {"NewName", "ConformanceNew", true, 0},
    {"SystemButton", "Button", true, 0},
};

INSTANTIATE_TEST_SUITE_P(Classes, RegisterCase, testing::ValuesIn(kRegistrations), conf::RowName{});

}  // namespace
