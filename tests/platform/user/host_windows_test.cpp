// What the host hears of the top-level windows: their state, the damage
// presented before the user-interface thread waits, and the window
// manager's news and mouse events coming back the other way, the capture.
#include <gtest/gtest.h>
#include <platform/headless.h>

#include <functional>
#include <utility>

#include "tests/support/message_log.h"
#include "tests/support/rect.h"
#include "tests/support/test_window.h"

namespace {

using host::InputEvent;

class HostWindows : public LoggedWindowTest {
 protected:
  // Lets the thread take what waits and then wait once, as a message loop
  // does between bursts of work.
  static void WaitOnce() {
    const UINT_PTR timer = SetTimer(nullptr, 0, 10, nullptr);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) && msg.message != WM_TIMER) DispatchMessageA(&msg);
    KillTimer(nullptr, timer);
  }
  static host::HostWindowLog Log(HWND window) {
    const std::optional<host::HostWindowLog> log = host::Headless().WindowLog(window);
    EXPECT_TRUE(log.has_value());
    return log.value_or(host::HostWindowLog{});
  }
  // The main window, hidden or shown and told to the host: its frame at
  // (100, 50), 300 x 200, its client area at (103, 72), 294 x 175.
  HWND MakeMain(bool shown = false) {
    HWND main = MakeWindow(WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 100, 50, 300, 200);
    SetWindowTextA(main, "\xD1\xF2\xE8\xEC\xF3\xEB");  // "Стимул" in code page 1251
    if (shown) {
      ShowWindow(main, SW_SHOW);
      WaitOnce();
    }
    return main;
  }
};

TEST_F(HostWindows, TopLevelWindowsAreOpenedToldAndClosed) {
  HWND main = MakeMain();
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, main);
  EXPECT_FALSE(host::Headless().WindowLog(child).has_value());
  EXPECT_FALSE(Log(main).state.visible);

  ShowWindow(main, SW_SHOW);
  WaitOnce();
  const host::WindowState state = Log(main).state;
  EXPECT_TRUE(state.visible && state.active && state.caption && state.takes_focus);
  EXPECT_EQ(state.title, "Стимул");
  EXPECT_EQ(state.frame, (RECT{100, 50, 400, 250}));
  EXPECT_EQ(state.client, (RECT{103, 72, 397, 247}));
  EXPECT_EQ(state.z_index, 0);

  DestroyWindow(main);
  EXPECT_FALSE(Log(main).open);
}

