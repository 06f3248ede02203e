// The up-down control: its answers, where it puts itself beside its buddy,
// and UDN_DELTAPOS before each step.
#include <string>
#include <vector>

#include <platform/commctrl.h>

#include "tests/conformance/support/answers.h"
#include "tests/conformance/support/controls.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/send_input.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Answer;
using conf::Call;

Call SetPos(int pos) {
  return {UDM_SETPOS, 0, MAKELPARAM(pos, 0)};
}
constexpr Call SetRange32(int min, int max) {
  return {UDM_SETRANGE32, static_cast<WPARAM>(min), max};
}

const Answer kAnswers[] = {
    // The default range runs from 100 down to 0.
    {"RangeStartsAtHundredToZero", 0, {}, {UDM_GETRANGE}, MAKELPARAM(0, 100)},
    {"PosStartsAtZero", 0, {}, {UDM_GETPOS32}, 0},
    {"SetPosAnswersThePrevious", 0, {SetRange32(0, 50), SetPos(7)}, SetPos(9), 7},
    {"SetPos32AnswersThePrevious",
     0,
     {SetRange32(0, 50), {UDM_SETPOS32, 0, 12}},
     {UDM_SETPOS32, 0, 3},
     12},
    // Without a buddy to read, the high word tells of an error.
    {"GetPosWithoutBuddyFails", 0, {SetRange32(0, 50), SetPos(9)}, {UDM_GETPOS}, MAKELPARAM(9, 1)},
    {"SetRangeIsReadBack",
     0,
     {{UDM_SETRANGE, 0, MAKELPARAM(20, -20)}},
     {UDM_GETRANGE},
     MAKELPARAM(20, -20)},
    {"BaseStartsAtTen", 0, {}, {UDM_GETBASE}, 10},
    {"SetBaseAnswersThePrevious", 0, {}, {UDM_SETBASE, 16}, 10},
    {"SetBaseOfThreeIsRefused", 0, {}, {UDM_SETBASE, 3}, 0},
    {"RefusedBaseKeepsTheOld", 0, {{UDM_SETBASE, 3}}, {UDM_GETBASE}, 10},
    {"BuddyStartsNone", 0, {}, {UDM_GETBUDDY}, 0},
};

ANSWER_CASES(UpDown, UpDownAnswer, UPDOWN_CLASSA, kAnswers);

// An up-down of 16 x 24 made for a bordered (or plain) buddy edit at
// (20, 20), 100 x 24: where each of the two ends up, in the parent.
struct BuddyRow {
  const char* name;
  DWORD updown_style;
  DWORD edit_ex_style;
  DWORD edit_style;
  RECT updown;
  RECT edit;
};

class UpDownBuddy : public conf::TableCase<BuddyRow> {};

