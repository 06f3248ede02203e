// Input routing, driven through the headless host as a person would.
#include <set>
#include <tuple>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

constexpr int Up(UINT key) {
  return -static_cast<int>(key);
}

class Input : public LoggedWindowTest {
 protected:
  // Keys down (a key code) and up (Up(code)), then pumped.
  static void Strokes(std::initializer_list<int> keys) {
    for (int key : keys) {
      if (key > 0) {
        host::Headless().KeyDown(static_cast<UINT>(key));
      } else {
        host::Headless().KeyUp(static_cast<UINT>(-key));
      }
    }
    Pump();
  }

  // The next message taken, passing over those of `skipped`.
  static MSG Next(UINT skipped = WM_NULL) {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message == skipped) {
    }
    return msg;
  }
};

// What a message taken carries.
using Fields = std::tuple<HWND, UINT, WPARAM, LPARAM>;
Fields Of(const MSG& msg) {
  return {msg.hwnd, msg.message, msg.wParam, msg.lParam};
}

const std::set<std::string> kMouse = {"WM_NCHITTEST",   "WM_SETCURSOR",     "WM_MOUSEACTIVATE",
                                      "WM_ACTIVATE",    "WM_MOUSEMOVE",     "WM_LBUTTONDOWN",
                                      "WM_LBUTTONUP",   "WM_LBUTTONDBLCLK", "WM_NCLBUTTONDOWN",
                                      "WM_RBUTTONDOWN", "WM_RBUTTONUP",     "WM_MOUSEWHEEL"};
const std::set<std::string> kKeys = {"WM_KEYDOWN",    "WM_KEYUP",    "WM_CHAR",
                                     "WM_SYSKEYDOWN", "WM_SYSKEYUP", "WM_SYSCHAR"};

// The default handling of WM_MOUSEACTIVATE asks the parent. A press on the
// active window itself then asks nothing.
TEST_F(Input, ClickOnAnInactiveWindowAsksActivatesThenDelivers) {
  HWND form = Window("Form", WS_POPUP, 100, 100, 200, 100);
  Window("Button", WS_CHILD, 10, 10, 50, 20, form);
  HWND other = Window("Other", WS_POPUP, 400, 100, 100, 100);
  ASSERT_EQ(GetActiveWindow(), other);
  host::Headless().MoveMouse(120, 120);
  Pump();
  log.Start();
  host::Headless().Press();
  host::Headless().Release();
  Pump();
  EXPECT_TRUE(
      log.Saw({"Button WM_NCHITTEST", "Button WM_MOUSEACTIVATE", "Form WM_MOUSEACTIVATE default",
               "Other WM_ACTIVATE", "Form WM_ACTIVATE", "Button WM_SETCURSOR",
               "Form WM_SETCURSOR default", "Button WM_LBUTTONDOWN posted", "Button WM_NCHITTEST",
               "Button WM_SETCURSOR", "Form WM_SETCURSOR default", "Button WM_LBUTTONUP posted"},
              kMouse));
  EXPECT_EQ(GetActiveWindow(), form);

  host::Headless().MoveMouse(250, 150);
  Pump();
  log.Start();
  host::Headless().Press();
  Pump();
  EXPECT_TRUE(
      log.Saw({"Form WM_NCHITTEST", "Form WM_SETCURSOR", "Form WM_LBUTTONDOWN posted"}, kMouse));
  host::Headless().Release();
}

// Buttons and SetCursorPos each give their message with the documented
// fields; SetCursorPos keeps the cursor on the screen.
TEST_F(Input, MouseMessagesCarryClientPointKeysTimeAndPosition) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 100, 50, 200, 100);
  host::Headless().MoveMouse(130, 70);
  Pump();
  host::Headless().AdvanceClock(1234);
  host::Headless().KeyDown(VK_SHIFT);
  host::Headless().Press();
  EXPECT_EQ(Next().message, WM_KEYDOWN);
  const MSG msg = Next();
  EXPECT_EQ(Of(msg), Fields(form, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(30, 20)));
  EXPECT_EQ(std::tuple(msg.time, msg.pt.x, msg.pt.y), std::tuple(DWORD{1234}, 130, 70));
  host::Headless().Release();
  host::Headless().KeyUp(VK_SHIFT);
  EXPECT_EQ(Of(Next()), Fields(form, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(30, 20)));
  Pump();

  EXPECT_TRUE(SetCursorPos(140, 80));
  POINT at{};
  EXPECT_TRUE(GetCursorPos(&at));
  EXPECT_EQ(std::tuple(at.x, at.y), std::tuple(140, 80));
  EXPECT_EQ(Of(Next()), Fields(form, WM_MOUSEMOVE, 0, MAKELPARAM(40, 30)));
  SetCursorPos(-5, 100000);
  GetCursorPos(&at);
  EXPECT_EQ(std::tuple(at.x, at.y), std::tuple(0, host::HeadlessHost::kDefaultScreen.cy - 1));
}

