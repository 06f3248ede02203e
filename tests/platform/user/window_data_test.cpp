// What a window carries: its extra bytes, read and written at non-negative
// offsets, and kept per window through a subclass of its procedure.
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

TEST_F(WindowData, ExtraBytesAreZeroedAndReachedOnlyInside) {
  HWND w = MakeOf("Extra12", 12);
  HWND none = MakeWindow(WS_POPUP, 0, 0, 10, 10);  // a class without extra bytes
  enum Size { kWord, kLong, kPtr };
  const struct {
    HWND window;
    Size size;
    int offset;
    bool fits;
  } cases[] = {
      {w, kPtr, 0, true},     {w, kPtr, 4, true},     {w, kPtr, 5, false},
      {w, kLong, 8, true},    {w, kLong, 9, false},   {w, kWord, 10, true},
      {w, kWord, 11, false},  {w, kWord, -2, false},  {none, kWord, 0, false},
      {none, kPtr, 0, false}, {w, kPtr, -100, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "size " << c.size << " at " << c.offset);
    const auto get = [&] {
      switch (c.size) {
        case kWord:
          return static_cast<LONG_PTR>(GetWindowWord(c.window, c.offset));
        case kLong:
          return static_cast<LONG_PTR>(GetWindowLongA(c.window, c.offset));
        default:
          return GetWindowLongPtrA(c.window, c.offset);
      }
    };
    const auto set = [&](LONG_PTR value) {
      switch (c.size) {
        case kWord:
          return static_cast<LONG_PTR>(SetWindowWord(c.window, c.offset, static_cast<WORD>(value)));
        case kLong:
          return static_cast<LONG_PTR>(
              SetWindowLongA(c.window, c.offset, static_cast<LONG>(value)));
        default:
          return SetWindowLongPtrA(c.window, c.offset, value);
      }
    };
    SetLastError(0);
    if (!c.fits) {
      EXPECT_EQ(get(), 0);
      EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
      SetLastError(0);
      EXPECT_EQ(set(0x1234), 0);
      EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
      continue;
    }
    SetWindowLongPtrA(w, 0, 0);
    SetWindowLongPtrA(w, 4, 0);
    EXPECT_EQ(get(), 0);
    EXPECT_EQ(set(0x1234), 0);
    EXPECT_EQ(set(0x4321), 0x1234);
    EXPECT_EQ(get(), 0x4321);
    EXPECT_EQ(GetLastError(), 0u);
  }
  SetWindowLongPtrA(w, 4, 0);
  SetLastError(0);
  EXPECT_EQ(SetWindowLongPtrA(w, 4, LONG_PTR{0x123456789A}), 0);
  EXPECT_EQ(GetWindowLongPtrA(w, 4), LONG_PTR{0x123456789A});
  EXPECT_EQ(GetWindowLongPtrA(w, -1000), 0);  // no such long
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
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
  EXPECT_EQ(GetWindowLongPtrA(first, 0), 2);
}

}  // namespace
