// The single-line "EDIT" control driven as a person would: every change of
// its text gives EN_UPDATE then EN_CHANGE once, and keys that change nothing
// give nothing; the clipboard goes through the host; styles and looks.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>
#include <platform/codepage.h>
#include <platform/headless.h>

#include "platform/user/window_picture.h"
#include "tests/support/message_log.h"
#include "tests/support/test_window.h"

namespace {

constexpr int kEditId = 7;
constexpr RECT kEditRect{10, 10, 130, 31};  // in the parent's client area

host::HeadlessHost& Host() {
  return host::Headless();
}

void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

void Stroke(UINT key) {
  Host().KeyDown(key);
  Host().KeyUp(key);
  Pump();
}

// A key with a modifier (VK_SHIFT, VK_CONTROL) held, or two modifiers.
void Chord(std::vector<UINT> modifiers, UINT key) {
  for (UINT m : modifiers) Host().KeyDown(m);
  Host().KeyDown(key);
  Host().KeyUp(key);
  for (auto m = modifiers.rbegin(); m != modifiers.rend(); ++m) Host().KeyUp(*m);
  Pump();
}

void Type(std::string_view text) {
  Host().Type(text);
  Pump();
}

std::string CodeName(WORD code) {
  switch (code) {
    case EN_UPDATE:
      return "EN_UPDATE";
    case EN_CHANGE:
      return "EN_CHANGE";
    case EN_MAXTEXT:
      return "EN_MAXTEXT";
    case EN_SETFOCUS:
      return "EN_SETFOCUS";
    case EN_KILLFOCUS:
      return "EN_KILLFOCUS";
    default:
      return std::to_string(code);
  }
}

std::string TextOf(HWND window) {
  char buffer[256];
  GetWindowTextA(window, buffer, sizeof buffer);
  return buffer;
}

// The pixel's COLORREF in a surface's layout.
std::uint32_t Pixel(COLORREF c) {
  return static_cast<std::uint32_t>(GetRValue(c)) << 16 |
         static_cast<std::uint32_t>(GetGValue(c)) << 8 | GetBValue(c);
}

class Edit : public testing::Test {
 protected:
  Edit() {
    Host().Reset();
    parent_ = MakeWindow(WS_POPUP | WS_VISIBLE, 0, 0, 300, 200);
    TestHandlers()[WM_COMMAND] = [this](HWND, WPARAM wParam, LPARAM lParam) {
      if (LOWORD(wParam) == kEditId && reinterpret_cast<HWND>(lParam) == edit_) {
        seen_.push_back(CodeName(HIWORD(wParam)));
      }
      return LRESULT{0};
    };
    Pump();
  }
  ~Edit() override {
    ResetTestWindows();
    Pump();
  }

  HWND Make(DWORD style, const char* text = "", RECT at = kEditRect) {
    edit_ = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", text, WS_CHILD | WS_VISIBLE | style, at.left,
                            at.top, at.right - at.left, at.bottom - at.top, parent_,
                            reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
    return edit_;
  }
  // A focused edit with the text and the caret at its end.
  HWND MakeFocused(DWORD style, const char* text) {
    Make(style, text);
    SetFocus(edit_);
    SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    Stroke(VK_END);
    Pump();
    seen_.clear();
    return edit_;
  }
  std::vector<std::string> Seen() { return std::exchange(seen_, {}); }
  std::uint32_t Shown(int x, int y) { return user::WindowPicture(parent_)->At(x, y); }
  int CountShown(const RECT& area, std::uint32_t pixel) {
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) count += Shown(x, y) == pixel ? 1 : 0;
    }
    return count;
  }

  HWND parent_ = nullptr;
  HWND edit_ = nullptr;
  std::vector<std::string> seen_;
};

const Sequence kOneChange = {"EN_UPDATE", "EN_CHANGE"};
const Sequence kNothing = {};

struct ChangeCase {
  const char* name;
  const char* text;  // in the edit, caret at its end, when the action starts
  std::function<void(HWND)> action;
  std::string expected_text;
  Sequence expected;
};