TEST_F(Input, MouseActivateAnswersDecideActivationAndDelivery) {
  const std::tuple<LRESULT, bool, bool> cases[] = {
      {MA_ACTIVATE, true, true},
      {MA_ACTIVATEANDEAT, true, false},
      {MA_NOACTIVATEANDEAT, false, false},
  };
  for (const auto& [answer, activates, delivers] : cases) {
    SCOPED_TRACE(answer);
    HWND form = Window("Form", WS_POPUP, 0, 0, 100, 100);
    HWND other = MakeWindow(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
    TestHandlers()[WM_MOUSEACTIVATE] = [&](HWND, WPARAM top, LPARAM lParam) {
      EXPECT_EQ(reinterpret_cast<HWND>(top), form);
      EXPECT_EQ(static_cast<std::uintptr_t>(lParam),
                static_cast<std::uintptr_t>(MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN)));
      return answer;
    };
    host::Headless().Click(50, 50);
    log.Start();
    Pump();
    EXPECT_EQ(GetActiveWindow(), activates ? form : other);
    const Sequence expected =
        delivers ? Sequence{"Form WM_LBUTTONDOWN posted", "Form WM_LBUTTONUP posted"}
                 : Sequence{"Form WM_LBUTTONUP posted"};  // only the press is eaten
    EXPECT_TRUE(log.Saw(expected, {"WM_LBUTTONDOWN", "WM_LBUTTONUP"}));
    ResetTestWindows();
  }
}

// The third click shows that the second started a new pair or ended one.
TEST_F(Input, DoubleClicksNeedTheClassStyleTheTimeAndTheBox) {
  const char* const kDown = "W WM_LBUTTONDOWN posted";
  const char* const kDouble = "W WM_LBUTTONDBLCLK posted";
  const struct {
    bool double_clicks;
    std::uint64_t pause;
    LONG dx;
    const char* second;
    const char* third;
  } cases[] = {
      {true, 100, 0, kDouble, kDown}, {false, 100, 0, kDown, kDown},
      {true, 500, 2, kDouble, kDown}, {true, 501, 0, kDown, kDouble},
      {true, 100, 3, kDown, kDouble},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.double_clicks << " " << c.pause << " " << c.dx);
    Window("W", WS_POPUP, 0, 0, 100, 100, nullptr, 0, c.double_clicks);
    host::Headless().Click(50, 50);
    Pump();
    host::Headless().AdvanceClock(c.pause);
    log.Start();
    host::Headless().Click(50 + c.dx, 50);
    host::Headless().Click(50 + c.dx, 50);
    Pump();
    EXPECT_TRUE(log.Saw({c.second, "W WM_LBUTTONUP posted", c.third, "W WM_LBUTTONUP posted"},
                        {"WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK", "WM_LBUTTONUP"}));
    ResetTestWindows();
  }
}

TEST_F(Input, TheFrameGetsNonClientMessagesInScreenCoordinates) {
  HWND w = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT frame;
  GetWindowRect(w, &frame);
  POINT corner{0, 0};
  ClientToScreen(w, &corner);
  ASSERT_GT(corner.y, frame.top + 2);
  const int y = frame.top + 2 + (corner.y - frame.top - 2) / 2;
  host::Headless().Click(corner.x + 20, y);
  EXPECT_EQ(Of(Next(WM_NCMOUSEMOVE)),
            Fields(w, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(corner.x + 20, y)));
}

