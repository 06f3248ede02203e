// Input routing, driven through the headless host as a person would.
//
// Test ideas: a click on an inactive window's control asks, activates, then
// delivers; the four WM_MOUSEACTIVATE answers; double clicks only for
// CS_DBLCLKS classes, in time and in the box; capture takes everything;
// HTTRANSPARENT passes the mouse down and across top-level windows; disabled
// windows and windows in disabled ones get nothing; typing gives key-down,
// WM_CHAR through TranslateMessage and key-up with the documented lParam
// bits; Alt and F10 make system keys; no focus sends system keys to the active
// window; key state as taken against as gathered; filters leave input queued.
#include <algorithm>
#include <set>

#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>

#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

host::HeadlessHost& Host() {
  return host::Headless();
}

class Input : public testing::Test {
 protected:
  Input() {
    Host().Reset();
    Pump();
  }
  ~Input() override {
    ResetTestWindows();
    Pump();
  }

  // Takes, translates and dispatches everything waiting.
  static void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
  }

  // The recorded lines whose message is one of `messages`.
  std::vector<RecordedMessage> Taken(const std::set<std::string>& messages) {
    std::vector<RecordedMessage> lines = log.Take();
    lines.erase(std::remove_if(lines.begin(), lines.end(),
                               [&](const RecordedMessage& line) {
                                 return messages.count(MessageLog::MessageName(line.message)) == 0;
                               }),
                lines.end());
    return lines;
  }

  MessageLog log;
};

const std::set<std::string> kMouse = {"WM_NCHITTEST",   "WM_SETCURSOR",     "WM_MOUSEACTIVATE",
                                      "WM_ACTIVATE",    "WM_MOUSEMOVE",     "WM_LBUTTONDOWN",
                                      "WM_LBUTTONUP",   "WM_LBUTTONDBLCLK", "WM_NCLBUTTONDOWN",
                                      "WM_RBUTTONDOWN", "WM_RBUTTONUP",     "WM_MOUSEWHEEL"};
const std::set<std::string> kKeys = {"WM_KEYDOWN",    "WM_KEYUP",    "WM_CHAR",
                                     "WM_SYSKEYDOWN", "WM_SYSKEYUP", "0x0106" /* WM_SYSCHAR */};

TEST_F(Input, ClickOnAnInactiveWindowAsksActivatesThenDelivers) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
  HWND button = MakeWindow(WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, form);
  HWND other = MakeWindow(WS_POPUP | WS_VISIBLE, 400, 100, 100, 100);
  ASSERT_EQ(GetActiveWindow(), other);
  Host().MoveMouse(120, 120);
  Pump();
  WPARAM activation = 0;
  TestHandlers()[WM_ACTIVATE] = [&](HWND window, WPARAM wParam, LPARAM lParam) {
    if (window == form) activation = wParam;
    return DefWindowProcA(window, WM_ACTIVATE, wParam, lParam);
  };
  log.Name(form, "Form");
  log.Name(button, "Button");
  log.Name(other, "Other");
  log.Start();
  Host().Press();
  Host().Release();
  Pump();
  EXPECT_TRUE(SameSequence(
      {
          "Button WM_NCHITTEST",
          "Button WM_MOUSEACTIVATE",
          "Form WM_MOUSEACTIVATE default",  // the default handling asks the parent
          "Other WM_ACTIVATE",
          "Form WM_ACTIVATE",
          "Button WM_SETCURSOR",
          "Form WM_SETCURSOR default",
          "Button WM_LBUTTONDOWN posted",
          "Button WM_NCHITTEST",
          "Button WM_SETCURSOR",
          "Form WM_SETCURSOR default",
          "Button WM_LBUTTONUP posted",
      },
      Taken(kMouse)));
  EXPECT_EQ(GetActiveWindow(), form);
  EXPECT_EQ(LOWORD(activation), WA_CLICKACTIVE);
}