TEST_F(Edit, EachChangeNotifiesOnceAndKeysThatChangeNothingNotifyNothing) {
  const std::string russian("Привет"_cp1251);
  const std::vector<ChangeCase> cases = {
      {"typing a character", "ab", [](HWND) { Type("c"); }, "abc", kOneChange},
      {"typing two", "", [](HWND) { Type("xy"); }, "xy", kOneChange + kOneChange},
      {"typing over a selection", "abc",
       [](HWND) {
         Chord({VK_SHIFT}, VK_LEFT);
         Chord({VK_SHIFT}, VK_LEFT);
         Type("Z");
       },
       "aZ", kOneChange},
      {"Backspace", "abc", [](HWND) { Stroke(VK_BACK); }, "ab", kOneChange},
      {"Backspace at the start", "abc",
       [](HWND) {
         Stroke(VK_HOME);
         Stroke(VK_BACK);
       },
       "abc", kNothing},
      {"Delete in the middle", "abc",
       [](HWND) {
         Stroke(VK_LEFT);
         Stroke(VK_LEFT);
         Stroke(VK_DELETE);
       },
       "ac", kOneChange},
      {"Delete at the end", "abc", [](HWND) { Stroke(VK_DELETE); }, "abc", kNothing},
      {"Delete of a selection made with Shift+Home", "abc",
       [](HWND) {
         Chord({VK_SHIFT}, VK_HOME);
         Stroke(VK_DELETE);
       },
       "", kOneChange},
      {"Ctrl+Shift+Left selects a word", "one two",
       [](HWND) {
         Chord({VK_CONTROL, VK_SHIFT}, VK_LEFT);
         Type("X");
       },
       "one X", kOneChange},
      {"Ctrl+Left and Ctrl+Right move by words", "one two three",
       [](HWND) {
         Chord({VK_CONTROL}, VK_LEFT);
         Chord({VK_CONTROL}, VK_LEFT);
         Chord({VK_CONTROL}, VK_RIGHT);
         Type("X");
       },
       "one two Xthree", kOneChange},
      {"arrows only move", "abc",
       [](HWND) {
         Stroke(VK_LEFT);
         Stroke(VK_HOME);
         Stroke(VK_END);
       },
       "abc", kNothing},
      {"Ctrl+V pastes the host's UTF-8 as code page 1251", "a",
       [](HWND) {
         Host().SetClipboard("Привет");
         Chord({VK_CONTROL}, 'V');
       },
       "a" + russian, kOneChange},
      {"Shift+Insert pastes the first line only", "",
       [](HWND) {
         Host().SetClipboard("one\r\ntwo");
         Chord({VK_SHIFT}, VK_INSERT);
       },
       "one", kOneChange},
      {"pasting an empty clipboard", "abc", [](HWND) { Chord({VK_CONTROL}, 'V'); }, "abc",
       kNothing},
      {"Ctrl+X cuts", "abc",
       [](HWND) {
         Chord({VK_SHIFT}, VK_LEFT);
         Chord({VK_CONTROL}, 'X');
       },
       "ab", kOneChange},
      {"Shift+Delete cuts", "abc",
       [](HWND) {
         Chord({VK_SHIFT}, VK_HOME);
         Chord({VK_SHIFT}, VK_DELETE);
       },
       "", kOneChange},
      {"Ctrl+C copies", "abc",
       [](HWND) {
         Chord({VK_SHIFT}, VK_HOME);
         Chord({VK_CONTROL}, 'C');
       },
       "abc", kNothing},
      {"Ctrl+Z undoes a run of typing at once", "ab",
       [](HWND) {
         Type("cd");
         Chord({VK_CONTROL}, 'Z');
       },
       "ab", kOneChange + kOneChange + kOneChange},
      {"a second Ctrl+Z redoes", "ab",
       [](HWND) {
         Stroke(VK_BACK);
         Chord({VK_CONTROL}, 'Z');
         Chord({VK_CONTROL}, 'Z');
       },
       "a", kOneChange + kOneChange + kOneChange},
      {"Alt+Backspace undoes", "ab",
       [](HWND) {
         Type("c");
         Chord({VK_MENU}, VK_BACK);
       },
       "ab", kOneChange + kOneChange},
      {"EM_REPLACESEL", "abc",
       [](HWND edit) { SendMessageA(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("de")); },
       "abcde", kOneChange},
      {"WM_SETTEXT with the same text", "abc", [](HWND edit) { SetWindowTextA(edit, "abc"); },
       "abc", kOneChange},
      {"typing past the limit",
       "abc",
       [](HWND edit) {
         SendMessageA(edit, EM_LIMITTEXT, 3, 0);
         Type("d");
       },
       "abc",
       {"EN_MAXTEXT"}},
      {"pasting past the limit keeps what fits",
       "abc",
       [](HWND edit) {
         SendMessageA(edit, EM_LIMITTEXT, 5, 0);
         Host().SetClipboard("defg");
         Chord({VK_CONTROL}, 'V');
       },
       "abcde",
       {"EN_MAXTEXT", "EN_UPDATE", "EN_CHANGE"}},
  };
  for (const ChangeCase& c : cases) {
    SCOPED_TRACE(c.name);
    MakeFocused(ES_AUTOHSCROLL, c.text);
    c.action(edit_);
    EXPECT_EQ(TextOf(edit_), c.expected_text);
    EXPECT_EQ(Seen(), c.expected);
    DestroyWindow(edit_);
    Host().Reset();
  }
}

