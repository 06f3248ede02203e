// The track bar: its answers, the scroll codes of its keys, and where its
// channel and ticks lie.
#include <string>

#include <platform/commctrl.h>

#include "tests/conformance/support/answers.h"
#include "tests/conformance/support/controls.h"
#include "tests/conformance/support/pixels.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Answer;
using conf::Call;

constexpr Call GetPos{TBM_GETPOS};
constexpr Call SetPos(int pos) {
  return {TBM_SETPOS, TRUE, pos};
}
constexpr Call SetTic(int pos) {
  return {TBM_SETTIC, 0, pos};
}
constexpr Call NumTics{TBM_GETNUMTICS};
constexpr DWORD kAuto = TBS_AUTOTICKS;
const Call kRange0To10{TBM_SETRANGE, TRUE, MAKELPARAM(0, 10)};

const Answer kAnswers[] = {
    {"PosStartsAtZero", 0, {}, GetPos, 0},
    {"RangeMinStartsAtZero", 0, {}, {TBM_GETRANGEMIN}, 0},
    {"RangeMaxStartsAtHundred", 0, {}, {TBM_GETRANGEMAX}, 100},
    {"LineSizeStartsAtOne", 0, {}, {TBM_GETLINESIZE}, 1},
    {"PageSizeStartsAtAFifth", 0, {}, {TBM_GETPAGESIZE}, 20},
    {"SetPosAboveTheMaximumStopsThere", 0, {SetPos(150)}, GetPos, 100},
    {"SetPosBelowTheMinimumStopsThere", 0, {SetPos(-5)}, GetPos, 0},
    {"SetPosInside", 0, {SetPos(42)}, GetPos, 42},
    {"NewRangeTakesThePosIn",
     0,
     {SetPos(50), {TBM_SETRANGE, TRUE, MAKELPARAM(60, 80)}},
     GetPos,
     60},
    {"LowerMaximumTakesThePosIn", 0, {SetPos(50), {TBM_SETRANGEMAX, TRUE, 30}}, GetPos, 30},
    {"HigherMinimumTakesThePosIn", 0, {SetPos(50), {TBM_SETRANGEMIN, TRUE, 70}}, GetPos, 70},
    {"SetRangeMinIsRead", 0, {{TBM_SETRANGEMIN, TRUE, -20}}, {TBM_GETRANGEMIN}, -20},
    {"SetPageSizeAnswersThePrevious", 0, {{TBM_SETPAGESIZE, 0, 7}}, {TBM_SETPAGESIZE, 0, 9}, 7},
    {"SetLineSizeAnswersThePrevious", 0, {}, {TBM_SETLINESIZE, 0, 3}, 1},
    {"SelectionStart",
     TBS_ENABLESELRANGE,
     {{TBM_SETSEL, TRUE, MAKELPARAM(10, 30)}},
     {TBM_GETSELSTART},
     10},
    {"SelectionEnd",
     TBS_ENABLESELRANGE,
     {{TBM_SETSEL, TRUE, MAKELPARAM(10, 30)}},
     {TBM_GETSELEND},
     30},
    {"ClearedSelectionEnd",
     TBS_ENABLESELRANGE,
     {{TBM_SETSEL, TRUE, MAKELPARAM(10, 30)}, {TBM_CLEARSEL, TRUE}},
     {TBM_GETSELEND},
     0},
    {"FixedThumbLengthIsRead",
     TBS_FIXEDLENGTH,
     {{TBM_SETTHUMBLENGTH, 15}},
     {TBM_GETTHUMBLENGTH},
     15},
    // The ends are ticks of their own.
    {"NumTicsCountsTheEnds", 0, {}, NumTics, 2},
    {"NumTicsWithoutTicks", TBS_NOTICKS, {}, NumTics, 0},
    {"AutoTicksEveryStep", kAuto, {kRange0To10}, NumTics, 11},
    {"AutoTicksEveryFifthStep", kAuto, {kRange0To10, {TBM_SETTICFREQ, 5}}, NumTics, 3},
    {"AutoTicksFirstIsOneFrequencyIn",
     kAuto,
     {kRange0To10, {TBM_SETTICFREQ, 4}},
     {TBM_GETTIC, 0},
     4},
    {"SetTicInsideAnswersTrue", 0, {}, SetTic(30), TRUE},
    {"SetTicOutsideAnswersFalse", 0, {}, SetTic(130), FALSE},
    {"SetTicAddsOne", 0, {SetTic(30), SetTic(60)}, NumTics, 4},
    {"GetTicByIndex", 0, {SetTic(30), SetTic(60)}, {TBM_GETTIC, 1}, 60},
    {"GetTicPastTheLastAnswersMinusOne", 0, {SetTic(30)}, {TBM_GETTIC, 1}, -1},
    {"ClearTicsLeavesTheEnds", 0, {SetTic(30), {TBM_CLEARTICS, TRUE}}, NumTics, 2},
    {"TicPosPastTheLastAnswersMinusOne", 0, {SetTic(30)}, {TBM_GETTICPOS, 1}, -1},
};

