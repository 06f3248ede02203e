// Class and window longs: every documented class index read and written at
// full width, the extra bytes of a class and of its windows reached only
// inside, a new count of window bytes for later windows only, and a
// control's state kept per window through a subclass.
#include <tuple>
#include <utility>

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
  // A window of a new class with `window_extra` bytes per window and 8 of its own.
  HWND MakeOf(const char* cls, int window_extra, WNDPROC proc = DefWindowProcA) {
    WNDCLASSA info{};
    info.lpfnWndProc = proc;
    info.cbClsExtra = 8;
    info.cbWndExtra = window_extra;
    info.lpszClassName = cls;
    atom_ = RegisterClassA(&info);
    return CreateWindowExA(0, cls, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  }
  ATOM atom_ = 0;
};

LRESULT OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

TEST_F(Longs, EveryClassIndexKeepsAllItsBits) {
  HWND window = MakeOf("Longs", 12);
  const auto above_4g = [](std::uintptr_t low) {
    return static_cast<LONG_PTR>(0x7F00000000 | low);
  };
  const std::pair<int, LONG_PTR> cases[] = {
      {GCLP_HCURSOR, above_4g(0x10)},
      {GCLP_HICON, above_4g(0x20)},
      {GCLP_HBRBACKGROUND, above_4g(0x30)},
      {GCLP_HMODULE, above_4g(0x40)},
      {GCLP_WNDPROC, reinterpret_cast<LONG_PTR>(OtherProc)},
      {GCL_STYLE, CS_DBLCLKS | CS_HREDRAW},
      {GCL_CBWNDEXTRA, 16},
      {GCL_CBCLSEXTRA, 24},
      {0, above_4g(0x50)},  // the class's own extra bytes
  };
  for (const auto& [index, value] : cases) {
    SCOPED_TRACE(index);
    const ULONG_PTR before = GetClassLongPtrA(window, index);
    SetLastError(0);
    EXPECT_EQ(SetClassLongPtrA(window, index, value), before);
    EXPECT_EQ(GetClassLongPtrA(window, index), static_cast<ULONG_PTR>(value));
    EXPECT_EQ(GetLastError(), 0u);
    SetClassLongPtrA(window, index, static_cast<LONG_PTR>(before));
  }
  EXPECT_EQ(GetClassLongPtrA(window, GCW_ATOM), atom_);
  EXPECT_EQ(GetClassLongPtrA(window, GCLP_WNDPROC), reinterpret_cast<ULONG_PTR>(DefWindowProcA));
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
const Access kClassLong{"class long", [](HWND w, int i) -> LONG_PTR { return GetClassLongA(w, i); },
                        [](HWND w, int i, LONG_PTR v) -> LONG_PTR {
                          return SetClassLongA(w, i, static_cast<LONG>(v));
                        }};
const Access kClassPtr{
    "class pointer", [](HWND w, int i) { return static_cast<LONG_PTR>(GetClassLongPtrA(w, i)); },
    [](HWND w, int i, LONG_PTR v) { return static_cast<LONG_PTR>(SetClassLongPtrA(w, i, v)); }};

TEST_F(Longs, ExtraBytesAndUserDataAreZeroedAndReachedOnlyInside) {
  HWND w = MakeOf("Longs", 12);
  HWND none = MakeWindow(WS_POPUP, 0, 0, 10, 10);  // a class without extra bytes
  const std::tuple<HWND, const Access&, int, bool> cases[] = {
      {w, kPtr, 0, true},        {w, kPtr, 4, true},
      {w, kPtr, 5, false},       {w, kLong, 8, true},
      {w, kLong, 9, false},      {w, kWord, 10, true},
      {w, kWord, 11, false},     {w, kWord, -2, false},
      {none, kWord, 0, false},   {none, kPtr, 0, false},
      {w, kPtr, -100, false},    {w, kPtr, GWLP_USERDATA, true},
      {w, kClassLong, 4, true},  {w, kClassPtr, 1, false},
      {w, kClassPtr, -2, false}, {w, kClassPtr, GCW_ATOM - 100, false},
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
  for (const Access* size : {&kPtr, &kClassPtr}) {
    SetLastError(0);
    EXPECT_EQ(size->get(w, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
    SetLastError(0);
    EXPECT_EQ(size->set(w, 0, 5), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  }
}

TEST_F(Longs, ANewWindowExtraCountReachesOnlyLaterWindows) {
  HWND before = MakeOf("Longs", 12);
  SetClassLongPtrA(before, GCL_CBWNDEXTRA, 16);
  HWND later =
      CreateWindowExA(0, "Longs", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetLastError(0);
  EXPECT_EQ(SetWindowLongPtrA(later, 8, 3), 0);
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(GetWindowLongPtrA(later, 8), 3);
  EXPECT_EQ(GetWindowLongPtrA(before, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
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
