// Showing, moving and stacking windows.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "tests/support/message_log.h"
#include "tests/support/rect.h"
#include "tests/support/test_window.h"

namespace {

using WindowPos = LoggedWindowTest;

// WM_MOVE and WM_SIZE come from the default handling of WM_WINDOWPOSCHANGED,
// not from the move itself.
TEST_F(WindowPos, MoveAndSizeComeFromTheDefaultHandling) {
  HWND parent = MakeWindow(WS_POPUP, 0, 0, 300, 200);
  HWND child = MakeWindow(WS_CHILD, 10, 10, 50, 20, parent);
  log.Name(child, "Child");
  log.Start();
  MoveWindow(child, 20, 30, 60, 25, TRUE);
  EXPECT_TRUE(
      log.Saw({"Child WM_WINDOWPOSCHANGING", "Child WM_NCCALCSIZE", "Child WM_WINDOWPOSCHANGED",
               "Child WM_MOVE default", "Child WM_SIZE default"}));
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
  MakeWindow(WS_CHILD | WS_VISIBLE | WS_DISABLED, 130, 10, 50, 20, top);
  const std::pair<POINT, HWND> cases[] = {{{235, 115}, top},  // the disabled child's parent
                                          {{99, 99}, nullptr},
                                          {{299, 199}, top},
                                          {{260, 110}, top},
                                          {{320, 110}, nullptr}};
  for (const auto& [at, found] : cases) EXPECT_EQ(WindowFromPoint(at), found) << at.x;
}

// The frames our own windows draw: 3 pixels and a 19-pixel caption for a
// captioned window (an overlapped one has a caption), 1 pixel for a border.
TEST_F(WindowPos, MetricsOfTheScheme) {
  EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1024);
  EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 768);
  const std::pair<DWORD, SIZE> frames[] = {
      {WS_CAPTION | WS_SYSMENU, {6, 6 + 19}}, {WS_POPUP | WS_BORDER, {2, 2}}, {WS_POPUP, {0, 0}}};
  for (const auto& [style, frame] : frames) {
    SCOPED_TRACE(style);
    RECT adjusted{0, 0, 300, 200}, client;
    AdjustWindowRectEx(&adjusted, style, FALSE, 0);
    EXPECT_EQ(adjusted.right - adjusted.left, 300 + frame.cx);
    EXPECT_EQ(adjusted.bottom - adjusted.top, 200 + frame.cy);
    GetClientRect(MakeWindow(style, 0, 0, 300, 200), &client);
    EXPECT_EQ(client, (RECT{0, 0, 300 - frame.cx, 200 - frame.cy}));
  }
  RECT client;
  GetClientRect(MakeWindow(WS_OVERLAPPED, 0, 0, 300, 200), &client);
  EXPECT_EQ(client, (RECT{0, 0, 300 - 6, 200 - 6 - 19}));
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  EXPECT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(metrics.lfMessageFont.lfHeight, -11);
}

}  // namespace
