// A parent window for the control tests that records the scroll
// notifications it gets, and reads back what it shows.
#pragma once

#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <platform/api.h>
#include <platform/headless.h>

#include "platform/user/window_picture.h"
#include "tests/support/control_sheet.h"
#include "tests/support/test_window.h"

// One WM_HSCROLL or WM_VSCROLL: the message, the code and the position.
struct Scroll {
  UINT message;
  WORD code;
  int position;
  bool operator==(const Scroll&) const = default;
};

inline Scroll H(WORD code, int position = 0) {
  return {WM_HSCROLL, code, position};
}
inline Scroll V(WORD code, int position = 0) {
  return {WM_VSCROLL, code, position};
}
inline void PrintTo(const Scroll& s, std::ostream* out) {
  *out << (s.message == WM_VSCROLL ? "V" : "H") << "(" << s.code << ", " << s.position << ")";
}

inline std::string TextOf(HWND window) {
  char text[256] = {};
  GetWindowTextA(window, text, sizeof text);
  return text;
}

// Subclasses `window` with a procedure that counts `message` and passes every
// message on; the count, from 0, lasts until the next call.
inline const int& CountThroughSubclass(HWND window, UINT message) {
  static WNDPROC old;
  static UINT counted;
  static int count;
  counted = message;
  count = 0;
  old = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
        if (m == counted) ++count;
        return CallWindowProcA(old, w, m, wp, lp);
      })));
  return count;
}

class ControlTest : public WindowTest {
 protected:
  static constexpr int kId = 7;

  // The parent: a popup without a frame at (100, 100), 400 x 200.
  ControlTest() {
    parent_ = MakeWindow(WS_POPUP | WS_VISIBLE, 100, 100, 400, 200);
    for (UINT message : {WM_HSCROLL, WM_VSCROLL}) {
      TestHandlers()[message] = [this, message](HWND, WPARAM wParam, LPARAM) {
        scrolls_.push_back({message, LOWORD(wParam), static_cast<SHORT>(HIWORD(wParam))});
        return LRESULT{0};
      };
    }
    Pump();
  }

  HWND Make(const char* cls, DWORD style, int x, int y, int width, int height,
            const char* text = "", DWORD ex_style = 0) {
    return CreateWindowExA(ex_style, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height,
                           parent_, reinterpret_cast<HMENU>(kId), nullptr, nullptr);
  }

  // The notifications since the last call.
  std::vector<Scroll> Scrolls() { return std::exchange(scrolls_, {}); }

  // What the parent shows at a point of its client area.
  COLORREF Shown(int x, int y) const {
    return gdi::ToColor(user::WindowPicture(parent_)->At(x, y));
  }
  int CountShown(const RECT& area, COLORREF color) const {
    const auto picture = user::WindowPicture(parent_);
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x)
        count += picture->At(x, y) == gdi::ToPixel(color);
    }
    return count;
  }

  HWND parent_;
  std::vector<Scroll> scrolls_;
};
