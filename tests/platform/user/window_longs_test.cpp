// Window longs: the extra bytes of a window reached only inside and at full
// width, and a control's state kept per window through a subclass.
#include <tuple>

#include <gtest/gtest.h>
#include <platform/kernel.h>
#include <platform/windows.h>

#include "tests/support/test_window.h"

namespace {

class Longs : public WindowTest {
 protected:
  ~Longs() override {
    ResetTestWindows();
    UnregisterClassA("Longs", nullptr);
    UnregisterClassA("Counter", nullptr);
  }
  // A window of a new class with `window_extra` bytes per window.
  static HWND MakeOf(const char* cls, int window_extra, WNDPROC proc = DefWindowProcA) {
    WNDCLASSA info{};
    info.lpfnWndProc = proc;
    info.cbWndExtra = window_extra;
    info.lpszClassName = cls;
    RegisterClassA(&info);
    return CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
};

// Reading and writing a long or a pointer-sized long.
struct Access {
  const char* name;
  LONG_PTR (*get)(HWND, int);
  LONG_PTR (*set)(HWND, int, LONG_PTR);
};
const Access kLong{"long", [](HWND w, int i) -> LONG_PTR { return GetWindowLongA(w, i); },
                   [](HWND w, int i, LONG_PTR v) -> LONG_PTR {
                     return SetWindowLongA(w, i, static_cast<LONG>(v));
                   }};
const Access kPtr{"pointer", GetWindowLongPtrA, SetWindowLongPtrA};

TEST_F(Longs, ExtraBytesAndUserDataAreZeroedAndReachedOnlyInside) {
  HWND w = MakeOf("Longs", 12);
  HWND none = MakeWindow(WS_POPUP, 0, 0, 10, 10);  // a class without extra bytes
  const std::tuple<HWND, const Access&, int, bool> cases[] = {
      {w, kPtr, 0, true},      {w, kPtr, 4, true},
      {w, kPtr, 5, false},     {w, kLong, -2, false},
      {none, kLong, 0, false}, {none, kPtr, 0, false},
      {w, kPtr, -100, false},  {w, kPtr, GWLP_USERDATA, true},
  };
  for (const auto& [window, size, offset, fits] : cases) {
    SCOPED_TRACE(testing::Message() << size.name << " at " << offset);
    SetLastError(0);
    if (!fits) {
      EXPECT_EQ(size.get(window, offset), 0);
      EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
      SetLastError(0);
      EXPECT_EQ(size.set(window, offset, 0x1234), 0);
      EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
      continue;
    }
    SetWindowLongPtrA(w, 0, 0);
    SetWindowLongPtrA(w, 4, 0);
    EXPECT_EQ(size.get(w, offset), 0);
    EXPECT_EQ(size.set(w, offset, 0x1234), 0);
    EXPECT_EQ(size.set(w, offset, 0x4321), 0x1234);
    EXPECT_EQ(size.get(w, offset), 0x4321);
    EXPECT_EQ(GetLastError(), 0u);
  }
  SetWindowLongPtrA(w, 4, 0);
  EXPECT_EQ(SetWindowLongPtrA(w, 4, LONG_PTR{0x123456789A}), 0);
  EXPECT_EQ(GetWindowLongPtrA(w, 4), LONG_PTR{0x123456789A});  // all its bits
  DestroyWindow(w);
  SetLastError(0);
  EXPECT_EQ(GetWindowLongPtrA(w, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  SetLastError(0);
  EXPECT_EQ(SetWindowLongPtrA(w, 0, 5), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

// A control that counts WM_USER in its extra bytes, as a control keeps its
// state per window.
LRESULT CounterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) {
    const LONG_PTR count = GetWindowLongPtrA(window, 0) + 1;
    SetWindowLongPtrA(window, 0, count);
    return count;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

WNDPROC counter_before_subclass = nullptr;
LRESULT SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER + 1) return -7;
  return CallWindowProcA(counter_before_subclass, window, message, wParam, lParam);
}

TEST_F(Longs, AControlKeepsItsStateThroughASubclass) {
  HWND first = MakeOf("Counter", sizeof(LONG_PTR), CounterProc);
  HWND second =
      CreateWindowExA(0, "Counter", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(SendMessageA(first, WM_USER, 0, 0), 1);
  counter_before_subclass = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(first, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(SubclassProc)));
  EXPECT_EQ(counter_before_subclass, CounterProc);
  EXPECT_EQ(SendMessageA(first, WM_USER, 0, 0), 2);
  EXPECT_EQ(SendMessageA(first, WM_USER + 1, 0, 0), -7);
  EXPECT_EQ(SendMessageA(second, WM_USER, 0, 0), 1);
  EXPECT_EQ(SendMessageA(second, WM_USER + 1, 0, 0), 0);  // not subclassed
}

}  // namespace
