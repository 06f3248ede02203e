// The default handling: WM_SETCURSOR asks a child's parent first, sets the
// class cursor of the window under the mouse in the client area and the arrow
// or a sizing cursor elsewhere, and beeps for a click refused with HTERROR;
// WM_SETREDRAW turns drawing off and on.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/windows.h>

#include "platform/user/cursors.h"
#include "tests/support/test_window.h"

namespace {

class DefaultHandling : public WindowTest {
 protected:
  ~DefaultHandling() override {
    ResetTestWindows();
    UnregisterClassA("WithIBeam", nullptr);
  }
};

HWND MakeWithCursor(HWND parent) {
  WNDCLASSA info{};
  info.lpfnWndProc = DefWindowProcA;
  info.hCursor = LoadCursorA(nullptr, IDC_IBEAM);
  info.lpszClassName = "WithIBeam";
  RegisterClassA(&info);
  return CreateWindowExA(0, "WithIBeam", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent, nullptr,
                         nullptr, nullptr);
}

TEST_F(DefaultHandling, SetCursor) {
  HWND parent = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND plain = MakeWindow(WS_CHILD | WS_VISIBLE, 20, 0, 10, 10, parent);
  HWND ibeam = MakeWithCursor(parent);
  bool parent_settles = false;
  TestHandlers()[WM_SETCURSOR] = [&](HWND window, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (window == parent && parent_settles) return TRUE;
    return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
  };
  const struct {
    HWND window;
    LRESULT hit;
    UINT mouse;
    bool settles;  // the parent answers TRUE
    LRESULT result;
    WORD cursor;  // IDC_ number set; 0: the cursor is left alone
    int beeps;
  } cases[] = {
      {ibeam, HTCLIENT, WM_MOUSEMOVE, false, TRUE, 32513, 0},
      {plain, HTCLIENT, WM_MOUSEMOVE, false, FALSE, 0, 0},  // no class cursor
      {ibeam, HTCLIENT, WM_MOUSEMOVE, true, TRUE, 0, 0},
      {plain, HTBORDER, WM_MOUSEMOVE, true, TRUE, 0, 0},  // asked for every hit code
      {parent, HTCAPTION, WM_MOUSEMOVE, false, TRUE, 32512, 0},
      {plain, HTLEFT, WM_MOUSEMOVE, false, TRUE, 32644, 0},
      {plain, HTBOTTOM, WM_MOUSEMOVE, false, TRUE, 32645, 0},
      {plain, HTTOPLEFT, WM_MOUSEMOVE, false, TRUE, 32642, 0},
      {plain, HTBOTTOMLEFT, WM_MOUSEMOVE, false, TRUE, 32643, 0},
      {parent, HTERROR, WM_LBUTTONDOWN, false, TRUE, 32512, 1},
      {plain, HTERROR, WM_RBUTTONDOWN, false, TRUE, 32512, 1},  // the parent beeps, once
      {parent, HTERROR, WM_LBUTTONUP, false, TRUE, 32512, 0},
      {parent, HTERROR, WM_MOUSEMOVE, false, TRUE, 32512, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "hit " << c.hit << " message " << c.mouse);
    host::Headless().Reset();
    parent_settles = c.settles;
    SetCursor(nullptr);
    EXPECT_EQ(SendMessageA(c.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(c.window),
                           MAKELPARAM(static_cast<int>(c.hit), static_cast<int>(c.mouse))),
              c.result);
    EXPECT_EQ(user::SystemCursorId(GetCursor()), c.cursor);
    EXPECT_EQ(host::Headless().Beeps().count, c.beeps);
    if (c.beeps != 0) {
      EXPECT_EQ(host::Headless().Beeps().last_type, MB_OK);
    }
  }
}

TEST_F(DefaultHandling, TheWheelGoesUpToTheFirstParentThatTakesIt) {
  HWND top = MakeWindow(WS_OVERLAPPED, 0, 0, 100, 100);
  HWND middle = MakeWindow(WS_CHILD, 0, 0, 50, 50, top);
  HWND inner = MakeWindow(WS_CHILD, 0, 0, 20, 20, middle);
  HWND reached = nullptr;
  TestHandlers()[WM_MOUSEWHEEL] = [&](HWND window, WPARAM wParam, LPARAM lParam) -> LRESULT {
    reached = window;
    return window == top ? 7 : DefWindowProcA(window, WM_MOUSEWHEEL, wParam, lParam);
  };
  EXPECT_EQ(SendMessageA(inner, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0), 7);
  EXPECT_EQ(reached, top);
}

TEST_F(DefaultHandling, SetRedrawKeepsInvalidationOutUntilDrawingIsBackOn) {
  HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  DrainMessages();
  EXPECT_EQ(SendMessageA(w, WM_SETREDRAW, FALSE, 0), 0);
  EXPECT_FALSE(IsWindowVisible(w));
  InvalidateRect(w, nullptr, TRUE);
  EXPECT_FALSE(GetUpdateRect(w, nullptr, FALSE));
  EXPECT_TRUE(DrainMessages().empty());

  SendMessageA(w, WM_SETREDRAW, TRUE, 0);
  EXPECT_TRUE(IsWindowVisible(w));
  EXPECT_TRUE(DrainMessages().empty());  // the program invalidates when it wants
  InvalidateRect(w, nullptr, TRUE);
  EXPECT_EQ(DrainMessages(), (std::vector<UINT>{WM_PAINT}));
}

}  // namespace