TEST_F(Input, MouseMessagesCarryClientPointKeysTimeAndPosition) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 100, 50, 200, 100);
  Host().MoveMouse(130, 70);
  Pump();
  Host().AdvanceClock(1234);
  Host().KeyDown(VK_SHIFT);
  Host().Press();
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_KEYDOWN);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, form);
  EXPECT_EQ(msg.message, WM_LBUTTONDOWN);
  EXPECT_EQ(msg.wParam, MK_LBUTTON | MK_SHIFT);
  EXPECT_EQ(GET_X_LPARAM(msg.lParam), 30);
  EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 20);
  EXPECT_EQ(msg.time, 1234u);
  EXPECT_EQ(msg.pt.x, 130);
  EXPECT_EQ(msg.pt.y, 70);
  Host().Release();
  Host().KeyUp(VK_SHIFT);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_LBUTTONUP);
  EXPECT_EQ(msg.wParam, MK_SHIFT);
}

TEST_F(Input, MouseActivateAnswersDecideActivationAndDelivery) {
  const struct {
    LRESULT answer;
    bool activates;
    bool delivers;
  } cases[] = {
      {MA_ACTIVATE, true, true},
      {MA_ACTIVATEANDEAT, true, false},
      {MA_NOACTIVATE, false, true},
      {MA_NOACTIVATEANDEAT, false, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.answer);
    HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
    HWND other = MakeWindow(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
    TestHandlers()[WM_MOUSEACTIVATE] = [&](HWND, WPARAM top, LPARAM lParam) {
      EXPECT_EQ(reinterpret_cast<HWND>(top), form);
      EXPECT_EQ(LOWORD(static_cast<std::uintptr_t>(lParam)), HTCLIENT);
      EXPECT_EQ(HIWORD(static_cast<std::uintptr_t>(lParam)), WM_LBUTTONDOWN);
      return c.answer;
    };
    log.Name(form, "Form");
    Host().Click(50, 50);
    log.Start();
    Pump();
    const std::vector<RecordedMessage> seen = Taken({"WM_LBUTTONDOWN", "WM_LBUTTONUP"});
    EXPECT_EQ(GetActiveWindow(), c.activates ? form : other);
    const Sequence expected =
        c.delivers ? Sequence{"Form WM_LBUTTONDOWN posted", "Form WM_LBUTTONUP posted"}
                   : Sequence{"Form WM_LBUTTONUP posted"};  // only the press is eaten
    EXPECT_TRUE(SameSequence(expected, seen));
    ResetTestWindows();
    Pump();
  }
}

TEST_F(Input, PressOnTheActiveWindowItselfAsksNothing) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.Name(form, "Form");
  Host().MoveMouse(50, 50);
  Pump();
  log.Start();
  Host().Press();
  Pump();
  EXPECT_TRUE(SameSequence({"Form WM_NCHITTEST", "Form WM_SETCURSOR", "Form WM_LBUTTONDOWN posted"},
                           Taken(kMouse)));
  Host().Release();
}

TEST_F(Input, DoubleClicksNeedTheClassStyleTheTimeAndTheBox) {
  const struct {
    bool double_clicks;
    std::uint64_t pause;
    LONG dx;
    const char* second;
  } cases[] = {
      {true, 100, 0, "W WM_LBUTTONDBLCLK posted"}, {false, 100, 0, "W WM_LBUTTONDOWN posted"},
      {true, 500, 2, "W WM_LBUTTONDBLCLK posted"}, {true, 501, 0, "W WM_LBUTTONDOWN posted"},
      {true, 100, 3, "W WM_LBUTTONDOWN posted"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.double_clicks << " " << c.pause << " " << c.dx);
    HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, 0, c.double_clicks);
    log.Name(w, "W");
    Host().Click(50, 50);
    Pump();
    Host().AdvanceClock(c.pause);
    log.Start();
    Host().Click(50 + c.dx, 50);
    Pump();
    EXPECT_TRUE(SameSequence({c.second, "W WM_LBUTTONUP posted"},
                             Taken({"WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK", "WM_LBUTTONUP"})));
    ResetTestWindows();
    Pump();
  }
}

