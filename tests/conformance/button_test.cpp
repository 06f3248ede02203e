// Buttons: BN_CLICKED for each way of pressing one, and the check state
// each kind keeps.
#include <string>

#include "tests/conformance/support/answers.h"
#include "tests/conformance/support/controls.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/send_input.h"

namespace {

using conf::Answer;
using conf::Call;

constexpr Call SetCheck(WPARAM state) {
  return {BM_SETCHECK, state};
}
constexpr Call GetCheck{BM_GETCHECK};

const Answer kAnswers[] = {
    {"PushButtonIsNeverChecked", BS_PUSHBUTTON, {SetCheck(BST_CHECKED)}, GetCheck, BST_UNCHECKED},
    {"CheckBoxTakesAMark", BS_CHECKBOX, {SetCheck(BST_CHECKED)}, GetCheck, BST_CHECKED},
    {"TwoStateBoxTakesIndeterminateAsChecked",
     BS_AUTOCHECKBOX,
     {SetCheck(BST_INDETERMINATE)},
     GetCheck,
     BST_CHECKED},
    {"ThreeStateTakesIndeterminate",
     BS_3STATE,
     {SetCheck(BST_INDETERMINATE)},
     GetCheck,
     BST_INDETERMINATE},
    {"AutoThreeStateTakesIndeterminate",
     BS_AUTO3STATE,
     {SetCheck(BST_INDETERMINATE)},
     GetCheck,
     BST_INDETERMINATE},
    {"RadioTakesAMark", BS_RADIOBUTTON, {SetCheck(BST_CHECKED)}, GetCheck, BST_CHECKED},
    {"SetCheckAnswersZero", BS_CHECKBOX, {}, SetCheck(BST_CHECKED), 0},
    {"StateHoldsTheCheck", BS_CHECKBOX, {SetCheck(BST_CHECKED)}, {BM_GETSTATE}, BST_CHECKED},
    {"StateHoldsThePush", BS_PUSHBUTTON, {{BM_SETSTATE, TRUE}}, {BM_GETSTATE}, BST_PUSHED},
    {"StateLosesThePush",
     BS_PUSHBUTTON,
     {{BM_SETSTATE, TRUE}, {BM_SETSTATE, FALSE}},
     {BM_GETSTATE},
     0},
    {"PushedCheckBoxKeepsItsMark",
     BS_CHECKBOX,
     {SetCheck(BST_CHECKED), {BM_SETSTATE, TRUE}},
     {BM_GETSTATE},
     BST_CHECKED | BST_PUSHED},
};

ANSWER_CASES(Button, ButtonAnswer, "BUTTON", kAnswers);

// One press of a button holding `before`: the clicks the parent is told of
// and the state after.
enum class Press { kMessage, kMouse, kSpace };

struct PressRow {
  const char* name;
  DWORD style;
  Press press;
  WPARAM before;
  WPARAM after;
};

class ButtonPress : public conf::TableCase<PressRow> {};

TEST_P(ButtonPress, TellsAClick) {
  const PressRow& r = GetParam();
  HWND button = conf::Control("BUTTON", r.style, {10, 10, 110, 40}, "Press");
  SendMessageA(button, BM_SETCHECK, r.before, 0);
  conf::StartLog();
  switch (r.press) {
    case Press::kMessage:
      SendMessageA(button, BM_CLICK, 0, 0);
      break;
    case Press::kMouse:
      conf::ClickAt(button, {50, 15});
      break;
    case Press::kSpace:
      SetFocus(button);
      SendMessageA(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
      SendMessageA(button, WM_KEYUP, VK_SPACE, 0xC0390001);
      break;
  }
  conf::PumpFor(100);
  EXPECT_TRUE(conf::Saw({conf::Command(BN_CLICKED)}, {"WM_COMMAND"}));
  EXPECT_EQ(static_cast<WPARAM>(SendMessageA(button, BM_GETCHECK, 0, 0)), r.after);
}

constexpr WPARAM kOff = BST_UNCHECKED, kOn = BST_CHECKED, kGrey = BST_INDETERMINATE;

const PressRow kPresses[] = {
    {"PushButtonByMessage", BS_PUSHBUTTON, Press::kMessage, kOff, kOff},
    {"PushButtonByMouse", BS_PUSHBUTTON, Press::kMouse, kOff, kOff},
    {"PushButtonBySpace", BS_PUSHBUTTON, Press::kSpace, kOff, kOff},
    {"DefaultPushButtonByMessage", BS_DEFPUSHBUTTON, Press::kMessage, kOff, kOff},
    {"CheckBoxLeavesItsMarkToTheProgram", BS_CHECKBOX, Press::kMessage, kOff, kOff},
    {"CheckBoxByMouseLeavesItsMark", BS_CHECKBOX, Press::kMouse, kOn, kOn},
    {"AutoCheckBoxChecks", BS_AUTOCHECKBOX, Press::kMessage, kOff, kOn},
    {"AutoCheckBoxUnchecks", BS_AUTOCHECKBOX, Press::kMessage, kOn, kOff},
    {"AutoCheckBoxByMouse", BS_AUTOCHECKBOX, Press::kMouse, kOff, kOn},
    {"AutoCheckBoxBySpace", BS_AUTOCHECKBOX, Press::kSpace, kOff, kOn},
    {"ThreeStateLeavesItsMark", BS_3STATE, Press::kMessage, kGrey, kGrey},
    {"AutoThreeStateUncheckedToChecked", BS_AUTO3STATE, Press::kMessage, kOff, kOn},
    {"AutoThreeStateCheckedToIndeterminate", BS_AUTO3STATE, Press::kMessage, kOn, kGrey},
    {"AutoThreeStateIndeterminateToUnchecked", BS_AUTO3STATE, Press::kMessage, kGrey, kOff},
    {"AutoThreeStateByMouse", BS_AUTO3STATE, Press::kMouse, kOn, kGrey},
    {"RadioLeavesItsMark", BS_RADIOBUTTON, Press::kMessage, kOff, kOff},
    {"AutoRadioChecks", BS_AUTORADIOBUTTON, Press::kMessage, kOff, kOn},
    {"AutoRadioStaysChecked", BS_AUTORADIOBUTTON, Press::kMessage, kOn, kOn},
    {"AutoRadioByMouse", BS_AUTORADIOBUTTON, Press::kMouse, kOff, kOn},
};

INSTANTIATE_TEST_SUITE_P(Button, ButtonPress, testing::ValuesIn(kPresses), conf::RowName{});

// Automatic radio buttons of one group: the one pressed takes the mark
// from its siblings up to the next WS_GROUP.
struct GroupRow {
  const char* name;
  int pressed;
  std::string marks;  // of the four, '1' checked; the third starts a new group
};

class RadioGroup : public conf::TableCase<GroupRow> {};

TEST_P(RadioGroup, MarksOneOfItsGroup) {
  const GroupRow& r = GetParam();
  HWND radios[4];
  for (int i = 0; i < 4; ++i) {
    const DWORD group = i == 0 || i == 2 ? WS_GROUP : 0;
    radios[i] =
        conf::Control("BUTTON", BS_AUTORADIOBUTTON | group, {10, 10 + 30 * i, 110, 35 + 30 * i},
                      "Radio", "radio" + std::to_string(i));
  }
  SendMessageA(radios[0], BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(radios[2], BM_SETCHECK, BST_CHECKED, 0);
  SendMessageA(radios[r.pressed], BM_CLICK, 0, 0);
  std::string marks;
  for (HWND radio : radios)
    marks += SendMessageA(radio, BM_GETCHECK, 0, 0) == BST_CHECKED ? '1' : '0';
  EXPECT_EQ(marks, r.marks);
}

const GroupRow kGroups[] = {
    {"SecondTakesFromFirst", 1, "0110"},
    {"FourthTakesFromThird", 3, "1001"},
    {"FirstKeepsItsOwn", 0, "1010"},
};

INSTANTIATE_TEST_SUITE_P(Button, RadioGroup, testing::ValuesIn(kGroups), conf::RowName{});

}  // namespace