ANSWER_CASES(Trackbar, TrackbarAnswer, TRACKBAR_CLASSA, kAnswers);

// A key to a track bar at position 50 (line 1, page 20): the scroll code it
// tells the parent, TB_ENDTRACK when it is let go, and the position after.
struct KeyRow {
  const char* name;
  DWORD style;
  WORD key;
  WORD code;
  int position;
};

class TrackbarKey : public conf::TableCase<KeyRow> {};

TEST_P(TrackbarKey, TellsTheCodeThenEndTrack) {
  const KeyRow& r = GetParam();
  HWND bar = conf::Control(TRACKBAR_CLASSA, r.style, {10, 10, 210, 210});
  SendMessageA(bar, TBM_SETPOS, TRUE, 50);
  const std::string scroll = (r.style & TBS_VERT) != 0 ? "parent WM_VSCROLL" : "parent WM_HSCROLL";
  conf::StartLog();
  SendMessageA(bar, WM_KEYDOWN, r.key, 1);
  SendMessageA(bar, WM_KEYUP, r.key, 0xC0000001);
  EXPECT_TRUE(conf::Saw(
      {scroll + " w=" + std::to_string(r.code), scroll + " w=" + std::to_string(TB_ENDTRACK)},
      {"WM_HSCROLL", "WM_VSCROLL"}));
  EXPECT_EQ(SendMessageA(bar, TBM_GETPOS, 0, 0), r.position);
}

const KeyRow kKeys[] = {
    {"LeftIsLineUp", 0, VK_LEFT, TB_LINEUP, 49},
    {"UpIsLineUp", 0, VK_UP, TB_LINEUP, 49},
    {"RightIsLineDown", 0, VK_RIGHT, TB_LINEDOWN, 51},
    {"DownIsLineDown", 0, VK_DOWN, TB_LINEDOWN, 51},
    {"PriorIsPageUp", 0, VK_PRIOR, TB_PAGEUP, 30},
    {"NextIsPageDown", 0, VK_NEXT, TB_PAGEDOWN, 70},
    {"HomeIsTop", 0, VK_HOME, TB_TOP, 0},
    {"EndIsBottom", 0, VK_END, TB_BOTTOM, 100},
    {"VerticalUpIsLineUp", TBS_VERT, VK_UP, TB_LINEUP, 49},
    {"VerticalDownIsLineDown", TBS_VERT, VK_DOWN, TB_LINEDOWN, 51},
    {"VerticalNextIsPageDown", TBS_VERT, VK_NEXT, TB_PAGEDOWN, 70},
    {"VerticalEndIsBottom", TBS_VERT, VK_END, TB_BOTTOM, 100},
};

INSTANTIATE_TEST_SUITE_P(Trackbar, TrackbarKey, testing::ValuesIn(kKeys), conf::RowName{});

// A 200 x 40 (or 40 x 200) track bar with a fixed thumb of `thumb_length`,
// sized after the length is set, as a program lays out its window.
HWND FixedBar(DWORD style, int thumb_length) {
  const bool vertical = (style & TBS_VERT) != 0;
  HWND bar = conf::Control(TRACKBAR_CLASSA, style | TBS_FIXEDLENGTH,
                           vertical ? RECT{10, 10, 49, 210} : RECT{10, 10, 210, 49});
  SendMessageA(bar, TBM_SETTHUMBLENGTH, thumb_length, 0);
  SetWindowPos(bar, nullptr, 0, 0, vertical ? 40 : 200, vertical ? 200 : 40,
               SWP_NOMOVE | SWP_NOZORDER);
  return bar;
}

RECT Rect(HWND bar, UINT message) {
  RECT r{};
  SendMessageA(bar, message, 0, reinterpret_cast<LPARAM>(&r));
  return r;
}

struct ChannelRow {
  const char* name;
  DWORD style;
  int thumb_length;
  RECT channel;
  RECT thumb;  // at the minimum
};

class TrackbarChannel : public conf::TableCase<ChannelRow> {};

TEST_P(TrackbarChannel, Is) {
  const ChannelRow& r = GetParam();
  if (r.thumb_length == 14) {
    KNOWN_WINE_DIFFERENCE("a selection channel of a short thumb is a pixel narrower");
  }
  HWND bar = FixedBar(r.style, r.thumb_length);
  EXPECT_EQ(conf::RectText(Rect(bar, TBM_GETCHANNELRECT)), conf::RectText(r.channel));
  EXPECT_EQ(conf::RectText(Rect(bar, TBM_GETTHUMBRECT)), conf::RectText(r.thumb));
}

constexpr DWORD kSel = TBS_ENABLESELRANGE;

