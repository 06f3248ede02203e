// The single-line "EDIT" control driven as a person would: every change of
// its text gives EN_UPDATE then EN_CHANGE once, and keys that change nothing
// give nothing; refusals beep; the clipboard goes through the host; styles
// and looks.
#include <map>
#include <string>
#include <utility>
#include <vector>

#include <platform/codepage.h>

#include "controls_fixture.h"
#include "tests/support/message_log.h"

namespace {

// Plays keys as a person would: plain text is typed, and a brace holds one
// stroke with the keys held for it, as "{Back}", "{Shift+Left}" or
// "{Ctrl+Shift+Left}".
void Keys(std::string_view script) {
  static const std::map<std::string_view, UINT> kNamed = {
      {"Shift", VK_SHIFT}, {"Ctrl", VK_CONTROL}, {"Alt", VK_MENU}, {"Left", VK_LEFT},
      {"Right", VK_RIGHT}, {"Home", VK_HOME},    {"End", VK_END},  {"Back", VK_BACK},
      {"Del", VK_DELETE},  {"Ins", VK_INSERT}};
  while (!script.empty()) {
    const std::size_t open = std::min(script.find('{'), script.size());
    if (open > 0) host::Headless().Type(script.substr(0, open));
    if (open == script.size()) break;
    const std::size_t close = script.find('}', open);
    std::vector<UINT> keys;
    for (std::size_t at = open + 1; at < close;) {
      const std::size_t end = std::min(script.find('+', at), close);
      const std::string_view name = script.substr(at, end - at);
      keys.push_back(name.size() == 1 ? static_cast<UINT>(name[0]) : kNamed.at(name));
      at = end + 1;
    }
    for (UINT key : keys) host::Headless().KeyDown(key);
    for (auto key = keys.rbegin(); key != keys.rend(); ++key) host::Headless().KeyUp(*key);
    Pump();
    script.remove_prefix(close + 1);
  }
  Pump();
}

std::string CodeName(WORD code) {
  static const std::map<WORD, std::string> kNames = {{EN_UPDATE, "EN_UPDATE"},
                                                     {EN_CHANGE, "EN_CHANGE"},
                                                     {EN_MAXTEXT, "EN_MAXTEXT"},
                                                     {EN_SETFOCUS, "EN_SETFOCUS"},
                                                     {EN_KILLFOCUS, "EN_KILLFOCUS"}};
  const auto found = kNames.find(code);
  return found != kNames.end() ? found->second : std::to_string(code);
}

// The notifications of `n` changes.
Sequence Changes(int n) {
  Sequence changes;
  for (int i = 0; i < n; ++i) changes = changes + Sequence{"EN_UPDATE", "EN_CHANGE"};
  return changes;
}

class Edit : public ControlTest {
 protected:
  Edit() {
    TestHandlers()[WM_COMMAND] = [this](HWND, WPARAM wParam, LPARAM lParam) {
      if (LOWORD(wParam) == kId && reinterpret_cast<HWND>(lParam) == edit_) {
        seen_.push_back(CodeName(HIWORD(wParam)));
      }
      return LRESULT{0};
    };
  }

  // At (10, 10) in the parent, 120 x 21, unless put elsewhere.
  HWND MakeEdit(DWORD style, const char* text = "", int x = 10) {
    return edit_ = Make("EDIT", style, x, 10, 120, 21, text, WS_EX_CLIENTEDGE);
  }
  // A focused edit with the text and the caret at its end.
  HWND MakeFocused(DWORD style, const std::string& text) {
    MakeEdit(style, text.c_str());
    SetFocus(edit_);
    SendMessageA(edit_, EM_SETSEL, static_cast<WPARAM>(-1), 0);
    Keys("{End}");
    seen_.clear();
    return edit_;
  }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return SendMessageA(edit_, message, wParam, lParam);
  }
  std::vector<std::string> Seen() { return std::exchange(seen_, {}); }

  HWND edit_ = nullptr;
  std::vector<std::string> seen_;
};

