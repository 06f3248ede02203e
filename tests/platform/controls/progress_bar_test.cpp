// The progress bar as it shows each move, the filled part drawn in the
// highlight colour, and its state found by a subclass. What it answers is
// checked against the desktop in tests/conformance.
#include "controls_fixture.h"

namespace {

using ProgressBar = ControlTest;

TEST_F(ProgressBar, EveryMoveIsShownBeforeTheMessageReturns) {
  // Smooth, 196 pixels long inside its edge, 8 pixels down.
  HWND bar = Make(PROGRESS_CLASSA, PBS_SMOOTH, 10, 10, 200, 16);
  const struct {
    UINT message;
    WPARAM w;
    LPARAM l;
    int filled;
  } steps[] = {
      {PBM_SETPOS, 50, 0, 98},
      {PBM_DELTAPOS, 25, 0, 147},
      {PBM_STEPIT, 0, 0, 166},
      {PBM_SETRANGE32, 0, 200, 83},               // 85 of 200
      {PBM_SETRANGE, 0, MAKELPARAM(0, 50), 196},  // kept inside the range: 50
      {PBM_SETPOS, 0, 0, 0},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(testing::Message() << std::hex << s.message);
    SendMessageA(bar, s.message, s.w, s.l);
    EXPECT_FALSE(GetUpdateRect(bar, nullptr, FALSE));
    EXPECT_EQ(CountShown({10, 18, 210, 19}, GetSysColor(COLOR_HIGHLIGHT)), s.filled);
  }
}

TEST_F(ProgressBar, TheFilledPartIsInTheHighlightColour) {
  const struct {
    DWORD style;
    POINT filled, empty;  // in the bar, at 30 of 100
  } cases[] = {
      {0, {5, 8}, {100, 8}},
      {PBS_VERTICAL | PBS_SMOOTH, {8, 55}, {8, 20}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    const bool vertical = c.style & PBS_VERTICAL;
    HWND bar = Make(PROGRESS_CLASSA, c.style, 10, 10, vertical ? 16 : 200, vertical ? 60 : 16);
    SendMessageA(bar, PBM_SETPOS, 30, 0);
    EXPECT_EQ(Shown(10 + c.filled.x, 10 + c.filled.y), GetSysColor(COLOR_HIGHLIGHT));
    EXPECT_EQ(Shown(10 + c.empty.x, 10 + c.empty.y), GetSysColor(COLOR_BTNFACE));
    DestroyWindow(bar);
  }
}

TEST_F(ProgressBar, ASubclassThatPassesMessagesOnFindsTheStateInPlace) {
  HWND bar = Make(PROGRESS_CLASSA, 0, 10, 10, 200, 16);
  const int& seen = CountThroughSubclass(bar, PBM_SETPOS);
  SendMessageA(bar, PBM_SETPOS, 40, 0);
  EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 40);
  EXPECT_EQ(seen, 1);
  DestroyWindow(bar);  // frees the state through the subclass
}

}  // namespace
