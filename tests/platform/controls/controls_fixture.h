// A parent window for common-control tests that records the scroll
// notifications it gets, and input pumped as the message loop would.
#pragma once

#include <vector>

#include <gtest/gtest.h>
#include <platform/api.h>
#include <platform/headless.h>

#include "tests/support/test_window.h"

// One WM_HSCROLL or WM_VSCROLL: the message, the code and the position.
struct Scroll {
  UINT message;
  WORD code;
  int position;
  bool operator==(const Scroll&) const = default;
};

inline void PrintTo(const Scroll& s, std::ostream* out) {
  *out << (s.message == WM_VSCROLL ? "V" : "H") << "(" << s.code << ", " << s.position << ")";
}

class ControlTest : public testing::Test {
 protected:
  static constexpr POINT kParentAt{100, 100};

  ControlTest() {
    host::Headless().Reset();
    parent_ = MakeWindow(WS_POPUP | WS_VISIBLE, kParentAt.x, kParentAt.y, 400, 200);
    for (UINT message : {WM_HSCROLL, WM_VSCROLL}) {
      TestHandlers()[message] = [this, message](HWND, WPARAM wParam, LPARAM) {
        scrolls_.push_back({message, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam))});
        return LRESULT{0};
      };
    }
    Pump();
  }
  ~ControlTest() override {
    ResetTestWindows();
    Pump();
  }

  HWND Make(const char* cls, DWORD style, int x, int y, int width, int height, int id = 7) {
    return CreateWindowExA(0, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent_,
                           reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr,
                           nullptr);
  }

  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  // Moves the mouse to a point of `window`'s client area (a child of the parent).
  static void MoveTo(HWND window, int x, int y) {
    POINT at{x, y};
    ClientToScreen(window, &at);
    host::Headless().MoveMouse(at.x, at.y);
    Pump();
  }

  // The notifications since the last call.
  std::vector<Scroll> Scrolls() { return std::exchange(scrolls_, {}); }

  HWND parent_;
  std::vector<Scroll> scrolls_;
};
