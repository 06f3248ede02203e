// Showing, moving and stacking windows.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/message_log.h"
#include "tests/support/rect.h"
#include "tests/support/test_window.h"

namespace {

using WindowPos = LoggedWindowTest;

TEST_F(WindowPos, ShowingATopLevelWindowActivatesAndDrawsItBeforeItHearsOfIt) {
  HWND top = MakeWindow(WS_OVERLAPPED, 0, 0, 200, 100);
  log.Name(top, "Top");
  log.Start();
  EXPECT_FALSE(ShowWindow(top, SW_SHOW));
  const Sequence shown = Sequence{"Top WM_SHOWWINDOW w=1", "Top WM_WINDOWPOSCHANGING"} +
                         pieces::FirstActivation("Top") +
                         Sequence{"Top WM_NCPAINT", "Top WM_ERASEBKGND", "Top WM_WINDOWPOSCHANGED"};
  EXPECT_TRUE(log.Saw(shown));
  EXPECT_TRUE(IsWindowVisible(top));
  log.Start();
  EXPECT_TRUE(ShowWindow(top, SW_SHOW));  // already shown: nothing to say
  EXPECT_TRUE(log.Saw({}));
}

TEST_F(WindowPos, MovingAndSizingAChild) {
  HWND parent = MakeWindow(WS_POPUP, 0, 0, 300, 200);
  HWND child = MakeWindow(WS_CHILD | WS_BORDER, 10, 10, 50, 20, parent);
  log.Name(child, "Child");
  log.Start();
  MoveWindow(child, 20, 30, 60, 25, TRUE);
  EXPECT_TRUE(
      log.Saw({"Child WM_WINDOWPOSCHANGING", "Child WM_NCCALCSIZE", "Child WM_WINDOWPOSCHANGED",
               "Child WM_MOVE default", "Child WM_SIZE default"}));
  log.Start();
  SetWindowPos(child, nullptr, 25, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_TRUE(log.Saw({"Child WM_WINDOWPOSCHANGING", "Child WM_NCCALCSIZE",
                       "Child WM_WINDOWPOSCHANGED", "Child WM_MOVE default"}));
  RECT client;
  GetClientRect(child, &client);
  EXPECT_EQ(client.right, 58);  // a 1-pixel border on each side
  POINT p{0, 0};
  ClientToScreen(child, &p);
  EXPECT_EQ(p.x, 26);
  EXPECT_EQ(p.y, 31);
  MapWindowPoints(child, parent, &p, 1);
  EXPECT_EQ(p.x, 52);
}

TEST_F(WindowPos, TopMostWindowsStayAbove) {
  HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  HWND b = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  SetWindowPos(a, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_NE(GetWindowLongA(a, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  HWND c = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  EXPECT_EQ(GetWindow(c, GW_HWNDFIRST), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), c);
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  SetWindowPos(a, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  EXPECT_EQ(GetWindowLongA(a, GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
  EXPECT_EQ(GetWindow(a, GW_HWNDFIRST), a);
}

TEST_F(WindowPos, ShowOwnedPopupsHidesItsPopupsAndShowsAgainOnlyThoseItHid) {
  HWND owner = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100);
  HWND other = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 100, 100);
  std::vector<std::pair<HWND, LPARAM>> told;
  TestHandlers()[WM_SHOWWINDOW] = [&](HWND w, WPARAM wp, LPARAM lp) {
    told.emplace_back(w, lp);
    return DefWindowProcA(w, WM_SHOWWINDOW, wp, lp);
  };
  const struct {
    const char* what;
    DWORD style;
    HWND owned_by;
    bool shown_after_hiding, shown_after_showing;
  } cases[] = {
      {"a shown pop-up", WS_POPUP | WS_VISIBLE, owner, false, true},
      {"a hidden pop-up", WS_POPUP, owner, false, false},
      {"an overlapped window", WS_OVERLAPPED | WS_VISIBLE, owner, true, true},
      {"another's pop-up", WS_POPUP | WS_VISIBLE, other, true, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    HWND window = MakeWindow(c.style, 0, 0, 20, 20, c.owned_by);
    SetActiveWindow(owner);
    DrainMessages();
    told.clear();
    EXPECT_TRUE(ShowOwnedPopups(owner, FALSE));
    EXPECT_EQ(IsWindowVisible(window) != FALSE, c.shown_after_hiding);
    EXPECT_TRUE(ShowOwnedPopups(owner, TRUE));
    EXPECT_EQ(IsWindowVisible(window) != FALSE, c.shown_after_showing);
    EXPECT_EQ(GetActiveWindow(), owner);  // shown again without activation
    // Told why first, then hidden or shown as ShowWindow does it.
    using Told = std::vector<std::pair<HWND, LPARAM>>;
    const bool hidden = c.style == (WS_POPUP | WS_VISIBLE) && c.owned_by == owner;
    const Told expected =
        hidden
            ? Told{{window, SW_PARENTCLOSING}, {window, 0}, {window, SW_PARENTOPENING}, {window, 0}}
            : Told{};
    EXPECT_EQ(told, expected);
    DestroyWindow(window);
  }
}

TEST_F(WindowPos, ChildrenStackInTheOrderTheyWereMade) {
  HWND parent = MakeWindow(WS_POPUP, 0, 0, 100, 100);
  HWND first = MakeWindow(WS_CHILD, 0, 0, 10, 10, parent);
  HWND second = MakeWindow(WS_CHILD, 0, 0, 10, 10, parent);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDNEXT), second);
  EXPECT_EQ(GetWindow(second, GW_HWNDPREV), first);
  SetParent(first, nullptr);
  EXPECT_EQ(GetWindow(parent, GW_CHILD), second);
}

TEST_F(WindowPos, APlacementSetWhileMinimisedOrMaximisedWaitsForTheRestore) {
  const struct {
    int command;
    UINT show_cmd;
    bool moves_at_once;
  } cases[] = {{SW_SHOWNORMAL, SW_SHOWNORMAL, true},
               {SW_MINIMIZE, SW_SHOWMINIMIZED, false},
               {SW_MAXIMIZE, SW_SHOWMAXIMIZED, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    HWND top = MakeWindow(WS_OVERLAPPEDWINDOW, 10, 20, 200, 100);
    ShowWindow(top, c.command);
    WINDOWPLACEMENT placement{};
    EXPECT_FALSE(GetWindowPlacement(top, &placement));  // no length
    placement.length = sizeof placement;
    ASSERT_TRUE(GetWindowPlacement(top, &placement));
    EXPECT_EQ(placement.showCmd, c.show_cmd);
    const RECT moved{30, 40, 330, 240};
    placement.rcNormalPosition = moved;
    ASSERT_TRUE(SetWindowPlacement(top, &placement));
    RECT window{};
    GetWindowRect(top, &window);
    EXPECT_EQ(window == moved, c.moves_at_once);
    ASSERT_TRUE(GetWindowPlacement(top, &placement));
    EXPECT_EQ(placement.rcNormalPosition, moved);
    EXPECT_EQ(placement.showCmd, c.show_cmd);
    ShowWindow(top, SW_RESTORE);
    GetWindowRect(top, &window);
    EXPECT_EQ(window, moved);
    DestroyWindow(top);
  }
}

LRESULT Glass(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  return msg == WM_NCHITTEST ? HTTRANSPARENT : DefWindowProcA(window, msg, wparam, lparam);
}

TEST_F(WindowPos, FindingWindowsByPoint) {
  HWND top = MakeWindow(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
  // Over the top's right part, letting the mouse through.
  HWND glass = MakeWindow(WS_POPUP | WS_VISIBLE, 250, 100, 100, 50);
  SetWindowLongPtrA(glass, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Glass));
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, top);
  MakeWindow(WS_CHILD, 70, 10, 50, 20, top);                              // hidden
  MakeWindow(WS_CHILD | WS_VISIBLE | WS_DISABLED, 130, 10, 50, 20, top);  // disabled
  const std::pair<POINT, HWND> cases[] = {
      {{115, 115}, child}, {{175, 115}, top}, {{235, 115}, top},    {{99, 99}, nullptr},
      {{299, 199}, top},   {{260, 110}, top}, {{320, 110}, nullptr}};
  for (const auto& [at, found] : cases) EXPECT_EQ(WindowFromPoint(at), found) << at.x;
}

TEST_F(WindowPos, MetricsOfTheScheme) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  RECT r{0, 0, 488, 356};
  AdjustWindowRectEx(&r, WS_CAPTION | WS_SYSMENU, FALSE, 0);
  EXPECT_EQ(r.right - r.left, 488 + 6);
  EXPECT_EQ(r.bottom - r.top, 356 + 6 + 19);
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  EXPECT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(metrics.lfMessageFont.lfHeight, -11);
}

}  // namespace