RECT InParent(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

TEST_P(UpDownBuddy, Geometry) {
  const BuddyRow& r = GetParam();
  HWND parent = conf::ShowParent();
  HWND edit = CreateWindowExA(r.edit_ex_style, "EDIT", "5", WS_CHILD | WS_VISIBLE | r.edit_style,
                              20, 20, 100, 24, parent, nullptr, GetModuleHandleA(nullptr), nullptr);
  HWND updown = conf::Control(UPDOWN_CLASSA, r.updown_style | UDS_AUTOBUDDY, {0, 0, 16, 24});
  EXPECT_EQ(SendMessageA(updown, UDM_GETBUDDY, 0, 0), reinterpret_cast<LRESULT>(edit));
  if ((r.updown_style & (UDS_ALIGNLEFT | UDS_ALIGNRIGHT)) != 0) {
    KNOWN_WINE_DIFFERENCE("an aligned up-down leaves the pair 2 pixels off the buddy's rectangle");
  }
  EXPECT_EQ(conf::RectText(InParent(updown)), conf::RectText(r.updown));
  EXPECT_EQ(conf::RectText(InParent(edit)), conf::RectText(r.edit));
}

const BuddyRow kBuddies[] = {
    {"RightOfABorderedBuddy", UDS_ALIGNRIGHT, 0, WS_BORDER, {104, 20, 120, 44}, {20, 20, 106, 44}},
    {"RightOfASunkenBuddy",
     UDS_ALIGNRIGHT,
     WS_EX_CLIENTEDGE,
     0,
     {104, 20, 120, 44},
     {20, 20, 106, 44}},
    {"RightOfAPlainBuddy", UDS_ALIGNRIGHT, 0, 0, {104, 20, 120, 44}, {20, 20, 104, 44}},
    {"LeftOfABorderedBuddy", UDS_ALIGNLEFT, 0, WS_BORDER, {20, 20, 36, 44}, {34, 20, 120, 44}},
    {"LeftOfAPlainBuddy", UDS_ALIGNLEFT, 0, 0, {20, 20, 36, 44}, {36, 20, 120, 44}},
    {"UnalignedStaysPut", 0, 0, WS_BORDER, {0, 0, 16, 24}, {20, 20, 120, 44}},
};

INSTANTIATE_TEST_SUITE_P(UpDown, UpDownBuddy, testing::ValuesIn(kBuddies), conf::RowName{});

// A click on one arrow of an up-down of 0..10 at 5: the UDN_DELTAPOS it
// asks with, and what it tells after (nothing more when the parent refuses).
struct DeltaRow {
  const char* name;
  DWORD style;
  int start;
  bool upper_arrow;
  bool refuse;
  int delta;  // in the request
  int after;
  bool wine_differs = false;  // Wine tells SB_THUMBPOSITION of a refused step
};

class UpDownDelta : public conf::TableCase<DeltaRow> {};

TEST_P(UpDownDelta, AsksThenMoves) {
  const DeltaRow& r = GetParam();
  if (r.wine_differs) KNOWN_WINE_DIFFERENCE("a refused step is told as SB_THUMBPOSITION");
  HWND updown = conf::Control(UPDOWN_CLASSA, r.style, {10, 10, 30, 50});
  SendMessageA(updown, UDM_SETRANGE32, 0, 10);
  SendMessageA(updown, UDM_SETPOS32, 0, r.start);
  NMUPDOWN asked{};
  conf::Handlers()[WM_NOTIFY] = [&](HWND, WPARAM, LPARAM lParam) -> LRESULT {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->code != static_cast<UINT>(UDN_DELTAPOS)) return 0;
    asked = *reinterpret_cast<const NMUPDOWN*>(lParam);
    return r.refuse ? TRUE : FALSE;
  };
  // The high word of WM_VSCROLL holds a position only for SB_THUMBPOSITION.
  std::vector<std::string> told;
  conf::Handlers()[WM_VSCROLL] = [&](HWND, WPARAM wParam, LPARAM) -> LRESULT {
    const WORD code = LOWORD(wParam);
    told.push_back(code == SB_THUMBPOSITION ? "at " + std::to_string(HIWORD(wParam))
                                            : "code " + std::to_string(code));
    return 0;
  };
  conf::StartLog();
  conf::ClickAt(updown, {10, r.upper_arrow ? 5 : 35});
  conf::PumpUntil([&] { return told.size() == (r.refuse ? 1u : 2u); });
  EXPECT_TRUE(conf::Saw({"parent WM_NOTIFY w=" + std::to_string(conf::kControlId)}));
  std::vector<std::string> expected = {"code " + std::to_string(SB_ENDSCROLL)};
  if (!r.refuse) expected.insert(expected.begin(), "at " + std::to_string(r.after));
  EXPECT_EQ(told, expected);
  EXPECT_EQ(asked.iPos, r.start);
  EXPECT_EQ(asked.iDelta, r.delta);
  EXPECT_EQ(SendMessageA(updown, UDM_GETPOS32, 0, 0), r.after);
}

const DeltaRow kDeltas[] = {
    {"UpperArrowAsksPlusOne", 0, 5, true, false, 1, 6},
    {"LowerArrowAsksMinusOne", 0, 5, false, false, -1, 4},
    {"RefusedStepStays", 0, 5, true, true, 1, 5, true},
    {"AtTheMaximumStays", 0, 10, true, false, 1, 10},
    {"WrapsPastTheMaximum", UDS_WRAP, 10, true, false, 1, 0},
    {"WrapsPastTheMinimum", UDS_WRAP, 0, false, false, -1, 10},
};

INSTANTIATE_TEST_SUITE_P(UpDown, UpDownDelta, testing::ValuesIn(kDeltas), conf::RowName{});

}  // namespace