TEST_F(Edit, TheClipboardGetsTheSelectionAsUtf8) {
  MakeFocused(ES_AUTOHSCROLL, std::string("Привет мир"_cp1251).c_str());
  Chord({VK_CONTROL, VK_SHIFT}, VK_LEFT);
  Chord({VK_CONTROL}, 'C');
  EXPECT_EQ(Host().Clipboard(), "мир");
  Chord({VK_CONTROL}, VK_HOME);
  Chord({VK_SHIFT}, VK_END);
  Chord({VK_CONTROL}, VK_INSERT);
  EXPECT_EQ(Host().Clipboard(), "Привет мир");
}

TEST_F(Edit, RefusalsBeep) {
  struct Case {
    const char* name;
    DWORD style;
    std::function<void()> action;
    int beeps;
    Sequence expected;
  };
  const std::vector<Case> cases = {
      {"typing past the limit",
       ES_AUTOHSCROLL,
       [this] {
         SendMessageA(edit_, EM_LIMITTEXT, 3, 0);
         Type("d");
       },
       1,
       {"EN_MAXTEXT"}},
      {"typing in a read-only edit", ES_READONLY, [] { Type("d"); }, 1, kNothing},
      {"Backspace in a read-only edit", ES_READONLY, [] { Stroke(VK_BACK); }, 1, kNothing},
      {"a letter in a number edit", ES_NUMBER, [] { Type("x"); }, 1, kNothing},
      {"Backspace at the start", 0,
       [] {
         Stroke(VK_HOME);
         Stroke(VK_BACK);
       },
       0, kNothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MakeFocused(c.style, "abc");
    c.action();
    EXPECT_EQ(TextOf(edit_), "abc");
    EXPECT_EQ(Seen(), c.expected);
    EXPECT_EQ(Host().Beeps().count, c.beeps);
    DestroyWindow(edit_);
    Host().Reset();
  }
}

TEST_F(Edit, CaseStylesConvertWhatComesIn) {
  struct Case {
    DWORD style;
    std::string typed;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {ES_UPPERCASE, std::string("abЖж"_cp1251), std::string("ABЖЖ"_cp1251)},
      {ES_LOWERCASE, std::string("ABЁё"_cp1251), std::string("abёё"_cp1251)},
      {0, "aB", "aB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.expected);
    MakeFocused(c.style | ES_AUTOHSCROLL, "");
    Type(c.typed);
    EXPECT_EQ(TextOf(edit_), c.expected);
    DestroyWindow(edit_);
  }
}

TEST_F(Edit, SelectionModifiedFlagAndLimitFollowTheDesktopsRules) {
  MakeFocused(ES_AUTOHSCROLL, "hello world");
  SendMessageA(edit_, EM_SETSEL, 0, -1);  // -1: to the end
  EXPECT_EQ(SendMessageA(edit_, EM_GETSEL, 0, 0), MAKELPARAM(0, 11));
  SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(-1), 0);  // -1 first: none
  EXPECT_EQ(SendMessageA(edit_, EM_GETSEL, 0, 0), MAKELPARAM(11, 11));

  EXPECT_FALSE(SendMessageA(edit_, EM_GETMODIFY, 0, 0));
  Type("x");
  EXPECT_TRUE(SendMessageA(edit_, EM_GETMODIFY, 0, 0));
  SetWindowTextA(edit_, "new");  // the program's text is not the user's change
  EXPECT_FALSE(SendMessageA(edit_, EM_GETMODIFY, 0, 0));
  EXPECT_FALSE(SendMessageA(edit_, EM_CANUNDO, 0, 0));

  EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), 32767);
  SendMessageA(edit_, EM_LIMITTEXT, 2, 0);
  SetWindowTextA(edit_, "longer");  // the limit is the user's only
  EXPECT_EQ(TextOf(edit_), "longer");
  SendMessageA(edit_, EM_LIMITTEXT, 0, 0);
  EXPECT_EQ(SendMessageA(edit_, EM_GETLIMITTEXT, 0, 0), 0x7FFFFFFE);
}