TEST_F(Input, TheClickAfterADoubleClickStartsAnew) {
  HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, 0, true);
  log.Name(w, "W");
  log.Start();
  for (int i = 0; i < 3; ++i) {
    Host().Click(50, 50);
    Pump();
  }
  EXPECT_TRUE(SameSequence(
      {"W WM_LBUTTONDOWN posted", "W WM_LBUTTONDBLCLK posted", "W WM_LBUTTONDOWN posted"},
      Taken({"WM_LBUTTONDOWN", "WM_LBUTTONDBLCLK"})));
}

TEST_F(Input, TheFrameGetsNonClientMessagesInScreenCoordinates) {
  HWND w = MakeWindow(WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 300, 200);
  RECT frame, client;
  GetWindowRect(w, &frame);
  GetClientRect(w, &client);
  POINT corner{0, 0};
  ClientToScreen(w, &corner);
  ASSERT_GT(corner.y, frame.top + 2);
  Host().Click(corner.x + 20, frame.top + 2 + (corner.y - frame.top - 2) / 2);
  MSG msg;
  do {
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  } while (msg.message == WM_NCMOUSEMOVE);
  EXPECT_EQ(msg.message, WM_NCLBUTTONDOWN);
  EXPECT_EQ(msg.wParam, static_cast<WPARAM>(HTCAPTION));
  EXPECT_EQ(GET_X_LPARAM(msg.lParam), corner.x + 20);
  Pump();
}

TEST_F(Input, CaptureTakesEveryMouseMessageInItsClientCoordinates) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 100, 100, 200, 100);
  HWND child = MakeWindow(WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, form);
  HWND other = MakeWindow(WS_POPUP | WS_VISIBLE, 400, 100, 100, 100);
  SetActiveWindow(form);
  SetCapture(child);
  log.Name(form, "Form");
  log.Name(child, "Child");
  log.Name(other, "Other");
  log.Start();
  Host().MoveMouse(450, 150);  // over the other window
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, child);
  EXPECT_EQ(GET_X_LPARAM(msg.lParam), 450 - 110);
  EXPECT_EQ(GET_Y_LPARAM(msg.lParam), 150 - 110);
  DispatchMessageA(&msg);
  Host().MoveMouse(20, 20);  // outside everything
  Host().Press();
  Host().Release();
  Pump();
  EXPECT_TRUE(SameSequence({"Child WM_MOUSEMOVE posted", "Child WM_MOUSEMOVE posted",
                            "Child WM_LBUTTONDOWN posted", "Child WM_LBUTTONUP posted"},
                           Taken(kMouse)));
  ReleaseCapture();
}

TEST_F(Input, TransparentWindowsPassTheMouseToTheWindowBeneath) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  HWND below = MakeWindow(WS_CHILD | WS_VISIBLE, 10, 10, 50, 50, form);
  HWND label = MakeWindow(WS_CHILD | WS_VISIBLE, 0, 0, 100, 100, form);
  // Children stack in the order they were made; the label is raised above.
  SetWindowPos(label, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  HWND hint = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 300, 300, nullptr, WS_EX_TOPMOST);
  SetActiveWindow(form);
  TestHandlers()[WM_NCHITTEST] = [&](HWND window, WPARAM wParam, LPARAM lParam) -> LRESULT {
    if (window == label || window == hint) return HTTRANSPARENT;
    return DefWindowProcA(window, WM_NCHITTEST, wParam, lParam);
  };
  log.Name(form, "Form");
  log.Name(below, "Below");
  log.Name(label, "Label");
  log.Name(hint, "Hint");
  Host().MoveMouse(20, 20);  // the label and the hint cover `below` here
  Pump();
  log.Start();
  Host().Press();
  Pump();
  EXPECT_TRUE(
      SameSequence({"Hint WM_NCHITTEST", "Label WM_NCHITTEST", "Below WM_NCHITTEST",
                    "Below WM_MOUSEACTIVATE", "Form WM_MOUSEACTIVATE default", "Below WM_SETCURSOR",
                    "Form WM_SETCURSOR default", "Below WM_LBUTTONDOWN posted"},
                   Taken(kMouse)));
  log.Start();
  Host().Release();
  Host().Click(80, 80);  // only the label and the hint: the form takes it
  Pump();
  EXPECT_TRUE(SameSequence({"Below WM_LBUTTONUP posted", "Form WM_MOUSEMOVE posted",
                            "Form WM_LBUTTONDOWN posted", "Form WM_LBUTTONUP posted"},
                           Taken({"WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_LBUTTONUP"})));
}