// The channel reaches three pixels from the ends; across it lies a pixel
// toward the thumb's flat end, 4 wide, or three quarters of the thumb wide
// with room for a selection.
const ChannelRow kChannels[] = {
    {"Plain20", 0, 20, {8, 9, 192, 13}, {8, 2, 19, 22}},
    {"Plain25", 0, 25, {9, 11, 191, 15}, {9, 2, 22, 27}},
    {"PlainTicksOnTop20", TBS_TOP, 20, {8, 19, 192, 23}, {8, 10, 19, 30}},
    {"PlainNoTicks20", TBS_NOTICKS, 20, {8, 9, 192, 13}, {8, 2, 19, 22}},
    {"Selection20", kSel, 20, {8, 3, 192, 18}, {8, 2, 19, 22}},
    {"Selection25", kSel, 25, {9, 4, 191, 22}, {9, 2, 22, 27}},
    {"Selection14", kSel, 14, {6, 3, 194, 13}, {6, 2, 13, 16}},
    {"SelectionTicksOnTop20", kSel | TBS_TOP, 20, {8, 13, 192, 28}, {8, 10, 19, 30}},
    {"SelectionTicksOnTop25", kSel | TBS_TOP, 25, {9, 14, 191, 32}, {9, 10, 22, 35}},
    {"SelectionTicksOnBoth20", kSel | TBS_BOTH, 20, {8, 12, 192, 27}, {8, 10, 19, 30}},
    {"SelectionNoTicks20", kSel | TBS_NOTICKS, 20, {8, 3, 192, 18}, {8, 2, 19, 22}},
    {"VerticalPlain20", TBS_VERT, 20, {9, 8, 13, 192}, {2, 8, 22, 19}},
    {"VerticalSelection20", TBS_VERT | kSel, 20, {3, 8, 18, 192}, {2, 8, 22, 19}},
    {"VerticalSelection25", TBS_VERT | kSel, 25, {4, 9, 22, 191}, {2, 9, 27, 22}},
};

INSTANTIATE_TEST_SUITE_P(Trackbar, TrackbarChannel, testing::ValuesIn(kChannels), conf::RowName{});

// A new thumb length takes effect at once, before the next sizing.
class TrackbarThumb : public conf::Case {};

TEST_F(TrackbarThumb, NewLengthTakesEffectAtOnce) {
  KNOWN_WINE_DIFFERENCE("a new thumb length waits for the next WM_SIZE");
  HWND bar = conf::Control(TRACKBAR_CLASSA, TBS_FIXEDLENGTH, {10, 10, 210, 50});
  SendMessageA(bar, TBM_SETTHUMBLENGTH, 25, 0);
  const RECT thumb = Rect(bar, TBM_GETTHUMBRECT);
  EXPECT_EQ(thumb.bottom - thumb.top, 25);
}

// Where the ticks of a 0..100 bar lie along it: TBM_GETTICPOS of the first
// tick, and the pixels across at that place (the thumb kept at the far end):
// '#' anything but the face colour, so the channel shows as well.
struct TickRow {
  const char* name;
  DWORD style;
  int tick;  // set with TBM_SETTIC; 0 for the ends (the place of the minimum)
  int place;
  std::string across;
  bool wine_rounds = false;  // Wine's TBM_GETTICPOS rounds where it draws truncated
};

class TrackbarTick : public conf::TableCase<TickRow> {};

TEST_P(TrackbarTick, Is) {
  const TickRow& r = GetParam();
  HWND bar = FixedBar(r.style | kSel, 20);
  SendMessageA(bar, TBM_SETPOS, TRUE, 100);
  if (r.tick != 0) SendMessageA(bar, TBM_SETTIC, 0, r.tick);
  UpdateWindow(bar);
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  std::string across;
  for (int y = 0; y < 40; ++y) across += conf::PixelAt(bar, r.place, y) == face ? '.' : '#';
  EXPECT_EQ(across, r.across);
  if (r.tick == 0) return;
  if (r.wine_rounds) KNOWN_WINE_DIFFERENCE("TBM_GETTICPOS rounds, away from the drawn tick");
  EXPECT_EQ(SendMessageA(bar, TBM_GETTICPOS, 0, 0), r.place);
}

const TickRow kTicks[] = {
    // The ends are one longer than the ticks between.
    {"EndBelow", 0, 0, 13, "...###############......####............"},
    {"EndAbove", TBS_TOP, 0, 13, ".....####....###############............"},
    {"EndOnBothSides", TBS_BOTH, 0, 13, ".....####...###############.....####...."},
    {"SixtyBelow", 0, 60, 116, "...###############......###.............", true},
    {"QuarterBelow", 0, 25, 56, "...###############......###............."},
    {"NinetyBelow", 0, 90, 168, "...###############......###.............", true},
    {"SixtyAbove", TBS_TOP, 60, 116, "......###....###############............", true},
};

INSTANTIATE_TEST_SUITE_P(Trackbar, TrackbarTick, testing::ValuesIn(kTicks), conf::RowName{});

}  // namespace