TEST_F(Edit, MouseSelects) {
  MakeFocused(ES_AUTOHSCROLL, "one two");
  POINT origin{0, 0};
  ClientToScreen(edit_, &origin);
  const int y = origin.y + 5;
  // A press before the text and a drag past its end select it all.
  Host().MoveMouse(origin.x, y);
  Host().Press();
  Host().MoveMouse(origin.x + 110, y);
  Host().Release();
  Pump();
  EXPECT_EQ(SendMessageA(edit_, EM_GETSEL, 0, 0), MAKELPARAM(0, 7));
  // A double click on the first word selects it with the blank after it.
  Host().AdvanceClock(1000);
  Host().Click(origin.x + 3, y);
  Host().Click(origin.x + 3, y);
  Pump();
  EXPECT_EQ(SendMessageA(edit_, EM_GETSEL, 0, 0), MAKELPARAM(0, 4));
  EXPECT_EQ(Seen(), kNothing);
}

TEST_F(Edit, TheCaretShowsOnlyWhileFocusedAndStaysInView) {
  Make(ES_AUTOHSCROLL, "abc");
  POINT at{};
  EXPECT_FALSE(GetCaretPos(&at));
  SetFocus(edit_);
  EXPECT_TRUE(GetCaretPos(&at));
  EXPECT_EQ(Seen(), std::vector<std::string>{"EN_SETFOCUS"});
  RECT client;
  GetClientRect(edit_, &client);
  Type(std::string(60, 'w'));
  ASSERT_TRUE(GetCaretPos(&at));
  EXPECT_GT(at.x, client.right / 2);
  EXPECT_LT(at.x, client.right);
  Stroke(VK_HOME);
  GetCaretPos(&at);
  EXPECT_EQ(at.x, 1);  // a pixel from the frame
  SetFocus(parent_);
  EXPECT_FALSE(GetCaretPos(&at));
  EXPECT_EQ(Seen().back(), "EN_KILLFOCUS");
}

TEST_F(Edit, ShortTextLiesWhereTheAlignmentSays) {
  struct Case {
    DWORD style;
    int from;  // where the first character starts, as a share of the width
    int to;
  };
  for (const Case& c : {Case{ES_LEFT, 0, 10}, Case{ES_CENTER, 30, 50}, Case{ES_RIGHT, 75, 100}}) {
    SCOPED_TRACE(c.style);
    MakeFocused(c.style, "abc");
    Stroke(VK_HOME);
    RECT client;
    GetClientRect(edit_, &client);
    POINT at{};
    GetCaretPos(&at);
    EXPECT_GE(at.x * 100, client.right * c.from);
    EXPECT_LE(at.x * 100, client.right * c.to);
    DestroyWindow(edit_);
  }
}