// A disabled control is passed over: its parent gets the mouse, and nothing
// beeps. A disabled top-level window (an owner under a modal box) takes
// nothing: it hears WM_SETCURSOR with HTERROR, and a press beeps.
TEST_F(Input, DisabledWindowsGetNoInput) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  HWND disabled = MakeWindow(WS_CHILD | WS_VISIBLE | WS_DISABLED, 10, 10, 50, 50, form);
  HWND edit = MakeWindow(WS_CHILD | WS_VISIBLE, 100, 10, 50, 50, form);
  SetFocus(edit);
  log.Name(form, "Form");
  log.Name(disabled, "Disabled");
  log.Name(edit, "Edit");
  log.Start();
  Host().Click(20, 20);
  Pump();
  // The move, the press and the release each ask the form only.
  Sequence to_the_form;
  for (const char* message : {"WM_MOUSEMOVE", "WM_LBUTTONDOWN", "WM_LBUTTONUP"}) {
    to_the_form = to_the_form + Sequence{"Form WM_NCHITTEST", "Form WM_SETCURSOR",
                                         std::string("Form ") + message + " posted"};
  }
  EXPECT_TRUE(SameSequence(to_the_form, Taken(kMouse)));
  EXPECT_EQ(Host().Beeps().count, 0);

  EnableWindow(form, FALSE);
  LPARAM refused = 0;
  TestHandlers()[WM_SETCURSOR] = [&](HWND window, WPARAM wParam, LPARAM lParam) {
    if (window == form) refused = lParam;
    return DefWindowProcA(window, WM_SETCURSOR, wParam, lParam);
  };
  log.Start();
  Host().Click(120, 20);
  Host().Type("x");
  Pump();
  std::set<std::string> input = kMouse;
  input.insert(kKeys.begin(), kKeys.end());
  EXPECT_TRUE(
      SameSequence({"Form WM_SETCURSOR", "Form WM_SETCURSOR", "Form WM_SETCURSOR"}, Taken(input)));
  EXPECT_EQ(static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(refused))), HTERROR);
  EXPECT_EQ(Host().Beeps().count, 1);       // the press, not the release
  EXPECT_EQ(GetKeyState('X') & 0x8000, 0);  // the key still went down and up
}

TEST_F(Input, TypingGivesKeyDownCharacterKeyUp) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  HWND edit = MakeWindow(WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, form);
  SetFocus(edit);
  std::vector<std::pair<UINT, std::uintptr_t>> received;
  for (UINT m : {WM_KEYDOWN, WM_KEYUP, WM_CHAR}) {
    TestHandlers()[m] = [&received, m](HWND, WPARAM wParam, LPARAM lParam) {
      received.emplace_back(m, wParam);
      if (m != WM_CHAR) received.emplace_back(0, static_cast<std::uint32_t>(lParam));
      return 0;
    };
  }
  log.Name(edit, "Edit");
  log.Start();
  Host().Type("a\xE6");  // a Latin a and the Cyrillic zhe (on the ';' key)
  Pump();
  EXPECT_TRUE(
      SameSequence({"Edit WM_KEYDOWN posted", "Edit WM_CHAR posted", "Edit WM_KEYUP posted",
                    "Edit WM_KEYDOWN posted", "Edit WM_CHAR posted", "Edit WM_KEYUP posted"},
                   Taken(kKeys)));
  ASSERT_EQ(received.size(), 10u);
  EXPECT_EQ(received[0], (std::pair<UINT, std::uintptr_t>{WM_KEYDOWN, 'A'}));
  EXPECT_EQ(received[1].second, 0x001E0001u);  // repeat 1, scan code 0x1E
  EXPECT_EQ(received[2], (std::pair<UINT, std::uintptr_t>{WM_CHAR, 'a'}));
  EXPECT_EQ(received[3], (std::pair<UINT, std::uintptr_t>{WM_KEYUP, 'A'}));
  EXPECT_EQ(received[4].second, 0xC01E0001u);  // previous state and transition set
  EXPECT_EQ(received[7], (std::pair<UINT, std::uintptr_t>{WM_CHAR, 0xE6}));
}

