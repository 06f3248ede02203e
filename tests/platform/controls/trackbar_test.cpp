// The track bar as a person drives it: a drag tells each new position and
// ends with TB_THUMBPOSITION and TB_ENDTRACK, a press on the channel pages
// until the thumb reaches it; positions set by the program are told to
// nobody. Tick marks stand where the desktop's track bar
// draws them, and the list of ticks answers as its list does.
#include "controls_fixture.h"
#include "tests/support/tick_marks.h"

namespace {

using Trackbar = ControlTest;

// A bar 220 long from 0 to 10, at 0: its thumb's centre stands at (13, 12)
// in its client area and moves 19.3 pixels a step.
class TrackbarInput : public ControlTest {
 protected:
  TrackbarInput() {
    bar_ = Make(TRACKBAR_CLASSA, TBS_AUTOTICKS, 10, 10, 220, 40);
    SendMessageA(bar_, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    Pump();
  }
  // Near where the thumb's centre stands at `position`, a pixel or two short
  // further on.
  static int Place(int position) { return 13 + position * 19; }
  int Pos() { return static_cast<int>(SendMessageA(bar_, TBM_GETPOS, 0, 0)); }

  HWND bar_;
};

TEST_F(TrackbarInput, ADragTellsEachNewPositionThenWhereItEnded) {
  auto& h = host::Headless();
  MoveMouseTo(bar_, Place(0), 12);
  h.Press();
  Pump();
  EXPECT_EQ(GetFocus(), bar_);
  for (int x : {Place(3), Place(3) + 1, Place(7), Place(40), Place(-5)}) MoveMouseTo(bar_, x, 12);
  MoveMouseTo(bar_, Place(6), 12 + 30);  // off the bar across: the drag goes on
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
  MoveMouseTo(bar_, Place(7), 12);
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

// A minimum set above the maximum keeps both ends as given.
TEST_F(Trackbar, ThePositionTheProgramSetsIsToldToNobodyEvenWhenTheRangeCrosses) {
  HWND bar = Make(TRACKBAR_CLASSA, 0, 10, 10, 200, 40);
  SendMessageA(bar, TBM_SETPOS, TRUE, 41);
  SendMessageA(bar, TBM_SETRANGEMAX, TRUE, 5);
  SendMessageA(bar, TBM_SETRANGEMIN, TRUE, 8);
  EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), 8);
  EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMIN, 0, 0), 8);
  EXPECT_EQ(SendMessageA(bar, TBM_GETRANGEMAX, 0, 0), 5);
  Pump();
  EXPECT_TRUE(Scrolls().empty());
}

// The styles the framework gives every track bar: a thumb 20 long and room
// for a selection.
constexpr DWORD kFormStyle = TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;

