// The "BUTTON" class driven as a person would: a press released outside, or
// cancelled by a change of focus, gives no BN_CLICKED; a double click and
// BS_NOTIFY; the parent is asked for the colours; a subclass still clicks.
#include <tuple>
#include <vector>

#include "controls_fixture.h"

namespace {

class Button : public ControlTest {
 protected:
  Button() {
    TestHandlers()[WM_COMMAND] = [this](HWND window, WPARAM wParam, LPARAM lParam) {
      if (window == parent_) commands.emplace_back(LOWORD(wParam), HIWORD(wParam), lParam);
      return LRESULT{0};
    };
  }

  // A button at (10, 10) in the parent, 80 x 24, so its screen rectangle
  // starts at (110, 110).
  HWND MakeButton(DWORD style, const char* text = "Go") {
    HWND b = Make("BUTTON", WS_TABSTOP | style, 10, 10, 80, 24, text);
    DrainMessages();
    commands.clear();
    return b;
  }

  int Clicks(HWND button) const {
    int n = 0;
    for (const auto& [id, code, control] : commands) {
      if (id == kId && code == BN_CLICKED && control == reinterpret_cast<LPARAM>(button)) ++n;
    }
    return n;
  }

  static bool Pushed(HWND button) {
    return (SendMessageA(button, BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  }

  std::vector<std::tuple<WORD, WORD, LPARAM>> commands;
};

TEST_F(Button, APressCountsOnlyWhenReleasedInside) {
  const struct {
    const char* name;
    std::vector<POINT> moves;  // while held, from the press at (130, 120)
    bool pushed_at_release;
    int clicks;
  } cases[] = {
      {"out", {{300, 300}}, false, 0},
      {"out and back", {{300, 300}, {140, 115}}, true, 1},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.name);
    HWND b = MakeButton(BS_PUSHBUTTON);
    host::Headless().MoveMouse(130, 120);
    host::Headless().Press();
    DrainMessages();
    EXPECT_TRUE(Pushed(b));
    EXPECT_EQ(GetFocus(), b);
    for (POINT p : t.moves) host::Headless().MoveMouse(p.x, p.y);
    DrainMessages();
    EXPECT_EQ(Pushed(b), t.pushed_at_release);
    host::Headless().Release();
    DrainMessages();
    EXPECT_FALSE(Pushed(b));
    EXPECT_EQ(Clicks(b), t.clicks);
    EXPECT_EQ(commands.size(), static_cast<std::size_t>(t.clicks)) << "nothing but BN_CLICKED";
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(b);
  }
}

// Losing the focus while the space bar is held cancels the press; a
// disabled button takes no click.
TEST_F(Button, TheSpaceBarPressIsCancelledByLosingTheFocus) {
  HWND b = MakeButton(BS_DEFPUSHBUTTON);
  HWND other = MakeButton(BS_PUSHBUTTON);
  SetFocus(b);
  host::Headless().KeyDown(VK_SPACE);
  DrainMessages();
  EXPECT_TRUE(Pushed(b));
  SetFocus(other);
  host::Headless().KeyUp(VK_SPACE);
  DrainMessages();
  EXPECT_FALSE(Pushed(b));
  EXPECT_EQ(Clicks(b), 0);
  EXPECT_EQ(GetCapture(), nullptr);
  DestroyWindow(b);
  DestroyWindow(other);

  b = MakeButton(BS_PUSHBUTTON | WS_DISABLED);
  host::Headless().Click(130, 120);
  host::Headless().Type(" ");
  DrainMessages();
  EXPECT_EQ(Clicks(b), 0);
}

// With BS_NOTIFY the first click shows the whole order of notifications.
TEST_F(Button, ADoubleClickIsTwoClicksUnlessTheButtonAsksToBeTold) {
  const struct {
    DWORD style;
    std::vector<WORD> codes;
  } cases[] = {
      {BS_3STATE, {BN_CLICKED, BN_CLICKED}},
      {BS_PUSHBUTTON | BS_NOTIFY,
       {BN_SETFOCUS, BN_HILITE, BN_UNHILITE, BN_CLICKED, BN_DOUBLECLICKED}},
  };
  for (const auto& t : cases) {
    HWND b = MakeButton(t.style);
    host::Headless().Click(130, 120);
    host::Headless().Click(130, 120);
    DrainMessages();
    std::vector<WORD> codes;
    for (const auto& c : commands) codes.push_back(std::get<1>(c));
    EXPECT_EQ(codes, t.codes) << t.style;
    DestroyWindow(b);
  }
}

TEST_F(Button, TheParentGivesABoxItsBackground) {
  HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
  std::vector<UINT> asked;
  for (UINT message : {WM_CTLCOLORBTN, WM_CTLCOLORSTATIC}) {
    TestHandlers()[message] = [&, message](HWND, WPARAM, LPARAM) {
      asked.push_back(message);
      return reinterpret_cast<LRESULT>(red);
    };
  }
  HWND push = MakeButton(BS_PUSHBUTTON);
  HWND box = MakeButton(BS_AUTOCHECKBOX, "");
  MoveWindow(box, 10, 60, 80, 24, TRUE);
  asked.clear();
  UpdateWindow(parent_);
  EXPECT_EQ(asked, (std::vector<UINT>{WM_CTLCOLORBTN, WM_CTLCOLORSTATIC}));
  EXPECT_EQ(Shown(89, 60), RGB(255, 0, 0));  // the box's top right corner
  EXPECT_NE(Shown(50, 12), RGB(255, 0, 0)) << "a push button keeps its face";
  DestroyWindow(push);
  DestroyWindow(box);
  DeleteObject(red);
}

TEST_F(Button, ASubclassedButtonStillClicks) {
  HWND b = MakeButton(BS_PUSHBUTTON);
  const int& seen = CountThroughSubclass(b, WM_LBUTTONUP);
  host::Headless().Click(130, 120);
  DrainMessages();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(Clicks(b), 1);
}

}  // namespace
