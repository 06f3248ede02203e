// Class longs: every documented index read and written at full width, the
// class's extra bytes, and the count of window extra bytes for later windows.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>
#include <platform/windows.h>

namespace {

LRESULT OtherProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

class ClassLongs : public testing::Test {
 protected:
  ClassLongs() {
    host::Headless().Reset();
    WNDCLASSA info{};
    info.lpfnWndProc = DefWindowProcA;
    info.cbClsExtra = 8;
    info.cbWndExtra = 4;
    info.lpszClassName = "Longs";
    atom_ = RegisterClassA(&info);
    window_ = Make();
  }
  ~ClassLongs() override {
    DestroyWindow(window_);
    UnregisterClassA("Longs", nullptr);
  }
  static HWND Make() {
    return CreateWindowExA(0, "Longs", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                           nullptr);
  }
  ATOM atom_ = 0;
  HWND window_ = nullptr;
};

TEST_F(ClassLongs, EveryIndexKeepsAllItsBits) {
  const auto above_4g = [](std::uintptr_t low) {
    return static_cast<LONG_PTR>(0x7F00000000 | low);
  };
  const struct {
    int index;
    LONG_PTR value;
  } cases[] = {
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
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    const ULONG_PTR before = GetClassLongPtrA(window_, c.index);
    SetLastError(0);
    EXPECT_EQ(SetClassLongPtrA(window_, c.index, c.value), before);
    EXPECT_EQ(GetClassLongPtrA(window_, c.index), static_cast<ULONG_PTR>(c.value));
    EXPECT_EQ(GetLastError(), 0u);
    SetClassLongPtrA(window_, c.index, static_cast<LONG_PTR>(before));
  }
  EXPECT_EQ(GetClassLongPtrA(window_, GCW_ATOM), atom_);
  EXPECT_EQ(GetClassLongPtrA(window_, GCLP_WNDPROC), reinterpret_cast<ULONG_PTR>(DefWindowProcA));
}

TEST_F(ClassLongs, WhatDoesNotFitFails) {
  const struct {
    HWND window;
    int index;
    DWORD error;
  } cases[] = {
      {window_, 1, ERROR_INVALID_INDEX},  // 1 + 8 > 8
      {window_, -2, ERROR_INVALID_INDEX},
      {window_, GCW_ATOM - 100, ERROR_INVALID_INDEX},
      {reinterpret_cast<HWND>(std::uintptr_t{0xDEAD0}), GCLP_HCURSOR, ERROR_INVALID_WINDOW_HANDLE},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    SetLastError(0);
    EXPECT_EQ(GetClassLongPtrA(c.window, c.index), 0u);
    EXPECT_EQ(GetLastError(), c.error);
    SetLastError(0);
    EXPECT_EQ(SetClassLongPtrA(c.window, c.index, 5), 0u);
    EXPECT_EQ(GetLastError(), c.error);
  }
  EXPECT_EQ(GetClassLongA(window_, 4), 0u);  // 4 + 4 fits
}

TEST_F(ClassLongs, ANewWindowExtraCountReachesOnlyLaterWindows) {
  SetClassLongPtrA(window_, GCL_CBWNDEXTRA, 16);
  HWND later = Make();
  SetLastError(0);
  EXPECT_EQ(SetWindowLongPtrA(later, 8, 3), 0);
  EXPECT_EQ(GetLastError(), 0u);
  EXPECT_EQ(GetWindowLongPtrA(later, 8), 3);
  EXPECT_EQ(GetWindowLongPtrA(window_, 8), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_INDEX);
  DestroyWindow(later);
}

}  // namespace
