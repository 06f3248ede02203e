// The track bar as a person drives it: a drag tells each new position and
// ends with TB_THUMBPOSITION and TB_ENDTRACK, a press on the channel pages
// until the thumb reaches it, keys step; positions set by the program are
// clamped and told to nobody.
#include "controls_fixture.h"

namespace {

using Trackbar = ControlTest;

Scroll H(WORD code, int position = 0) {
  return {WM_HSCROLL, code, position};
}

class TrackbarInput : public ControlTest {
 protected:
  TrackbarInput() {
    bar_ = Make(TRACKBAR_CLASSA, TBS_AUTOTICKS, 10, 10, 220, 40);
    SendMessageA(bar_, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageA(bar_, TBM_SETPOS, TRUE, 10);
    const int at10 = ThumbCentre().x;
    SendMessageA(bar_, TBM_SETPOS, TRUE, 0);
    at0_ = ThumbCentre();
    pitch_ = (at10 - at0_.x) / 10;
    Pump();
  }
  POINT ThumbCentre() {
    RECT thumb;
    SendMessageA(bar_, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    return {(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
  }
  // Where on the channel the thumb's centre stands at `position`.
  int Place(int position) const { return at0_.x + position * pitch_; }
  int Pos() { return static_cast<int>(SendMessageA(bar_, TBM_GETPOS, 0, 0)); }

  HWND bar_;
  POINT at0_;
  int pitch_;
};

TEST_F(TrackbarInput, ADragTellsEachNewPositionThenWhereItEnded) {
  auto& h = host::Headless();
  MoveTo(bar_, at0_.x, at0_.y);
  h.Press();
  Pump();
  EXPECT_EQ(GetFocus(), bar_);
  for (int x : {Place(3), Place(3) + 1, Place(7), Place(40), Place(-5)}) MoveTo(bar_, x, at0_.y);
  MoveTo(bar_, Place(6), at0_.y + 30);  // off the bar across: the drag goes on
  h.Release();
  Pump();
  EXPECT_EQ(Scrolls(),
            (std::vector<Scroll>{H(TB_THUMBTRACK, 3), H(TB_THUMBTRACK, 7), H(TB_THUMBTRACK, 10),
                                 H(TB_THUMBTRACK, 0), H(TB_THUMBTRACK, 6), H(TB_THUMBPOSITION, 6),
                                 H(TB_ENDTRACK)}));
  EXPECT_EQ(Pos(), 6);
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(TrackbarInput, APressOnTheChannelPagesUntilTheThumbIsThere) {
  SendMessageA(bar_, TBM_SETPAGESIZE, 0, 2);
  auto& h = host::Headless();
  MoveTo(bar_, Place(7), at0_.y);
  h.Press();
  Pump();
  EXPECT_EQ(Scrolls(), std::vector<Scroll>{H(TB_PAGEDOWN)});
  h.AdvanceClock(499);
  Pump();
  EXPECT_EQ(Pos(), 2);                            // the first repeat waits longer
  const std::vector<int> then = {4, 6, 8, 8, 8};  // past the press it stops, never swings back
  for (int expected : then) {
    h.AdvanceClock(100);
    Pump();
    EXPECT_EQ(Pos(), expected);
  }
  h.Release();
  Pump();
  EXPECT_EQ(Scrolls(),
            (std::vector<Scroll>{H(TB_PAGEDOWN), H(TB_PAGEDOWN), H(TB_PAGEDOWN), H(TB_ENDTRACK)}));
}

TEST_F(Trackbar, KeysStepAndTheirReleaseEndsTheTrack) {
  const struct {
    DWORD style;
    UINT key;
    WORD code;
    int position;
  } cases[] = {
      {0, VK_RIGHT, TB_LINEDOWN, 51},
      {0, VK_DOWN, TB_LINEDOWN, 51},
      {0, VK_LEFT, TB_LINEUP, 49},
      {0, VK_UP, TB_LINEUP, 49},
      {0, VK_NEXT, TB_PAGEDOWN, 60},
      {0, VK_PRIOR, TB_PAGEUP, 40},
      {0, VK_HOME, TB_TOP, 0},
      {0, VK_END, TB_BOTTOM, 100},
      {TBS_VERT, VK_DOWN, TB_LINEDOWN, 51},
  };
  auto& h = host::Headless();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    HWND bar = Make(TRACKBAR_CLASSA, c.style, 10, 10, 200, 40);
    SendMessageA(bar, TBM_SETPAGESIZE, 0, 10);
    SendMessageA(bar, TBM_SETPOS, TRUE, 50);
    SetFocus(bar);
    h.KeyDown(c.key);
    h.KeyUp(c.key);
    Pump();
    const UINT message = c.style & TBS_VERT ? WM_VSCROLL : WM_HSCROLL;
    EXPECT_EQ(Scrolls(), (std::vector<Scroll>{{message, c.code, 0}, {message, TB_ENDTRACK, 0}}));
    EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), c.position);
    DestroyWindow(bar);
  }
}

TEST_F(Trackbar, ThePositionTheProgramSetsIsClampedAndToldToNobody) {
  HWND bar = Make(TRACKBAR_CLASSA, 0, 10, 10, 200, 40);
  SendMessageA(bar, TBM_SETRANGEMIN, TRUE, -20);
  SendMessageA(bar, TBM_SETRANGEMAX, TRUE, 40);
  const struct {
    UINT message;
    LPARAM value;
    int position;
  } steps[] = {
      {TBM_SETPOS, 35, 35}, {TBM_SETPOS, 41, 40},    {TBM_SETPOS, -21, -20},
      {TBM_SETPOS, 10, 10}, {TBM_SETRANGEMAX, 5, 5}, {TBM_SETRANGEMIN, 8, 8},
  };
  for (const auto& s : steps) {
    SendMessageA(bar, s.message, TRUE, s.value);
    EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), s.position) << s.value;
  }
  Pump();
  EXPECT_TRUE(Scrolls().empty());
  EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMIN, 0, 0), 8);
  EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), 5);
}

}  // namespace