TEST_F(HostWindows, AHintShowsOnTopWithoutTheFocus) {
  HWND main = MakeMain();
  ShowWindow(main, SW_SHOW);
  HWND hint = MakeWindow(WS_POPUP | WS_BORDER, 0, 0, 60, 18, main, WS_EX_TOOLWINDOW);
  SetWindowPos(hint, HWND_TOPMOST, 120, 80, 60, 18, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  WaitOnce();
  const host::WindowState state = Log(hint).state;
  EXPECT_TRUE(state.visible && state.topmost);
  EXPECT_FALSE(state.takes_focus || state.caption || state.active);
  EXPECT_EQ(state.owner, main);
  EXPECT_EQ(state.z_index, 0);
  EXPECT_EQ(Log(main).state.z_index, 1);
  EXPECT_EQ(GetActiveWindow(), main);
}

TEST_F(HostWindows, PaintingIsPresentedOnceBeforeTheWaitAndOnlyWhereItDrew) {
  HWND main = MakeMain(true);
  const int before = Log(main).presents;
  TestHandlers()[WM_PAINT] = [](HWND w, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    for (int x = 0; x < 300; x += 2) SetPixel(dc, x, x / 2, RGB(255, 0, 0));
    EndPaint(w, &ps);
    return 0;
  };
  const RECT invalid{10, 20, 30, 30};
  InvalidateRect(main, &invalid, FALSE);
  WaitOnce();
  const host::HostWindowLog log = Log(main);
  EXPECT_EQ(log.presents, before + 1);
  const RECT in_surface{3 + 10, 22 + 20, 3 + 30, 22 + 30};
  ASSERT_FALSE(log.last_damage.empty());
  for (const RECT& r : log.last_damage) {
    RECT inside;
    IntersectRect(&inside, &r, &in_surface);
    EXPECT_EQ(inside, r);
  }
}

TEST_F(HostWindows, BusyWorkStillPresentsAboutOnceAFrame) {
  HWND main = MakeMain(true);
  TestHandlers()[WM_PAINT] = [](HWND w, WPARAM, LPARAM) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(w, &ps);
    FillRect(dc, &ps.rcPaint, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    EndPaint(w, &ps);
    return 0;
  };
  const auto draw = [main](int x) {
    HDC dc = GetDC(main);
    SetPixel(dc, x, 5, RGB(0, 0, 255));
    ReleaseDC(main, dc);
  };
  const auto paint = [main](int x) {
    const RECT r{x, 0, x + 4, 4};
    InvalidateRect(main, &r, FALSE);
    UpdateWindow(main);
  };
  const auto peek = [main, draw](int x) {
    draw(x);
    PostMessageA(main, WM_NULL, 0, 0);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  };
  const std::pair<const char*, std::function<void(int)>> cases[] = {
      {"a loop that keeps finding messages", peek},
      {"a handler drawing through a window DC", draw},
      {"a handler painting its window at once", paint},
  };
  for (const auto& [name, work] : cases) {
    SCOPED_TRACE(name);
    const int before = Log(main).presents;
    // 100 ms without letting the thread wait.
    for (int ms = 0; ms < 100; ms += 4) {
      work(ms);
      host::Headless().AdvanceClock(4);
    }
    const int presents = Log(main).presents - before;
    EXPECT_GE(presents, 100 / 16 - 1);
    EXPECT_LE(presents, 100 / 16 + 1);
  }
}

TEST_F(HostWindows, MouseEventsNameTheirWindowInClientCoordinates) {
  HWND main = MakeMain();
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 40, 30, 50, 50, main);
  ShowWindow(main, SW_SHOW);
  DrainMessages();
  log.Name(child, "Child");
  log.Start();
  host::Headless().Inject({.kind = InputEvent::kButtonDown, .window = main, .position = {45, 37}});
  DrainMessages();
  EXPECT_TRUE(log.Saw({"Child WM_LBUTTONDOWN posted l=0x70005"}, {"WM_LBUTTONDOWN"}));
}

TEST_F(HostWindows, TheWindowManagersNewsIsActedOn) {
  HWND main = MakeMain(true);
  bool closed = false;
  TestHandlers()[WM_CLOSE] = [&](HWND, WPARAM, LPARAM) {
    closed = true;
    return 0;
  };
  auto news = [&](InputEvent event) {
    event.window = main;
    host::Headless().Inject(event);
    DrainMessages();
  };
  news({.kind = InputEvent::kMoved, .position = {210, 160}});
  news({.kind = InputEvent::kResized, .size = {150, 90}});
  RECT client;
  GetClientRect(main, &client);
  MapWindowPoints(main, nullptr, reinterpret_cast<POINT*>(&client), 2);
  EXPECT_EQ(client, (RECT{210, 160, 360, 250}));

  news({.kind = InputEvent::kDeactivate});
  EXPECT_EQ(GetActiveWindow(), nullptr);
  news({.kind = InputEvent::kActivate});
  EXPECT_EQ(GetActiveWindow(), main);
  news({.kind = InputEvent::kClose});
  EXPECT_TRUE(closed);
}

TEST_F(HostWindows, TheCaptureReachesTheHostAsItsTopLevelWindow) {
  HWND main = MakeMain();
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 20, 20, main);
  SetCapture(child);
  EXPECT_EQ(host::Headless().MouseCapture(), main);
  ReleaseCapture();
  EXPECT_EQ(host::Headless().MouseCapture(), nullptr);
}

}  // namespace
