// Focus, activation between top-level windows, capture, and disabling.
#include <gtest/gtest.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

class Focus : public testing::Test {
 protected:
  ~Focus() override { ResetTestWindows(); }
  MessageLog log;
};

TEST_F(Focus, MovesWithKillFocusThenSetFocus) {
  HWND top = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  HWND a = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top);
  HWND b = MakeWindow(WS_CHILD | WS_VISIBLE, 60, 0, 50, 20, top);
  log.Name(a, "A");
  log.Name(b, "B");
  EXPECT_EQ(SetFocus(a), top);
  log.Start();
  EXPECT_EQ(SetFocus(b), a);
  EXPECT_EQ(SetFocus(b), b);  // already there: no messages
  EXPECT_TRUE(SameSequence({"A WM_KILLFOCUS", "B WM_SETFOCUS"}, log.Take()));
  EXPECT_EQ(GetFocus(), b);
}

TEST_F(Focus, ActivationMovesBetweenTopLevelWindowsInTheRealOrder) {
  HWND first = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND second = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  ASSERT_EQ(GetActiveWindow(), second);
  log.Name(first, "First");
  log.Name(second, "Second");
  log.Start();
  EXPECT_EQ(SetActiveWindow(first), second);
  EXPECT_TRUE(SameSequence(
      {"First WM_WINDOWPOSCHANGING", "First WM_WINDOWPOSCHANGED", "Second WM_NCACTIVATE",
       "Second WM_ACTIVATE", "First WM_NCACTIVATE", "First WM_ACTIVATE",
       "Second WM_KILLFOCUS default", "First WM_SETFOCUS default"},
      log.Take()));
  EXPECT_EQ(GetForegroundWindow(), first);
  EXPECT_EQ(GetWindow(second, GW_HWNDFIRST), first);
}

TEST_F(Focus, FocusingAChildOfAnInactiveWindowActivatesItFirst) {
  HWND first = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND edit = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, first);
  MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SetFocus(edit);
  EXPECT_EQ(GetActiveWindow(), first);
  EXPECT_EQ(GetFocus(), edit);
}

TEST_F(Focus, CaptureChangesAreReported) {
  HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND b = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.Name(a, "A");
  log.Name(b, "B");
  log.Start();
  EXPECT_EQ(SetCapture(a), nullptr);
  EXPECT_EQ(SetCapture(b), a);
  EXPECT_TRUE(ReleaseCapture());
  EXPECT_TRUE(SameSequence({"A WM_CAPTURECHANGED", "B WM_CAPTURECHANGED"}, log.Take()));
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Focus, DisablingCancelsCaptureAndTakesTheFocus) {
  HWND top = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND edit = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 50, 20, top);
  SetFocus(edit);
  SetCapture(edit);
  log.Name(edit, "Edit");
  log.Start();
  EXPECT_FALSE(EnableWindow(edit, FALSE));
  EXPECT_TRUE(SameSequence({"Edit WM_CANCELMODE", "Edit WM_CAPTURECHANGED default",
                            "Edit WM_KILLFOCUS", "Edit WM_ENABLE"},
                           log.Take()));
  EXPECT_EQ(SetFocus(edit), nullptr);
  EXPECT_EQ(GetFocus(), nullptr);
  EXPECT_TRUE(EnableWindow(edit, TRUE));
  EXPECT_TRUE(IsWindowEnabled(edit));
}

}  // namespace
