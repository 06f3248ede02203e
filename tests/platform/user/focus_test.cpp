// Focus, activation between top-level windows, capture, and disabling.
#include <functional>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

using Focus = LoggedWindowTest;

// The window activated is raised first; the focus follows from the default
// handling of WM_ACTIVATE.
TEST_F(Focus, ActivationRaisesTheWindowAndTheFocusFollows) {
  HWND first = Window("First", WS_POPUP, 0, 0, 100, 100);
  HWND second = Window("Second", WS_POPUP, 0, 0, 100, 100);
  log.Start();
  EXPECT_EQ(SetActiveWindow(first), second);
  EXPECT_TRUE(log.Saw(pieces::Activation("Second", "First")));
  EXPECT_EQ(GetForegroundWindow(), first);
  EXPECT_EQ(GetWindow(second, GW_HWNDFIRST), first);
}

// The focus is recorded before the old window hears of it, so its handler
// sees the new one and may move the focus on; the window that was to get it
// then hears nothing more.
TEST_F(Focus, KillFocusSeesTheNewFocusAndMayMoveItOn) {
  const struct {
    const char* name;
    std::function<void(HWND a, HWND c)> on_a_kill_focus;
    Sequence expected;
    const char* ends_on;
  } cases[] = {
      {"plain", {}, {"A WM_KILLFOCUS w=B", "B WM_SETFOCUS w=A"}, "B"},
      {"validate on leaving: back to A",
       [](HWND a, HWND) { SetFocus(a); },
       {"A WM_KILLFOCUS w=B", "B WM_KILLFOCUS w=A", "A WM_SETFOCUS w=B"},
       "A"},
      {"on to C",
       [](HWND, HWND c) { SetFocus(c); },
       {"A WM_KILLFOCUS w=B", "B WM_KILLFOCUS w=C", "C WM_SETFOCUS w=B"},
       "C"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND top = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    std::map<std::string, HWND> windows;
    for (const char* name : {"A", "B", "C"})
      windows[name] = Window(name, WS_CHILD, 0, 0, 50, 20, top);
    EXPECT_EQ(SetFocus(windows["A"]), top);
    HWND seen_inside = nullptr;
    TestHandlers()[WM_KILLFOCUS] = [&](HWND window, WPARAM wParam, LPARAM lParam) {
      if (window == windows["A"] && seen_inside == nullptr) {
        seen_inside = GetFocus();
        if (c.on_a_kill_focus) c.on_a_kill_focus(windows["A"], windows["C"]);
      }
      return DefWindowProcA(window, WM_KILLFOCUS, wParam, lParam);
    };
    log.Start();
    EXPECT_EQ(SetFocus(windows["B"]), windows["A"]);
    EXPECT_TRUE(log.Saw(c.expected));
    EXPECT_EQ(seen_inside, windows["B"]);
    EXPECT_EQ(GetFocus(), windows[c.ends_on]);
    log.Start();
    EXPECT_EQ(SetFocus(GetFocus()), GetFocus());  // already there: no messages
    EXPECT_TRUE(log.Saw({}));
    ResetTestWindows();
  }
}

// Hiding or destroying the focus window, or a window around it, hands the
// focus to the parent of the window that goes.
TEST_F(Focus, AHiddenOrDestroyedFocusGoesToTheParent) {
  const Sequence hide = {"C WM_SHOWWINDOW w=0", "C WM_WINDOWPOSCHANGING", "C WM_WINDOWPOSCHANGED",
                         "C WM_KILLFOCUS w=P", "P WM_SETFOCUS w=C"};
  const struct {
    const char* name;
    bool focus_grandchild;
    std::function<void(HWND child)> act;
    Sequence expected;
  } cases[] = {
      {"hidden", false, [](HWND c) { ShowWindow(c, SW_HIDE); }, hide},
      {"destroyed", false, [](HWND c) { DestroyWindow(c); },
       Sequence{"P WM_PARENTNOTIFY"} + hide +
           Sequence{"C WM_DESTROY", "G WM_DESTROY", "G WM_NCDESTROY", "C WM_NCDESTROY"}},
      {"around the focus",
       true,
       [](HWND c) { ShowWindow(c, SW_HIDE); },
       {"C WM_SHOWWINDOW w=0", "C WM_WINDOWPOSCHANGING", "C WM_WINDOWPOSCHANGED",
        "G WM_KILLFOCUS w=P", "P WM_SETFOCUS w=G"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND top = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
    HWND parent = Window("P", WS_CHILD, 0, 0, 150, 80, top);
    HWND child = Window("C", WS_CHILD, 0, 0, 100, 50, parent);
    HWND grandchild = Window("G", WS_CHILD, 0, 0, 50, 20, child);
    SetFocus(c.focus_grandchild ? grandchild : child);
    log.Start();
    c.act(child);
    EXPECT_TRUE(log.Saw(c.expected));
    EXPECT_EQ(GetFocus(), parent);
    ResetTestWindows();
  }
}

// The modal pattern: the owner is disabled while its pop-up is up. When the
// pop-up goes before the owner is enabled again, the activation never lands
// on the disabled owner.
TEST_F(Focus, AfterAPopUpTheNextActiveWindowIsVisibleAndEnabled) {
  const struct {
    const char* name;
    bool other_window;
    const char* active_after;
  } cases[] = {
      {"pop-up destroyed while the owner is disabled", true, "Other"},
      {"nothing else to activate", false, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::map<std::string, HWND> windows;
    if (c.other_window) windows["Other"] = MakeWindow(WS_POPUP | WS_VISIBLE, 300, 0, 100, 100);
    windows["Owner"] = MakeWindow(WS_OVERLAPPED | WS_VISIBLE, 0, 0, 200, 200);
    windows["Popup"] = MakeWindow(WS_POPUP | WS_VISIBLE, 20, 20, 100, 50, windows["Owner"]);
    ASSERT_EQ(GetActiveWindow(), windows["Popup"]);
    EnableWindow(windows["Owner"], FALSE);
    DestroyWindow(windows["Popup"]);
    const HWND expected = c.active_after != nullptr ? windows[c.active_after] : nullptr;
    EXPECT_EQ(GetActiveWindow(), expected);
    EXPECT_EQ(GetFocus(), expected);
    EnableWindow(windows["Owner"], TRUE);
    // The program then activates the owner itself, as a modal loop does.
    SetActiveWindow(windows["Owner"]);
    EXPECT_EQ(GetActiveWindow(), windows["Owner"]);
    ResetTestWindows();
  }
}

// The hidden active pop-up hands the activation to its owner, in the shared
// order, before a window that lies above the owner.
TEST_F(Focus, HidingTheActiveWindowActivatesItsOwner) {
  HWND owner = Window("Owner", WS_OVERLAPPED, 0, 0, 200, 200);
  HWND popup = Window("Popup", WS_POPUP, 20, 20, 100, 50, owner);
  MakeWindow(WS_POPUP | WS_VISIBLE, 300, 0, 100, 100);
  SetActiveWindow(popup);
  log.Start();
  ShowWindow(popup, SW_HIDE);
  EXPECT_TRUE(log.Saw(Sequence{"Popup WM_SHOWWINDOW w=0", "Popup WM_WINDOWPOSCHANGING",
                               "Popup WM_WINDOWPOSCHANGED"} +
                      pieces::Activation("Popup", "Owner")));
  EXPECT_EQ(GetFocus(), owner);
}

TEST_F(Focus, CaptureChangesAreReportedAndDisablingCancelsCaptureAndFocus) {
  HWND a = Window("A", WS_POPUP, 0, 0, 100, 100);
  HWND b = Window("B", WS_POPUP, 0, 0, 100, 100);
  HWND edit = Window("Edit", WS_CHILD, 0, 0, 50, 20, b);
  log.Start();
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_TRUE(log.Saw({"A WM_CAPTURECHANGED", "B WM_CAPTURECHANGED"}));
  EXPECT_EQ(GetCapture(), nullptr);

  SetFocus(edit);
  SetCapture(edit);
  log.Start();
  EXPECT_FALSE(EnableWindow(edit, FALSE));
  EXPECT_TRUE(log.Saw({"Edit WM_CANCELMODE", "Edit WM_CAPTURECHANGED default", "Edit WM_KILLFOCUS",
                       "Edit WM_ENABLE"}));
  EXPECT_EQ(SetFocus(edit), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(EnableWindow(edit, TRUE));
}

}  // namespace