TEST_F(Input, WithoutTranslateMessageThereIsNoCharacter) {
  HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  std::vector<WPARAM> characters;
  TestHandlers()[WM_CHAR] = [&](HWND, WPARAM wParam, LPARAM) {
    characters.push_back(wParam);
    return 0;
  };
  log.Name(w, "W");
  Host().Type("q");
  log.Start();
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
  EXPECT_TRUE(SameSequence({"W WM_KEYDOWN posted", "W WM_KEYUP posted"}, Taken(kKeys)));
  // Nor does the lost character come later: the next stroke gives its own.
  Host().KeyDown(VK_SPACE);  // a key stroke without the host's text
  Host().KeyUp(VK_SPACE);
  Pump();
  EXPECT_EQ(characters, (std::vector<WPARAM>{' '}));
}

TEST_F(Input, TextWithoutAKeyArrivesAsACharacter) {
  MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  WPARAM character = 0;
  TestHandlers()[WM_CHAR] = [&](HWND, WPARAM wParam, LPARAM) {
    character = wParam;
    return 0;
  };
  host::InputEvent text{};
  text.kind = host::InputEvent::kText;
  text.text = '\xB9';  // the numero sign
  Host().Inject(text);
  Pump();
  EXPECT_EQ(character, 0xB9u);
}

TEST_F(Input, AltAndF10MakeSystemKeys) {
  HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  log.Name(w, "W");
  LPARAM alt_down_bits = 0, alt_up_bits = 0;
  TestHandlers()[WM_SYSKEYDOWN] = [&](HWND, WPARAM key, LPARAM lParam) {
    if (key == VK_MENU) alt_down_bits = lParam;
    return 0;
  };
  TestHandlers()[WM_SYSKEYUP] = [&](HWND, WPARAM key, LPARAM lParam) {
    if (key == VK_MENU) alt_up_bits = lParam;
    return 0;
  };
  const struct {
    std::vector<std::pair<UINT, bool>> strokes;  // key, down
    std::vector<std::string> expected;
  } cases[] = {
      {{{VK_MENU, true}, {'X', true}, {'X', false}, {VK_MENU, false}},
       {"W WM_SYSKEYDOWN posted", "W WM_SYSKEYDOWN posted", "W 0x0106 posted",
        "W WM_SYSKEYUP posted", "W WM_KEYUP posted"}},
      {{{VK_MENU, true}, {VK_MENU, false}}, {"W WM_SYSKEYDOWN posted", "W WM_SYSKEYUP posted"}},
      {{{VK_F10, true}, {VK_F10, false}}, {"W WM_SYSKEYDOWN posted", "W WM_SYSKEYUP posted"}},
      {{{VK_CONTROL, true},
        {VK_MENU, true},
        {'X', true},
        {'X', false},
        {VK_MENU, false},
        {VK_CONTROL, false}},
       {"W WM_KEYDOWN posted", "W WM_KEYDOWN posted", "W WM_KEYDOWN posted", "W WM_KEYUP posted",
        "W WM_KEYUP posted", "W WM_KEYUP posted"}},
  };
  for (const auto& c : cases) {
    log.Start();
    for (const auto& [key, down] : c.strokes) {
      if (down) {
        Host().KeyDown(key);
      } else {
        Host().KeyUp(key);
      }
    }
    Pump();
    EXPECT_TRUE(SameSequence(c.expected, Taken(kKeys)));
  }
  EXPECT_EQ(static_cast<std::uint32_t>(alt_down_bits), 0x20380001u);  // context bit set
  EXPECT_EQ(static_cast<std::uint32_t>(alt_up_bits), 0xC0380001u);
}

TEST_F(Input, WithoutFocusKeysGoToTheActiveWindowAsSystemKeys) {
  HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  SetFocus(nullptr);
  ASSERT_EQ(GetActiveWindow(), w);
  log.Name(w, "W");
  log.Start();
  Host().KeyDown('B');
  Host().KeyUp('B');
  Pump();
  EXPECT_TRUE(SameSequence({"W WM_SYSKEYDOWN posted", "W 0x0106 posted", "W WM_SYSKEYUP posted"},
                           Taken(kKeys)));
}