TEST_F(Edit, EachChangeNotifiesOnceKeysThatChangeNothingNotifyNothingAndRefusalsBeep) {
  const struct {
    const char* name;
    DWORD style;
    std::string text;       // in the edit, caret at its end, when the keys start
    const char* clipboard;  // the host's, when not null
    int limit;              // EM_LIMITTEXT, when not 0
    std::string keys;       // as Keys() plays them
    std::string expected_text;
    Sequence expected;
    int beeps;
  } cases[] = {
      {"typing two", 0, "", nullptr, 0, "xy", "xy", Changes(2), 0},
      {"typing over a selection", 0, "abc", nullptr, 0, "{Shift+Left}{Shift+Left}Z", "aZ",
       Changes(1), 0},
      {"Delete in the middle", 0, "abc", nullptr, 0, "{Left}{Left}{Del}", "ac", Changes(1), 0},
      {"Delete at the end", 0, "abc", nullptr, 0, "{Del}", "abc", {}, 0},
      {"Delete of a selection made with Shift+Home", 0, "abc", nullptr, 0, "{Shift+Home}{Del}", "",
       Changes(1), 0},
      {"Ctrl+Shift+Left selects a word", 0, "one two", nullptr, 0, "{Ctrl+Shift+Left}X", "one X",
       Changes(1), 0},
      {"Ctrl+Left and Ctrl+Right move by words", 0, "one two three", nullptr, 0,
       "{Ctrl+Left}{Ctrl+Left}{Ctrl+Right}X", "one two Xthree", Changes(1), 0},
      {"arrows only move", 0, "abc", nullptr, 0, "{Left}{Home}{End}", "abc", {}, 0},
      {"Ctrl+V pastes the host's UTF-8 as code page 1251", 0, "a", "Привет", 0, "{Ctrl+V}",
       "a" + std::string("Привет"_cp1251), Changes(1), 0},
      {"Shift+Insert pastes the first line only", 0, "", "one\r\ntwo", 0, "{Shift+Ins}", "one",
       Changes(1), 0},
      {"pasting an empty clipboard", 0, "abc", nullptr, 0, "{Ctrl+V}", "abc", {}, 0},
      {"Ctrl+X cuts", 0, "abc", nullptr, 0, "{Shift+Left}{Ctrl+X}", "ab", Changes(1), 0},
      {"Shift+Delete cuts", 0, "abc", nullptr, 0, "{Shift+Home}{Shift+Del}", "", Changes(1), 0},
      {"Ctrl+C copies", 0, "abc", nullptr, 0, "{Shift+Home}{Ctrl+C}", "abc", {}, 0},
      {"Ctrl+Z undoes a run of typing at once", 0, "ab", nullptr, 0, "cd{Ctrl+Z}", "ab", Changes(3),
       0},
      {"a second Ctrl+Z redoes", 0, "ab", nullptr, 0, "{Back}{Ctrl+Z}{Ctrl+Z}", "a", Changes(3), 0},
      {"Alt+Backspace undoes", 0, "ab", nullptr, 0, "c{Alt+Back}", "ab", Changes(2), 0},
      {"typing past the limit", 0, "abc", nullptr, 3, "d", "abc", {"EN_MAXTEXT"}, 1},
      {"pasting past the limit keeps what fits", 0, "abc", "defg", 5, "{Ctrl+V}", "abcde",
       Sequence{"EN_MAXTEXT"} + Changes(1), 0},
      {"typing in a read-only edit", ES_READONLY, "abc", nullptr, 0, "d", "abc", {}, 1},
      {"Backspace in a read-only edit", ES_READONLY, "abc", nullptr, 0, "{Back}", "abc", {}, 1},
      {"a letter in a number edit", ES_NUMBER, "abc", nullptr, 0, "x", "abc", {}, 1},
      {"upper case", ES_UPPERCASE, "", nullptr, 0, std::string("abЖж"_cp1251),
       std::string("ABЖЖ"_cp1251), Changes(4), 0},
      {"lower case", ES_LOWERCASE, "", nullptr, 0, std::string("ABЁё"_cp1251),
       std::string("abёё"_cp1251), Changes(4), 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    MakeFocused(c.style | ES_AUTOHSCROLL, c.text);
    if (c.clipboard != nullptr) host::Headless().SetClipboard(c.clipboard);
    if (c.limit != 0) Send(EM_LIMITTEXT, static_cast<WPARAM>(c.limit));
    Keys(c.keys);
    EXPECT_EQ(TextOf(edit_), c.expected_text);
    EXPECT_EQ(Seen(), c.expected);
    EXPECT_EQ(host::Headless().Beeps().count, c.beeps);
    DestroyWindow(edit_);
    host::Headless().Reset();
  }
}

TEST_F(Edit, TheClipboardGetsTheSelectionAsUtf8) {
  MakeFocused(ES_AUTOHSCROLL, std::string("Привет мир"_cp1251));
  Keys("{Ctrl+Shift+Left}{Ctrl+C}");
  EXPECT_EQ(host::Headless().Clipboard(), "мир");
  Keys("{Ctrl+Home}{Shift+End}{Ctrl+Ins}");
  EXPECT_EQ(host::Headless().Clipboard(), "Привет мир");
}

TEST_F(Edit, MouseSelects) {
  MakeFocused(ES_AUTOHSCROLL, "one two");
  POINT origin{0, 0};
  ClientToScreen(edit_, &origin);
  const int y = origin.y + 5;
  // A press before the text and a drag past its end select it all.
  host::Headless().MoveMouse(origin.x, y);
  host::Headless().Press();
  host::Headless().MoveMouse(origin.x + 110, y);
  host::Headless().Release();
  Pump();
  EXPECT_EQ(Send(EM_GETSEL), MAKELPARAM(0, 7));
  // A double click on the first word selects it with the blank after it.
  host::Headless().AdvanceClock(1000);
  host::Headless().Click(origin.x + 3, y);
  host::Headless().Click(origin.x + 3, y);
  Pump();
  EXPECT_EQ(Send(EM_GETSEL), MAKELPARAM(0, 4));
  EXPECT_EQ(Seen(), Sequence{});
}

TEST_F(Edit, TheCaretShowsOnlyWhileFocusedAndStaysInViewWhileTheTextScrolls) {
  MakeEdit(ES_AUTOHSCROLL, "abc");
  POINT at{};
  EXPECT_FALSE(GetCaretPos(&at));
  SetFocus(edit_);
  EXPECT_TRUE(GetCaretPos(&at));
  EXPECT_EQ(Seen(), Sequence{"EN_SETFOCUS"});
  RECT client;
  GetClientRect(edit_, &client);
  Keys(std::string(60, 'w'));
  ASSERT_TRUE(GetCaretPos(&at));
  EXPECT_GT(at.x, client.right / 2);
  EXPECT_LT(at.x, client.right);
  Keys("{Home}");
  GetCaretPos(&at);
  EXPECT_EQ(at.x, 1);  // a pixel from the frame
  SetFocus(parent_);
  EXPECT_FALSE(GetCaretPos(&at));
  EXPECT_EQ(Seen().back(), "EN_KILLFOCUS");
  EXPECT_EQ(host::Headless().Beeps().count, 0);

  DestroyWindow(edit_);  // without ES_AUTOHSCROLL the text stops at the edge
  MakeFocused(0, "");
  Keys(std::string(60, 'w'));
  EXPECT_LT(TextOf(edit_).size(), 60u);
  EXPECT_GT(TextOf(edit_).size(), 5u);
  EXPECT_GT(host::Headless().Beeps().count, 0);
}

TEST_F(Edit, ShortTextLiesWhereTheAlignmentSays) {
  const struct {
    DWORD style;
    int from, to;  // where the first character starts, as a share of the width
  } cases[] = {{ES_LEFT, 0, 10}, {ES_CENTER, 30, 50}, {ES_RIGHT, 75, 100}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.style);
    MakeFocused(c.style, "abc");
    Keys("{Home}");
    RECT client;
    GetClientRect(edit_, &client);
    POINT at{};
    GetCaretPos(&at);
    EXPECT_GE(at.x * 100, client.right * c.from);
    EXPECT_LE(at.x * 100, client.right * c.to);
    DestroyWindow(edit_);
  }
}

