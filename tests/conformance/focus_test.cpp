// Focus and activation between top-level windows and their children, by
// calls and by the mouse and keys, and the modal pattern of a box that
// disables its owner.
#include <string>
#include <vector>

#include <platform/windows.h>

#include "tests/conformance/support/fixture.h"
#include "tests/conformance/support/pump.h"
#include "tests/conformance/support/send_input.h"
#include "tests/conformance/support/wine.h"

namespace {

using conf::Named;
using conf::Sequence;

HWND Top(const char* name, int x, HWND owner = nullptr) {
  return conf::Create(name, WS_POPUP | WS_VISIBLE | WS_BORDER, x, 100, 150, 120, owner);
}
HWND Child(const char* name, const char* parent, int x) {
  return conf::Create(name, WS_CHILD | WS_VISIBLE, x, 10, 40, 30, Named(parent));
}
// A and B side by side, B active; A has children A1 and A2.
void TwoWindows() {
  Top("A", 100);
  Child("A1", "A", 10);
  Child("A2", "A", 60);
  Top("B", 300);
}
// A active, with its box D: A disabled, D shown, owned by A.
void Modal() {
  Top("A", 100);
  EnableWindow(Named("A"), FALSE);
  Top("D", 150, Named("A"));
}

struct Scene {
  const char* name;
  void (*arrange)();
  void (*act)();
  const char* active;  // the names GetActiveWindow and GetFocus answer afterwards
  const char* focus;
  const char* wine = nullptr;
};

class Focus : public conf::TableCase<Scene> {};

TEST_P(Focus, EndsWhereTheDesktopPutsIt) {
  const Scene& s = GetParam();
  if (s.wine != nullptr) KNOWN_WINE_DIFFERENCE(s.wine);
  s.arrange();
  conf::PumpFor(30);
  s.act();
  conf::PumpFor(30);
  EXPECT_EQ(conf::NameOf(GetActiveWindow()), s.active);
  EXPECT_EQ(conf::NameOf(GetFocus()), s.focus);
}

void Click(const char* name) {
  conf::ClickAt(Named(name), {5, 5});
}

const Scene kScenes[] = {
    {"NewWindowActivates", TwoWindows, [] {}, "B", "B"},
    {"SetActiveWindow", TwoWindows, [] { SetActiveWindow(Named("A")); }, "A", "A"},
    {"SetForegroundWindow", TwoWindows, [] { SetForegroundWindow(Named("A")); }, "A", "A"},
    {"SetFocusChildOfInactive", TwoWindows, [] { SetFocus(Named("A2")); }, "A", "A2"},
    {"SetFocusTopLevel", TwoWindows, [] { SetFocus(Named("A")); }, "A", "A"},
    {"SetFocusNull", TwoWindows, [] { SetFocus(nullptr); }, "B", ""},
    {"ActivationFocusesTheWindowItself",
     [] {
       TwoWindows();
       SetFocus(Named("A1"));
       SetActiveWindow(Named("B"));
     },
     [] { SetActiveWindow(Named("A")); }, "A", "A"},
    {"DisabledChildKeepsNoFocus",
     [] {
       TwoWindows();
       EnableWindow(Named("A1"), FALSE);
     },
     [] { SetFocus(Named("A1")); }, "B", "B"},
    {"HideActive", TwoWindows, [] { ShowWindow(Named("B"), SW_HIDE); }, "A", "A"},
    {"DestroyActive", TwoWindows, [] { DestroyWindow(Named("B")); }, "A", "A"},
    {"HideFocusedChild",
     [] {
       TwoWindows();
       SetFocus(Named("A1"));
     },
     [] { ShowWindow(Named("A1"), SW_HIDE); }, "A", "A"},
    {"DestroyFocusedChild",
     [] {
       TwoWindows();
       SetFocus(Named("A1"));
     },
     [] { DestroyWindow(Named("A1")); }, "A", "A"},
    {"DestroyOwnedActivatesOwner",
     [] {
       Top("A", 100);
       Top("Z", 500);
       Top("P", 150, Named("A"));
     },
     [] { DestroyWindow(Named("P")); }, "A", "A"},
    {"ModalBoxActive", Modal, [] {}, "D", "D"},
    {"ModalOwnerRefusesActivation", Modal, [] { SetActiveWindow(Named("A")); }, "A", "A"},
    {"ModalOwnerReEnabledThenBoxDestroyed", Modal,
     [] {
       EnableWindow(Named("A"), TRUE);
       DestroyWindow(Named("D"));
     },
     "A", "A"},
    {"ClickActivates", TwoWindows, [] { Click("A"); }, "A", "A"},
    {"ClickOnChildActivatesItsWindow", TwoWindows, [] { Click("A2"); }, "A", "A"},
    {"ClickOnDisabledOwnerKeepsTheBox", Modal, [] { Click("A"); }, "D", "D"},
    {"ClickRefusedByMouseActivate",
     [] {
       TwoWindows();
       conf::Handlers()[WM_MOUSEACTIVATE] = [](HWND, WPARAM, LPARAM) {
         return LRESULT{MA_NOACTIVATE};
       };
     },
     [] { Click("A"); }, "B", "B"},
};

INSTANTIATE_TEST_SUITE_P(Focus, Focus, testing::ValuesIn(kScenes), conf::RowName{});

// The messages of a change of focus or activation, in order.
struct Change {
  const char* name;
  void (*arrange)();
  void (*act)();
  Sequence expected;
  const char* wine = nullptr;
};

class FocusMessages : public conf::TableCase<Change> {};

TEST_P(FocusMessages, ComeInOrder) {
  const Change& c = GetParam();
  if (c.wine != nullptr) KNOWN_WINE_DIFFERENCE(c.wine);
  c.arrange();
  conf::PumpFor(30);
  conf::StartLog();
  c.act();
  conf::PumpFor(30);
  EXPECT_TRUE(conf::Saw(c.expected));
}

void AActive() {
  TwoWindows();
  SetActiveWindow(Named("A"));
}

const Change kChanges[] = {
    {"SetActiveWindow",
     AActive,
     [] { SetActiveWindow(Named("B")); },
     {"A WM_NCACTIVATE w=0", "A WM_ACTIVATE w=0", "B WM_NCACTIVATE w=1", "B WM_ACTIVATE w=1",
      "A WM_KILLFOCUS w=B", "B WM_SETFOCUS w=A"}},
    {"ActivateTellsTheOther",
     AActive,
     [] { SetActiveWindow(Named("B")); },
     {"A WM_ACTIVATE w=0 l=B", "B WM_ACTIVATE w=1 l=A"}},
    {"ActivateByClick",
     AActive,
     [] { Click("B"); },
     {"B WM_MOUSEACTIVATE", "A WM_ACTIVATE w=0", "B WM_ACTIVATE w=2", "B WM_LBUTTONDOWN posted",
      "B WM_LBUTTONUP posted"}},
    {"FocusBetweenChildren",
     [] {
       AActive();
       SetFocus(Named("A1"));
     },
     [] { SetFocus(Named("A2")); },
     {"A1 WM_KILLFOCUS w=A2", "A2 WM_SETFOCUS w=A1"}},
    {"FocusToChild",
     AActive,
     [] { SetFocus(Named("A1")); },
     {"A WM_KILLFOCUS w=A1", "A1 WM_SETFOCUS w=A"}},
    {
        "FocusToSameWindowSendsNothing",
        AActive,
        [] { SetFocus(Named("A")); },
        {},
    },
    {"FocusNull", AActive, [] { SetFocus(nullptr); }, {"A WM_KILLFOCUS w=0"}},
    {"DisableSendsEnableOnly",
     AActive,
     [] { EnableWindow(Named("A1"), FALSE); },
     {"A1 WM_ENABLE w=0"}},
    {"DisableFocusedChildKeepsFocus",
     [] {
       AActive();
       SetFocus(Named("A1"));
     },
     [] { EnableWindow(Named("A1"), FALSE); },
     {"A1 WM_ENABLE w=0"}},
    {"KeyToFocus",
     [] {
       AActive();
       SetFocus(Named("A1"));
     },
     [] { conf::PressKey('K'); },
     {"A1 WM_KEYDOWN posted w=0x4B", "A1 WM_CHAR posted w=0x6B", "A1 WM_KEYUP posted w=0x4B"}},
    {"TextToFocus",
     [] {
       AActive();
       SetFocus(Named("A2"));
     },
     [] { conf::TypeText("Hi!"); },
     {"A2 WM_CHAR posted w=0x48", "A2 WM_CHAR posted w=0x69", "A2 WM_CHAR posted w=0x21"}},
    {"KeyWithoutFocusGoesToActive",
     [] {
       AActive();
       SetFocus(nullptr);
     },
     [] { conf::PressKey('K'); },
     {"A WM_SYSKEYDOWN posted w=0x4B", "A WM_SYSKEYUP posted w=0x4B"}},
};

INSTANTIATE_TEST_SUITE_P(Focus, FocusMessages, testing::ValuesIn(kChanges), conf::RowName{});

// EnableWindow answers whether the window was disabled before.
using Enabling = conf::Case;

TEST_F(Enabling, AnswersTheOldState) {
  HWND a = Top("A", 100);
  EXPECT_FALSE(EnableWindow(a, FALSE));
  EXPECT_TRUE(EnableWindow(a, FALSE));
  EXPECT_FALSE(IsWindowEnabled(a));
  EXPECT_TRUE(EnableWindow(a, TRUE));
  EXPECT_FALSE(EnableWindow(a, TRUE));
  EXPECT_TRUE(IsWindowEnabled(a));
}

}  // namespace