TEST_F(Trackbar, TicksStandWhereTheDesktopDrawsThem) {
  const std::string k100 = " 13 34 55 77 98 120 141 162 184 205 227";  // 1..1000 every 100
  const std::string k1 = " 13 22 31 40 50 59 68 78 87 96 106";         // 0..10 every 1, 120 long
  struct Bar {
    DWORD style;
    int width, height, min, max, frequency;
  };
  const struct {
    const char* name;
    Bar bar;
    std::vector<std::string> marks;
  } cases[] = {
      {"25 high: only their first row shows",
       {TBS_AUTOTICKS, 241, 25, 1, 1000, 100},
       {"24:" + k100}},
      {"45 high: the ends are one longer",
       {TBS_AUTOTICKS, 241, 45, 1, 1000, 100},
       {"24:" + k100, "25:" + k100, "26:" + k100, "27: 13 227"}},
      {"every step of a dense range makes a line",
       {TBS_AUTOTICKS, 241, 45, 1, 1000, 1},
       {"24: 13-227", "25: 13-227", "26: 13-227", "27: 13 227"}},
      {"a step that does not divide the range",
       {TBS_AUTOTICKS, 120, 25, 0, 10, 3},
       {"24: 13 40 68 96 106"}},
      {"no steps with TBS_AUTOTICKS off",
       {0, 241, 45, 1, 1000, 100},
       {"24: 13 227", "25: 13 227", "26: 13 227", "27: 13 227"}},
      {"nothing with TBS_NOTICKS", {TBS_AUTOTICKS | TBS_NOTICKS, 241, 45, 1, 1000, 100}, {}},
      {"24 high hides them", {TBS_AUTOTICKS, 97, 24, 4100, 44100, 4000}, {}},
      {"TBS_TOP: above, the ends reaching farther up",
       {TBS_AUTOTICKS | TBS_TOP, 241, 45, 1, 1000, 100},
       {"5: 13 227", "6:" + k100, "7:" + k100, "8:" + k100}},
      {"TBS_BOTH: on both sides",
       {TBS_AUTOTICKS | TBS_BOTH, 241, 45, 1, 1000, 100},
       {"5: 13 227", "6:" + k100, "7:" + k100, "8:" + k100, "32:" + k100, "33:" + k100,
        "34:" + k100, "35: 13 227"}},
      {"TBS_VERT: right of the thumb",
       {TBS_AUTOTICKS | TBS_VERT, 45, 120, 0, 10, 1},
       {"24:" + k1, "25:" + k1, "26:" + k1, "27: 13 106"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Bar& b = c.bar;
    HWND bar = Make(TRACKBAR_CLASSA, kFormStyle | b.style, 0, 0, b.width, b.height);
    SendMessageA(bar, TBM_SETTHUMBLENGTH, 20, 0);
    SendMessageA(bar, TBM_SETRANGEMIN, FALSE, b.min);
    SendMessageA(bar, TBM_SETRANGEMAX, FALSE, b.max);
    SendMessageA(bar, TBM_SETPOS, TRUE, b.max);
    SendMessageA(bar, TBM_SETTICFREQ, static_cast<WPARAM>(b.frequency), 1);
    UpdateWindow(bar);
    EXPECT_EQ(TickMarks(bar), c.marks);
    DestroyWindow(bar);
  }
}

TEST_F(Trackbar, TheTickListCountsTheEndsAndKeepsOrder) {
  struct Step {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    LRESULT answer;
  };
  const struct {
    const char* name;
    DWORD style;
    std::vector<Step> steps;  // after a range of 0..10
    LRESULT count;
    std::vector<int> tics;  // TBM_GETTIC's answers up to the first -1
  } cases[] = {
      {"frequency 0: the ends", TBS_AUTOTICKS, {{TBM_SETTICFREQ, 0, 0, 0}}, 2, {}},
      {"set ones join the steps in order",
       TBS_AUTOTICKS,
       {{TBM_SETTICFREQ, 3, 0, 0},
        {TBM_SETTIC, 0, 5, TRUE},
        {TBM_SETTIC, 0, 4, TRUE},
        {TBM_SETTIC, 0, 6, TRUE}},
       8,
       {3, 4, 5, 6, 6, 9}},
      {"a new range makes the steps anew and drops the set ones",
       TBS_AUTOTICKS,
       {{TBM_SETTICFREQ, 3, 0, 0}, {TBM_SETTIC, 0, 5, TRUE}, {TBM_SETRANGEMAX, TRUE, 20, 0}},
       8,
       {3, 6, 9, 12, 15, 18}},
      {"without TBS_AUTOTICKS: set ones in the range only, the frequency unused",
       0,
       {{TBM_SETTIC, 0, 4, TRUE},
        {TBM_SETTIC, 0, 4, TRUE},
        {TBM_SETTIC, 0, 12, FALSE},
        {TBM_SETTIC, 0, 7, TRUE},
        {TBM_SETTIC, 0, 0, TRUE},
        {TBM_SETTIC, 0, -1, FALSE},
        {TBM_SETTICFREQ, 2, 0, 0}},
       6,
       {0, 4, 4, 7}},
      {"TBS_NOTICKS counts none",
       TBS_AUTOTICKS | TBS_NOTICKS,
       {{TBM_SETTICFREQ, 3, 0, 0}},
       0,
       {3, 6, 9}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    HWND bar = Make(TRACKBAR_CLASSA, c.style, 0, 0, 120, 30);
    SendMessageA(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
    for (const Step& s : c.steps) {
      EXPECT_EQ(SendMessageA(bar, s.message, s.wParam, s.lParam), s.answer) << s.lParam;
    }
    EXPECT_EQ(SendMessageA(bar, TBM_GETNUMTICS, 0, 0), c.count);
    std::vector<int> tics;
    for (LRESULT tic; (tic = SendMessageA(bar, TBM_GETTIC, tics.size(), 0)) != -1;) {
      tics.push_back(static_cast<int>(tic));
    }
    EXPECT_EQ(tics, c.tics);
    DestroyWindow(bar);
  }
}

}  // namespace
