// The up-down as a person drives it: a press asks the parent (UDN_DELTAPOS),
// which may refuse, then steps, writes the buddy and tells the new position;
// the buddy's text is read back before each step; attaching a buddy puts the
// up-down beside it.
#include <string>

#include "controls_fixture.h"
#include "tests/support/rect.h"

namespace {

class UpDown : public ControlTest {
 protected:
  UpDown() {
    TestHandlers()[WM_NOTIFY] = [this](HWND, WPARAM id, LPARAM lParam) {
      const auto* note = reinterpret_cast<const NMUPDOWN*>(lParam);
      EXPECT_EQ(note->hdr.code, UDN_DELTAPOS);
      EXPECT_EQ(id, note->hdr.idFrom);
      asked_.push_back({note->iPos, note->iDelta});
      return refuse_;
    };
  }
  HWND MakeBuddy(DWORD style = WS_BORDER, DWORD ex_style = 0) {
    return MakeWindow(WS_CHILD | WS_VISIBLE | style, 10, 10, 100, 20, parent_, ex_style);
  }
  // A click on the up (or down) arrow of an up-down 16 wide and 20 high.
  void Click(HWND updown, bool up) {
    MoveMouseTo(updown, 8, up ? 4 : 16);
    host::Headless().Press();
    host::Headless().Release();
    Pump();
  }

  std::vector<std::pair<int, int>> asked_;  // iPos, iDelta
  LRESULT refuse_ = 0;
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
  Click(updown, true);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1500, 1}}), asked_);
  EXPECT_EQ(TextOf(buddy), "1,501");
  EXPECT_EQ(Scrolls(), (std::vector<Scroll>{V(SB_THUMBPOSITION, 1501), V(SB_ENDSCROLL, 1501)}));

  // A non-zero answer to UDN_DELTAPOS refuses the step.
  refuse_ = 1;
  Click(updown, false);
  EXPECT_EQ((std::vector<std::pair<int, int>>{{1500, 1}, {1501, -1}}), asked_);
  EXPECT_EQ(TextOf(buddy), "1,501");
  EXPECT_EQ(Scrolls(), std::vector<Scroll>{V(SB_ENDSCROLL, 1501)});

  SetWindowTextA(buddy, "not a number");
  EXPECT_EQ(HIWORD(SendMessageA(updown, UDM_GETPOS, 0, 0)), 1);  // an error; the old position
  EXPECT_EQ(LOWORD(SendMessageA(updown, UDM_GETPOS, 0, 0)), 1501);

  SetWindowLongA(updown, GWL_STYLE, GetWindowLongA(updown, GWL_STYLE) | UDS_NOTHOUSANDS);
  SendMessageA(updown, UDM_SETPOS32, 0, 4410);
  EXPECT_EQ(TextOf(buddy), "4410");
}

TEST_F(UpDown, StepsKeepToTheRangeReversedOrWrapping) {
  const struct {
    DWORD style;
    int lower, upper, start;
    bool up;
    int position;
  } cases[] = {
      {0, 0, 10, 5, true, 6},          {0, 0, 10, 5, false, 4},
      {0, 100, 0, 50, true, 49},  // reversed: up goes toward the "maximum", 0
      {0, 0, 10, 10, true, 10},        {UDS_WRAP, 0, 10, 10, true, 0},
      {UDS_WRAP, 0, 10, 0, false, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.lower << ".." << c.upper << " from " << c.start);
    HWND updown = Make(UPDOWN_CLASSA, c.style, 200, 10, 16, 20);
    SendMessageA(updown, UDM_SETRANGE32, c.lower, c.upper);
    SendMessageA(updown, UDM_SETPOS32, 0, c.start);
    Click(updown, c.up);
    EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), c.position);
    DestroyWindow(updown);
  }
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
