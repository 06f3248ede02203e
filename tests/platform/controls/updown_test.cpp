// The up-down as a person drives it: the buddy's text is written with
// thousands separators and read back before each step; a reversed range; a
// held press speeds up by its table; the arrow keys in the buddy step it.
#include <string>

#include "controls_fixture.h"

namespace {

class UpDown : public ControlTest {
 protected:
  UpDown() {
    TestHandlers()[WM_NOTIFY] = [this](HWND, WPARAM id, LPARAM lParam) {
      const auto* note = reinterpret_cast<const NMUPDOWN*>(lParam);
      EXPECT_EQ(note->hdr.code, UDN_DELTAPOS);
      EXPECT_EQ(id, note->hdr.idFrom);
      asked_.push_back({note->iPos, note->iDelta});
      return LRESULT{0};
    };
  }
  HWND MakeBuddy() {
    return MakeWindow(WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 20, parent_);
  }
  // A click on the up arrow of an up-down 16 wide and 20 high.
  void ClickUp(HWND updown) {
    MoveMouseTo(updown, 8, 4);
    host::Headless().Press();
    host::Headless().Release();
    Pump();
  }

  std::vector<std::pair<int, int>> asked_;  // iPos, iDelta
};

TEST_F(UpDown, WritesItsBuddyAndReadsItBackBeforeEachStep) {
  HWND buddy = MakeBuddy();
  HWND updown = Make(UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ALIGNRIGHT, 0, 0, 16, 20);
  SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(30000, -30000));
  EXPECT_EQ(SendMessageA(updown, UDM_SETPOS, 0, MAKELPARAM(12345, 0)), 0);
  EXPECT_EQ(TextOf(buddy), "12,345");
  SendMessageA(updown, UDM_SETPOS, 0, MAKELPARAM(-1234, 0));
  EXPECT_EQ(TextOf(buddy), "-1,234");

  SetWindowTextA(buddy, "77");
  EXPECT_EQ(SendMessageA(updown, UDM_GETPOS, 0, 0), 77);
  SetWindowTextA(buddy, "1,500");
  ClickUp(updown);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1500, 1}}), asked_);
  EXPECT_EQ(TextOf(buddy), "1,501");
  EXPECT_EQ(Scrolls(), (std::vector<Scroll>{V(SB_THUMBPOSITION, 1501), V(SB_ENDSCROLL, 1501)}));

  SetWindowTextA(buddy, "not a number");
  EXPECT_EQ(HIWORD(SendMessageA(updown, UDM_GETPOS, 0, 0)), 1);  // an error; the old position
  EXPECT_EQ(LOWORD(SendMessageA(updown, UDM_GETPOS, 0, 0)), 1501);

  SetWindowLongA(updown, GWL_STYLE, GetWindowLongA(updown, GWL_STYLE) | UDS_NOTHOUSANDS);
  SendMessageA(updown, UDM_SETPOS32, 0, 4410);
  EXPECT_EQ(TextOf(buddy), "4410");
}

// In a reversed range the up arrow goes toward the "maximum", the lower end.
TEST_F(UpDown, TheUpArrowOfAReversedRangeStepsDown) {
  HWND updown = Make(UPDOWN_CLASSA, 0, 200, 10, 16, 20);
  SendMessageA(updown, UDM_SETRANGE32, 100, 0);
  SendMessageA(updown, UDM_SETPOS32, 0, 50);
  ClickUp(updown);
  EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), 49);
}

TEST_F(UpDown, AHeldPressRepeatsFasterAsTheTableSays) {
  HWND updown = Make(UPDOWN_CLASSA, 0, 200, 10, 16, 20);
  SendMessageA(updown, UDM_SETRANGE32, 0, 1000);
  UDACCEL accel[] = {{0, 1}, {1, 10}};
  SendMessageA(updown, UDM_SETACCEL, 2, reinterpret_cast<LPARAM>(accel));
  auto& h = host::Headless();
  MoveMouseTo(updown, 8, 4);
  h.Press();
  Pump();
  std::vector<int> seen = {static_cast<int>(SendMessageA(updown, UDM_GETPOS32, 0, 0))};
  for (int i = 0; i < 7; ++i) {
    h.AdvanceClock(i == 0 ? 500 : 100);
    Pump();
    seen.push_back(static_cast<int>(SendMessageA(updown, UDM_GETPOS32, 0, 0)));
  }
  h.Release();
  Pump();
  EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4, 5, 6, 16, 26}));
  EXPECT_EQ(Scrolls().back(), V(SB_ENDSCROLL, 26));
}

TEST_F(UpDown, UpAndDownInTheBuddyStepIt) {
  HWND buddy = MakeBuddy();
  HWND updown = Make(UPDOWN_CLASSA, UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 16, 20);
  SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(updown, UDM_SETRANGE, 0, MAKELPARAM(10, 0));
  SetFocus(buddy);
  auto& h = host::Headless();
  for (UINT key : {VK_UP, VK_UP, VK_DOWN}) {
    h.KeyDown(key);
    h.KeyUp(key);
  }
  Pump();
  EXPECT_EQ(TextOf(buddy), "1");
  EXPECT_EQ(Scrolls(),
            (std::vector<Scroll>{V(SB_THUMBPOSITION, 1), V(SB_ENDSCROLL, 1), V(SB_THUMBPOSITION, 2),
                                 V(SB_ENDSCROLL, 2), V(SB_THUMBPOSITION, 1), V(SB_ENDSCROLL, 1)}));
  // Detached, the buddy's keys are its own again.
  SendMessageA(updown, UDM_SETBUDDY, 0, 0);
  h.KeyDown(VK_UP);
  Pump();
  EXPECT_TRUE(Scrolls().empty());
}

}  // namespace