TEST_F(Input, TransparentWindowsPassTheMouseToTheWindowBeneath) {
  HWND form = Window("Form", WS_POPUP, 0, 0, 200, 100);
  Window("Below", WS_CHILD, 10, 10, 50, 50, form);
  HWND label = Window("Label", WS_CHILD, 0, 0, 100, 100, form);
  // Children stack in the order they were made; the label is raised above.
  SetWindowPos(label, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND hint = Window("Hint", WS_POPUP, 0, 0, 300, 300, nullptr, WS_EX_TOPMOST);
  SetActiveWindow(form);
  TestHandlers()[WM_NCHITTEST] = [&](HWND window, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (window == label || window == hint) return HTTRANSPARENT;
    return DefWindowProcA(window, WM_NCHITTEST, wParam, lParam);
  };
  host::Headless().MoveMouse(20, 20);  // the label and the hint cover `below` here
  Pump();
  log.Start();
  host::Headless().Press();
  Pump();
  EXPECT_TRUE(
      log.Saw({"Hint WM_NCHITTEST", "Label WM_NCHITTEST", "Below WM_NCHITTEST",
               "Below WM_MOUSEACTIVATE", "Form WM_MOUSEACTIVATE default", "Below WM_SETCURSOR",
               "Form WM_SETCURSOR default", "Below WM_LBUTTONDOWN posted"},
              kMouse));
  log.Start();
  host::Headless().Release();
  host::Headless().Click(80, 80);  // only the label and the hint: the form takes it
  Pump();
  EXPECT_TRUE(log.Saw({"Below WM_LBUTTONUP posted", "Form WM_MOUSEMOVE posted",
                       "Form WM_LBUTTONDOWN posted", "Form WM_LBUTTONUP posted"},
                      {"WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}));
}

// A disabled control is passed over without a beep. A disabled top-level
// window (an owner under a modal box) takes nothing: it hears WM_SETCURSOR
// with HTERROR, and a press beeps.
TEST_F(Input, DisabledWindowsGetNoInput) {
  HWND form = Window("Form", WS_POPUP, 0, 0, 200, 100);
  Window("Disabled", WS_CHILD | WS_DISABLED, 10, 10, 50, 50, form);
  SetFocus(Window("Edit", WS_CHILD, 100, 10, 50, 50, form));
  host::Headless().Click(20, 20);
  Pump();
  EXPECT_EQ(host::Headless().Beeps().count, 0);

  EnableWindow(form, FALSE);
  log.Start();
  host::Headless().Click(120, 20);
  host::Headless().Type("x");
  Pump();
  std::set<std::string> input = kMouse;
  input.insert(kKeys.begin(), kKeys.end());
  // HTERROR with the move, the press and the release.
  EXPECT_TRUE(log.Saw({"Form WM_SETCURSOR l=0x200FFFE", "Form WM_SETCURSOR l=0x201FFFE",
                       "Form WM_SETCURSOR l=0x202FFFE"},
                      input));
  EXPECT_EQ(host::Headless().Beeps().count, 1);  // the press, not the release
  EXPECT_EQ(GetKeyState('X') & 0x8000, 0);       // the key still went down and up
}

TEST_F(Input, TypingGivesKeyDownCharacterKeyUp) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  SetFocus(Window("Edit", WS_CHILD, 10, 10, 50, 20, form));
  log.Start();
  host::Headless().Type("a\xE6");  // a Latin a and the Cyrillic zhe (on the ';' key)
  Pump();
  // Repeat 1 and scan code 0x1E; on the way up the previous state and the
  // transition bits too.
  EXPECT_TRUE(log.Saw({"Edit WM_KEYDOWN posted w=65 l=0x001E0001", "Edit WM_CHAR posted w=97",
                       "Edit WM_KEYUP posted w=65 l=0xC01E0001", "Edit WM_KEYDOWN posted",
                       "Edit WM_CHAR posted w=230", "Edit WM_KEYUP posted"},
                      kKeys));
}

// Characters come from TranslateMessage, or from the host's text alone.
TEST_F(Input, CharactersComeOnlyThroughTranslateMessageOrAsTextWithoutAKey) {
  Window("W", WS_POPUP, 0, 0, 100, 100);
  std::vector<WPARAM> characters;
  TestHandlers()[WM_CHAR] = [&](HWND, WPARAM wParam, LPARAM) {
    characters.push_back(wParam);
    return 0;
  };
  host::Headless().Type("q");
  log.Start();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_TRUE(log.Saw({"W WM_KEYDOWN posted", "W WM_KEYUP posted"}, kKeys));
  // Nor does the lost character come later: the next stroke gives its own.
  Strokes({VK_SPACE, Up(VK_SPACE)});  // a key stroke without the host's text
  host::InputEvent text{};
  text.kind = host::InputEvent::kText;
  text.text = '\xB9';  // the numero sign
  host::Headless().Inject(text);
  Pump();
  EXPECT_EQ(characters, (std::vector<WPARAM>{' ', 0xB9}));
}

TEST_F(Input, AltAndF10MakeSystemKeysAndWithoutFocusEveryKeyIsOne) {
  HWND w = Window("W", WS_POPUP, 0, 0, 100, 100);
  // Alt's strokes carry the context bit.
  const struct {
    bool focused;
    std::initializer_list<int> strokes;  // as Strokes() takes them
    Sequence expected;
  } cases[] = {
      {true,
       {VK_MENU, 'X', Up('X'), Up(VK_MENU)},
       {"W WM_SYSKEYDOWN posted", "W WM_SYSKEYDOWN posted", "W WM_SYSCHAR posted",
        "W WM_SYSKEYUP posted", "W WM_KEYUP posted"}},
      {true,
       {VK_MENU, Up(VK_MENU)},
       {"W WM_SYSKEYDOWN posted w=0x12 l=0x20380001", "W WM_SYSKEYUP posted w=0x12 l=0xC0380001"}},
      {true, {VK_F10, Up(VK_F10)}, {"W WM_SYSKEYDOWN posted", "W WM_SYSKEYUP posted"}},
      {true,
       {VK_CONTROL, VK_MENU, 'X', Up('X'), Up(VK_MENU), Up(VK_CONTROL)},
       {"W WM_KEYDOWN posted", "W WM_KEYDOWN posted", "W WM_KEYDOWN posted", "W WM_KEYUP posted",
        "W WM_KEYUP posted", "W WM_KEYUP posted"}},
      // With no focus the keys go to the active window.
      {false,
       {'B', Up('B')},
       {"W WM_SYSKEYDOWN posted", "W WM_SYSCHAR posted", "W WM_SYSKEYUP posted"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "first key " << *c.strokes.begin());
    if (!c.focused) SetFocus(nullptr);
    EXPECT_EQ(GetActiveWindow(), w);
    log.Start();
    Strokes(c.strokes);
    EXPECT_TRUE(log.Saw(c.expected, kKeys));
  }
}

TEST_F(Input, KeyStateFollowsTakenMessagesAsyncStateTheHost) {
  MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  host::Headless().KeyDown(VK_SHIFT);
  MSG msg;
  ASSERT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE));  // gathers the input
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(GetKeyState(VK_SHIFT), static_cast<SHORT>(0xFF80));
  Strokes({Up(VK_SHIFT)});
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);

  const SHORT toggled = GetKeyState(VK_CAPITAL) & 1;
  Strokes({VK_CAPITAL, Up(VK_CAPITAL)});
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, toggled ^ 1);
  EXPECT_EQ(GetAsyncKeyState(VK_CAPITAL), toggled ^ 1);
  Strokes({VK_CAPITAL, Up(VK_CAPITAL)});
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, toggled);

  host::Headless().Click(10, 10, host::kRightButton);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE));
  EXPECT_LT(GetKeyState(VK_RBUTTON), 0);
  Pump();
  EXPECT_GE(GetKeyState(VK_RBUTTON), 0);
}

// Filtered-out input stays queued; moves waiting together merge into the last.
TEST_F(Input, InputWaitsInTheQueueUntilTakenAndMovesMerge) {
  HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND b = MakeWindow(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  Pump();
  host::Headless().MoveMouse(10, 10);
  host::Headless().MoveMouse(30, 30);  // over a
  host::Headless().KeyDown('K');       // to b, the active window
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_KEYDOWN);
  EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.hwnd, a);
  EXPECT_EQ(Of(Next()), Fields(a, WM_MOUSEMOVE, 0, MAKELPARAM(30, 30)));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  host::Headless().KeyUp('K');
}

}  // namespace
