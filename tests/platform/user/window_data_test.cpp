// What a window carries: its extra bytes, read and written at non-negative
// offsets, its user data, and its state kept per window through a subclass.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/test_window.h"

namespace {

class WindowData : public testing::Test {
 protected:
  WindowData() { host::Headless().Reset(); }
  ~WindowData() override {
    ResetTestWindows();
    UnregisterClassA("Extra12", nullptr);
    UnregisterClassA("Counter", nullptr);
  }
};

HWND MakeOf(const char* cls, int extra, WNDPROC proc = DefWindowProcA) {
  WNDCLASSA info{};
  info.lpfnWndProc = proc;
  info.cbWndExtra = extra;
  info.lpszClassName = cls;
  RegisterClassA(&info);
  return CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

// Reading and writing a word, a long or a pointer-sized long.
struct Access {
  const char* name;
  LONG_PTR (*get)(HWND, int);
  LONG_PTR (*set)(HWND, int, LONG_PTR);
};
const Access kWord{"word", [](HWND w, int i) -> LONG_PTR { return GetWindowWord(w, i); },
                   [](HWND w, int i, LONG_PTR v) -> LONG_PTR {
                     return SetWindowWord(w, i, static_cast<WORD>(v));
                   }};
const Access kLong{"long", [](HWND w, int i) -> LONG_PTR { return GetWindowLongA(w, i); },
                   [](HWND w, int i, LONG_PTR v) -> LONG_PTR {
                     return SetWindowLongA(w, i, static_cast<LONG>(v));
                   }};
const Access kPtr{"pointer", GetWindowLongPtrA, SetWindowLongPtrA};

TEST_F(WindowData, ExtraBytesAndUserDataAreZeroedAndReachedOnlyInside) {
  HWND w = MakeOf("Extra12", 12);
  HWND none = MakeWindow(WS_POPUP, 0, 0, 10, 10);  // a class without extra bytes
  const struct {
    HWND window;
    const Access& size;
    int offset;
    bool fits;
  } cases[] = {
      {w, kPtr, 0, true},     {w, kPtr, 4, true},     {w, kPtr, 5, false},
      {w, kLong, 8, true},    {w, kLong, 9, false},   {w, kWord, 10, true},
      {w, kWord, 11, false},  {w, kWord, -2, false},  {none, kWord, 0, false},
      {none, kPtr, 0, false}, {w, kPtr, -100, false}, {w, kPtr, GWLP_USERDATA, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.size.name << " at " << c.offset);
    SetLastError(0);
    if (!c.fits) {
      EXPECT_EQ(c.size.get(c.window, c.offset), 0);
      EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
      SetLastError(0);
      EXPECT_EQ(c.size.set(c.window, c.offset, 0x1234), 0);
      EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
      continue;
    }
    SetWindowLongPtrA(w, 0, 0);
    SetWindowLongPtrA(w, 4, 0);
    EXPECT_EQ(c.size.get(w, c.offset), 0);
    EXPECT_EQ(c.size.set(w, c.offset, 0x1234), 0);
    EXPECT_EQ(c.size.set(w, c.offset, 0x4321), 0x1234);
    EXPECT_EQ(c.size.get(w, c.offset), 0x4321);
    EXPECT_EQ(GetLastError(), 0u);
  }
  SetWindowLongPtrA(w, 4, 0);
  EXPECT_EQ(SetWindowLongPtrA(w, 4, LONG_PTR{0x123456789A}), 0);
  EXPECT_EQ(GetWindowLongPtrA(w, 4), LONG_PTR{0x123456789A});  // all its bits
  DestroyWindow(w);
  EXPECT_EQ(GetWindowLongPtrA(w, 0), 0);
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

TEST_F(WindowData, AControlKeepsItsStateThroughASubclass) {
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