TEST_F(Input, KeyStateFollowsTakenMessagesAsyncStateTheHost) {
  MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  Host().KeyDown(VK_SHIFT);
  MSG msg;
  ASSERT_FALSE(PeekMessageA(&msg, nullptr, WM_USER, WM_USER, PM_NOREMOVE));  // gathers the input
  EXPECT_LT(GetAsyncKeyState(VK_SHIFT), 0);
  EXPECT_GE(GetKeyState(VK_SHIFT), 0);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(GetKeyState(VK_SHIFT), static_cast<SHORT>(0xFF80));
  Host().KeyUp(VK_SHIFT);
  Pump();
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);

  const SHORT toggled = GetKeyState(VK_CAPITAL) & 1;
  Host().KeyDown(VK_CAPITAL);
  Host().KeyUp(VK_CAPITAL);
  Pump();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, toggled ^ 1);
  EXPECT_EQ(GetAsyncKeyState(VK_CAPITAL), toggled ^ 1);
  Host().KeyDown(VK_CAPITAL);
  Host().KeyUp(VK_CAPITAL);
  Pump();
  EXPECT_EQ(GetKeyState(VK_CAPITAL) & 1, toggled);

  Host().Click(10, 10, host::kRightButton);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_RBUTTONDOWN, WM_RBUTTONDOWN, PM_REMOVE));
  EXPECT_LT(GetKeyState(VK_RBUTTON), 0);
  Pump();
  EXPECT_GE(GetKeyState(VK_RBUTTON), 0);
}

TEST_F(Input, WheelGoesToTheFocusWindow) {
  HWND form = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 200, 100);
  HWND edit = MakeWindow(WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, form);
  SetFocus(edit);
  Host().MoveMouse(150, 80);  // over the form, not the edit
  Host().Wheel(-WHEEL_DELTA);
  MSG msg;
  do {
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  } while (msg.message == WM_MOUSEMOVE);
  EXPECT_EQ(msg.message, WM_MOUSEWHEEL);
  EXPECT_EQ(msg.hwnd, edit);
  EXPECT_EQ(GET_WHEEL_DELTA_WPARAM(msg.wParam), -WHEEL_DELTA);
  EXPECT_EQ(GET_X_LPARAM(msg.lParam), 150);  // screen coordinates
}

TEST_F(Input, FilteredOutInputStaysQueued) {
  HWND a = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  HWND b = MakeWindow(WS_POPUP | WS_VISIBLE, 200, 0, 100, 100);
  Pump();
  Host().MoveMouse(50, 50);  // over a
  Host().KeyDown('K');       // to b, the active window
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, WM_KEYDOWN);
  EXPECT_FALSE(PeekMessageA(&msg, b, 0, 0, PM_REMOVE));
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE));
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.hwnd, a);
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, a);
  EXPECT_EQ(msg.message, WM_MOUSEMOVE);
  Host().KeyUp('K');
}

TEST_F(Input, MovesWaitingTogetherMergeIntoTheLast) {
  MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  Pump();
  Host().MoveMouse(10, 10);
  Host().MoveMouse(20, 20);
  Host().MoveMouse(30, 30);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.pt.x, 30);
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Input, SetCursorPosMovesTheCursorAndTheMouse) {
  HWND w = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 100, 100);
  EXPECT_TRUE(SetCursorPos(40, 30));
  POINT at{};
  EXPECT_TRUE(GetCursorPos(&at));
  EXPECT_EQ(at.x, 40);
  EXPECT_EQ(at.y, 30);
  MSG msg;
  ASSERT_TRUE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.hwnd, w);
  EXPECT_EQ(msg.message, WM_MOUSEMOVE);
  EXPECT_EQ(msg.lParam, MAKELPARAM(40, 30));
  SetCursorPos(-5, 100000);  // kept on the screen
  GetCursorPos(&at);
  EXPECT_EQ(at.x, 0);
  EXPECT_EQ(at.y, host::HeadlessHost::kDefaultScreen.cy - 1);
}

}  // namespace
