// Input through SendInput: which window gets the mouse and key messages, with
// what parameters, and what SendInput answers.
#include <string>
#include <vector>

#include <platform/kernel.h>
#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/send_input.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Named;
using conf::Sequence;

// A at (100,100) 200x150 with a child C at (20,30) 60x40; B beside it.
void Windows() {
  conf::Create("A", WS_POPUP | WS_VISIBLE, 100, 100, 200, 150);
  conf::Create("C", WS_CHILD | WS_VISIBLE, 20, 30, 60, 40, Named("A"));
  conf::Create("B", WS_POPUP | WS_VISIBLE, 400, 100, 100, 100);
  SetActiveWindow(Named("A"));
}

INPUT Mouse(DWORD flags, DWORD data = 0) {
  INPUT in{};
  in.type = INPUT_MOUSE;
  in.mi.dwFlags = flags;
  in.mi.mouseData = data;
  return in;
}

struct MouseScene {
  const char* name;
  void (*act)();
  Sequence expected;
  std::vector<std::string> watched = {};
  const char* wine = nullptr;
};

class MouseInput : public conf::TableCase<MouseScene> {};

TEST_P(MouseInput, ReachesTheWindowUnderIt) {
  const MouseScene& s = GetParam();
  if (s.wine != nullptr) KNOWN_WINE_DIFFERENCE(s.wine);
  Windows();
  conf::MoveMouseTo({700, 500});
  conf::PumpFor(30);
  conf::StartLog();
  s.act();
  conf::PumpFor(30);
  EXPECT_TRUE(conf::Saw(s.expected, s.watched));
}

const MouseScene kMouseScenes[] = {
    {"ClickInClientCoordinates",
     [] {
       conf::ClickAt(Named("A"), {150, 100});
     },
     {"A WM_LBUTTONDOWN posted w=1 l=0x00640096", "A WM_LBUTTONUP posted w=0 l=0x00640096"}},
    {"ClickOnChildGoesToChild",
     [] {
       conf::ClickAt(Named("C"), {5, 6});
     },
     {"C WM_LBUTTONDOWN posted l=0x00060005", "C WM_LBUTTONUP posted l=0x00060005"}},
    {"ChildClickTellsTheParent",
     [] {
       conf::ClickAt(Named("C"), {5, 6});
     },
     {"A WM_PARENTNOTIFY w=0x0201 l=0x00240019"}},
    {"RightClick",
     [] {
       conf::ClickAt(Named("A"), {10, 20}, conf::Button::kRight);
     },
     {"A WM_RBUTTONDOWN posted w=2 l=0x0014000A", "A WM_RBUTTONUP posted w=0 l=0x0014000A"}},
    {"MoveIsSeenWhereItEnds",
     [] {
       conf::MoveMouseTo({110, 120});
     },
     {"A WM_MOUSEMOVE posted w=0 l=0x0014000A"}},
    {"CaptureTakesClicksElsewhere",
     [] {
       SetCapture(Named("A"));
       conf::ClickAt(Named("B"), {10, 10});
     },
     {"A WM_LBUTTONDOWN posted l=0x000A0136", "A WM_LBUTTONUP posted l=0x000A0136"}},
    {"ReleaseCaptureTellsTheWindow",
     [] {
       SetCapture(Named("A"));
       ReleaseCapture();
     },
     {"A WM_CAPTURECHANGED w=0 l=0"}},
    {"WheelGoesToTheFocus",
     [] {
       SetFocus(Named("C"));
       conf::MoveMouseTo({450, 150});
       std::vector<INPUT> wheel = {Mouse(MOUSEEVENTF_WHEEL, 120)};
       SendInput(1, wheel.data(), sizeof(INPUT));
     },
     {"C WM_MOUSEWHEEL posted w=0x00780000 l=0x009601C2", "A WM_MOUSEWHEEL w=0x00780000"},
     {},
     "sends WM_MOUSEWHEEL to the window under the cursor, not to the focus window"},
    {"ClickOnDisabledChildGoesToParent",
     [] {
       EnableWindow(Named("C"), FALSE);
       conf::ClickAt(Named("C"), {5, 6});
     },
     {"A WM_LBUTTONDOWN posted l=0x00240019", "A WM_LBUTTONUP posted l=0x00240019"}},
};

INSTANTIATE_TEST_SUITE_P(Input, MouseInput, testing::ValuesIn(kMouseScenes), conf::RowName{});

// What SendInput answers, and where it leaves the cursor.
struct Call {
  const char* name;
  std::vector<INPUT> inputs;
  int size;
  UINT answer;
  POINT cursor;  // after it, when it moved the mouse
};

class SendInputCall : public conf::TableCase<Call> {};

INPUT Absolute(LONG x, LONG y) {
  INPUT in = Mouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE);
  in.mi.dx = static_cast<LONG>((x * 65536 + GetSystemMetrics(SM_CXSCREEN) - 1) /
                               GetSystemMetrics(SM_CXSCREEN));
  in.mi.dy = static_cast<LONG>((y * 65536 + GetSystemMetrics(SM_CYSCREEN) - 1) /
                               GetSystemMetrics(SM_CYSCREEN));
  return in;
}

TEST_P(SendInputCall, AnswersHowManyItQueued) {
  Call c = GetParam();
  SetCursorPos(500, 300);
  conf::PumpFor(20);
  SetLastError(0);
  EXPECT_EQ(SendInput(static_cast<UINT>(c.inputs.size()), c.inputs.data(), c.size), c.answer);
  if (c.answer == 0 && !c.inputs.empty()) {
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
  conf::PumpFor(20);
  POINT at{};
  GetCursorPos(&at);
  EXPECT_EQ(at.x, c.cursor.x);
  EXPECT_EQ(at.y, c.cursor.y);
}

const Call kCalls[] = {
    {"OneMove", {Absolute(10, 20)}, sizeof(INPUT), 1, {10, 20}},
    {"TwoMovesTheLastCounts", {Absolute(10, 20), Absolute(30, 40)}, sizeof(INPUT), 2, {30, 40}},
    {"WrongSizeQueuesNothing", {Absolute(10, 20)}, sizeof(INPUT) - 1, 0, {500, 300}},
    {"NoneAnswersZero", {}, sizeof(INPUT), 0, {500, 300}},
};

INSTANTIATE_TEST_SUITE_P(Input, SendInputCall, testing::ValuesIn(kCalls), conf::RowName{});

}  // namespace