TEST_F(Edit, APasswordEditShowsItsCharacterAndGivesNothingToTheClipboard) {
  HWND password = MakeEdit(ES_PASSWORD, "abc");
  MakeEdit(0, "***", 150);
  UpdateWindow(parent_);
  for (int y = 12; y < 29; ++y) {
    for (int x = 12; x < 128; ++x) ASSERT_EQ(Shown(x, y), Shown(x + 140, y)) << x << "," << y;
  }
  EXPECT_EQ(SendMessageA(password, EM_GETPASSWORDCHAR, 0, 0), '*');
  SendMessageA(password, EM_SETSEL, 0, -1);
  SendMessageA(password, WM_COPY, 0, 0);
  EXPECT_EQ(host::Headless().Clipboard(), std::nullopt);
}

TEST_F(Edit, TheSelectionHidesWithoutFocusUnlessNoHideSel) {
  const COLORREF highlight = GetSysColor(COLOR_HIGHLIGHT);
  const RECT area{12, 12, 128, 29};
  for (DWORD style : {DWORD{0}, ES_NOHIDESEL}) {
    SCOPED_TRACE(style);
    MakeFocused(style, "selected");
    Send(EM_SETSEL, 0, -1);
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
  const struct {
    DWORD style;
    bool enabled;
    UINT expected;
  } cases[] = {{0, true, WM_CTLCOLOREDIT},
               {ES_READONLY, true, WM_CTLCOLORSTATIC},
               {0, false, WM_CTLCOLORSTATIC}};
  for (const auto& c : cases) {
    MakeEdit(c.style, "text");
    EnableWindow(edit_, c.enabled);
    asked.clear();
    UpdateWindow(parent_);
    EXPECT_EQ(asked, std::vector<UINT>{c.expected});
    DestroyWindow(edit_);
  }
}

TEST_F(Edit, SubclassesAndCopiedClassesStillWork) {
  WNDCLASSA copy{};
  ASSERT_TRUE(GetClassInfoA(nullptr, "EDIT", &copy));
  copy.style &= ~CS_GLOBALCLASS;
  copy.lpszClassName = "CopiedEdit";
  ASSERT_NE(RegisterClassA(&copy), 0);
  edit_ = Make("CopiedEdit", ES_AUTOHSCROLL, 10, 10, 100, 20, "ab");
  ASSERT_NE(edit_, nullptr);
  const int& chars = CountThroughSubclass(edit_, WM_CHAR);
  SetFocus(edit_);
  Keys("{End}");
  Seen();
  Keys("c");
  EXPECT_EQ(TextOf(edit_), "abc");
  EXPECT_EQ(chars, 1);
  EXPECT_EQ(Seen(), Changes(1));
  DestroyWindow(edit_);
  UnregisterClassA("CopiedEdit", nullptr);
}

}  // namespace