TEST_F(Edit, WithoutAutoScrollTheTextStopsAtTheEdge) {
  MakeFocused(0, "");
  Type(std::string(60, 'w'));
  const auto length = TextOf(edit_).size();
  EXPECT_LT(length, 60u);
  EXPECT_GT(length, 5u);
  EXPECT_GT(Host().Beeps().count, 0);
}

TEST_F(Edit, APasswordEditShowsItsCharacterAndGivesNothingToTheClipboard) {
  Make(ES_PASSWORD, "abc");
  HWND password = edit_;
  Make(0, "***", {150, 10, 270, 31});
  UpdateWindow(parent_);
  for (int y = 12; y < 29; ++y) {
    for (int x = 12; x < 128; ++x) ASSERT_EQ(Shown(x, y), Shown(x + 140, y)) << x << "," << y;
  }
  EXPECT_EQ(SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0), '*');
  SendMessageA(password, EM_SETSEL, 0, -1);
  SendMessageA(password, WM_COPY, 0, 0);
  EXPECT_EQ(Host().Clipboard(), std::nullopt);
}

TEST_F(Edit, TheSelectionHidesWithoutFocusUnlessNoHideSel) {
  const std::uint32_t highlight = Pixel(GetSysColor(COLOR_HIGHLIGHT));
  const RECT area{12, 12, 128, 29};
  for (DWORD style : {DWORD{0}, ES_NOHIDESEL}) {
    SCOPED_TRACE(style);
    MakeFocused(style, "selected");
    SendMessageA(edit_, EM_SETSEL, 0, -1);
    UpdateWindow(parent_);
    EXPECT_GT(CountShown(area, highlight), 0);
    SetFocus(parent_);
    UpdateWindow(parent_);
    EXPECT_EQ(CountShown(area, highlight) > 0, style == ES_NOHIDESEL);
    DestroyWindow(edit_);
  }
}

TEST_F(Edit, ReadOnlyAndDisabledEditsAskForStaticColours) {
  std::vector<UINT> asked;
  for (UINT message : {WM_CTLCOLOREDIT, WM_CTLCOLORSTATIC}) {
    TestHandlers()[message] = [&asked, message](HWND window, WPARAM dc, LPARAM control) {
      asked.push_back(message);
      return DefWindowProcA(window, message, dc, control);
    };
  }
  struct Case {
    DWORD style;
    bool enabled;
    UINT expected;
  };
  for (const Case& c : {Case{0, true, WM_CTLCOLOREDIT}, Case{ES_READONLY, true, WM_CTLCOLORSTATIC},
                        Case{0, false, WM_CTLCOLORSTATIC}}) {
    Make(c.style, "text");
    EnableWindow(edit_, c.enabled);
    asked.clear();
    UpdateWindow(parent_);
    EXPECT_EQ(asked, std::vector<UINT>{c.expected});
    DestroyWindow(edit_);
  }
}

WNDPROC g_edit_proc = nullptr;
int g_chars_seen = 0;

LRESULT CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_CHAR) ++g_chars_seen;
  return CallWindowProcA(g_edit_proc, window, message, wParam, lParam);
}

TEST_F(Edit, SubclassesAndCopiedClassesStillWork) {
  WNDCLASSA system{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &system));
  WNDCLASSA copy = system;
  copy.style &= ~CS_GLOBALCLASS;
  copy.lpszClassName = "CopiedEdit";
  ASSERT_NE(RegisterClassA(&copy), 0);
  edit_ = CreateWindowExA(0, "CopiedEdit", "ab", WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, 10, 10,
                          100, 20, parent_, reinterpret_cast<HMENU>(kEditId), nullptr, nullptr);
  ASSERT_NE(edit_, nullptr);
  g_edit_proc = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrA(edit_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
  g_chars_seen = 0;
  SetFocus(edit_);
  Stroke(VK_END);
  Seen();
  Type("c");
  EXPECT_EQ(TextOf(edit_), "abc");
  EXPECT_EQ(g_chars_seen, 1);
  EXPECT_EQ(Seen(), kOneChange);
  DestroyWindow(edit_);
  UnregisterClassA("CopiedEdit", nullptr);
}

}  // namespace
