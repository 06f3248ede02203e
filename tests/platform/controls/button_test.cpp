// The "BUTTON" class driven as a person would: clicks and the space bar give
// one BN_CLICKED each, a press released outside none; the automatic boxes
// move their own mark and the others never do; the parent is asked for the
// colours.
#include <filesystem>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>
#include <platform/api.h>
#include <platform/headless.h>
#include <platform/picture.h>

#include "tests/support/test_window.h"

namespace {

host::HeadlessHost& Host() {
  return host::Headless();
}

constexpr int kId = 42;

class Button : public testing::Test {
 protected:
  Button() {
    Host().Reset();
    form = MakeWindow(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    TestHandlers()[WM_COMMAND] = [this](HWND window, WPARAM wParam, LPARAM lParam) {
      if (window == form) commands.emplace_back(LOWORD(wParam), HIWORD(wParam), lParam);
      return LRESULT{0};
    };
    DrainMessages();
  }
  ~Button() override {
    ResetTestWindows();
    DrainMessages();
  }

  // A button at (10, 10) in the form, 80 x 24, so its screen rectangle starts
  // at (110, 110).
  HWND Make(DWORD style, const char* text = "Go") {
    HWND b = CreateWindowExA(0, "BUTTON", text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, 10, 10,
                             80, 24, form, reinterpret_cast<HMENU>(kId), nullptr, nullptr);
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

  HWND form;
  std::vector<std::tuple<WORD, WORD, LPARAM>> commands;
};

TEST_F(Button, APressCountsOnlyWhenReleasedInside) {
  const struct {
    const char* name;
    std::vector<POINT> moves;  // while held, from the press at (130, 120)
    bool pushed_at_release;
    int clicks;
  } cases[] = {
      {"still", {}, true, 1},
      {"out", {{300, 300}}, false, 0},
      {"out and back", {{300, 300}, {140, 115}}, true, 1},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(t.name);
    HWND b = Make(BS_PUSHBUTTON);
    Host().MoveMouse(130, 120);
    Host().Press();
    DrainMessages();
    EXPECT_TRUE(Pushed(b));
    EXPECT_EQ(GetFocus(), b);
    for (POINT p : t.moves) Host().MoveMouse(p.x, p.y);
    DrainMessages();
    EXPECT_EQ(Pushed(b), t.pushed_at_release);
    Host().Release();
    DrainMessages();
    EXPECT_FALSE(Pushed(b));
    EXPECT_EQ(Clicks(b), t.clicks);
    EXPECT_EQ(commands.size(), static_cast<std::size_t>(t.clicks)) << "nothing but BN_CLICKED";
    EXPECT_EQ(GetCapture(), nullptr);
    DestroyWindow(b);
  }
}

// The space bar and BM_CLICK click once each; losing the focus while the
// space bar is held cancels the press; a disabled button takes no click.
TEST_F(Button, TheSpaceBarAndBmClickClickOnce) {
  HWND b = Make(BS_DEFPUSHBUTTON);
  SetFocus(b);
  Host().KeyDown(VK_SPACE);
  DrainMessages();
  EXPECT_TRUE(Pushed(b));
  EXPECT_EQ(Clicks(b), 0);
  Host().KeyUp(VK_SPACE);
  DrainMessages();
  EXPECT_FALSE(Pushed(b));
  EXPECT_EQ(Clicks(b), 1);
  SendMessageA(b, BM_CLICK, 0, 0);
  EXPECT_EQ(Clicks(b), 2);
  EXPECT_EQ(GetCapture(), nullptr);

  HWND other = Make(BS_PUSHBUTTON);
  SetFocus(b);
  Host().KeyDown(VK_SPACE);
  DrainMessages();
  SetFocus(other);
  Host().KeyUp(VK_SPACE);
  DrainMessages();
  EXPECT_FALSE(Pushed(b));
  EXPECT_EQ(Clicks(b), 0);
  DestroyWindow(b);
  DestroyWindow(other);

  b = Make(BS_PUSHBUTTON | WS_DISABLED);
  Host().Click(130, 120);
  Host().Type(" ");
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
    HWND b = Make(t.style);
    Host().Click(130, 120);
    Host().Click(130, 120);
    DrainMessages();
    std::vector<WORD> codes;
    for (const auto& c : commands) codes.push_back(std::get<1>(c));
    EXPECT_EQ(codes, t.codes) << t.style;
    DestroyWindow(b);
  }
}

// BM_SETCHECK keeps to what the style can show and notifies nothing; a
// click moves the mark of the automatic styles only.
TEST_F(Button, OnlyTheAutomaticStylesMoveTheirOwnMark) {
  const struct {
    DWORD style;
    WPARAM set;
    WPARAM got;
    std::vector<WPARAM> after_each_click;
  } cases[] = {
      {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED, {BST_UNCHECKED}},
      {BS_CHECKBOX, BST_UNCHECKED, BST_UNCHECKED, {BST_UNCHECKED, BST_UNCHECKED}},
      {BS_CHECKBOX, BST_CHECKED, BST_CHECKED, {BST_CHECKED}},
      {BS_CHECKBOX, BST_INDETERMINATE, BST_CHECKED, {BST_CHECKED}},
      {BS_3STATE, BST_UNCHECKED, BST_UNCHECKED, {BST_UNCHECKED, BST_UNCHECKED}},
      {BS_3STATE, BST_INDETERMINATE, BST_INDETERMINATE, {BST_INDETERMINATE}},
      {BS_AUTOCHECKBOX, BST_UNCHECKED, BST_UNCHECKED, {BST_CHECKED, BST_UNCHECKED}},
      {BS_AUTO3STATE,
       BST_UNCHECKED,
       BST_UNCHECKED,
       {BST_CHECKED, BST_INDETERMINATE, BST_UNCHECKED}},
      {BS_AUTO3STATE, BST_CHECKED, BST_CHECKED, {BST_INDETERMINATE}},
  };
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::Message() << "style " << t.style << " set " << t.set);
    HWND b = Make(t.style | BS_LEFTTEXT);
    SendMessageA(b, BM_SETCHECK, t.set, 0);
    EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), static_cast<LRESULT>(t.got));
    EXPECT_TRUE(commands.empty()) << "setting by program notifies nothing";
    int expected_clicks = 0;
    for (WPARAM expected : t.after_each_click) {
      Host().Click(130, 120);
      DrainMessages();
      EXPECT_EQ(SendMessageA(b, BM_GETCHECK, 0, 0), static_cast<LRESULT>(expected));
      EXPECT_EQ(Clicks(b), ++expected_clicks);
    }
    Host().Type(" ");
    DrainMessages();
    EXPECT_EQ(Clicks(b), ++expected_clicks) << "the space bar clicks too";
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
  HWND push = Make(BS_PUSHBUTTON);
  HWND box = Make(BS_AUTOCHECKBOX, "");
  MoveWindow(box, 10, 60, 80, 24, TRUE);
  asked.clear();
  UpdateWindow(form);
  EXPECT_EQ(asked, (std::vector<UINT>{WM_CTLCOLORBTN, WM_CTLCOLORSTATIC}));
  HDC dc = GetDC(box);
  EXPECT_EQ(GetPixel(dc, 79, 0), RGB(255, 0, 0));
  ReleaseDC(box, dc);
  dc = GetDC(push);
  EXPECT_NE(GetPixel(dc, 40, 2), RGB(255, 0, 0)) << "a push button keeps its face";
  ReleaseDC(push, dc);
  DestroyWindow(push);
  DestroyWindow(box);
  DeleteObject(red);
}

TEST_F(Button, ASubclassedButtonStillClicks) {
  HWND b = Make(BS_PUSHBUTTON);
  static WNDPROC original;
  static int seen;
  seen = 0;
  original = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(b, GWLP_WNDPROC));
  SetWindowLongPtrA(b, GWLP_WNDPROC,
                    reinterpret_cast<LONG_PTR>(+[](HWND w, UINT m, WPARAM wp, LPARAM lp) {
                      if (m == WM_LBUTTONUP) ++seen;
                      return CallWindowProcA(original, w, m, wp, lp);
                    }));
  Host().Click(130, 120);
  DrainMessages();
  EXPECT_EQ(seen, 1);
  EXPECT_EQ(Clicks(b), 1);
}

// Each look of a button in one picture; look at it. The last box is
// focused, and the default button keeps its focus frame for the picture.
TEST_F(Button, EveryLookSavedAsAPicture) {
  TestHandlers()[WM_ERASEBKGND] = [](HWND window, WPARAM dc, LPARAM) {
    RECT r;
    GetClientRect(window, &r);
    return LRESULT{FillRect(reinterpret_cast<HDC>(dc), &r, GetSysColorBrush(COLOR_BTNFACE))};
  };
  MoveWindow(form, 100, 100, 360, 110, TRUE);
  const struct {
    DWORD style;
    const char* text;
    int x, y;
    WPARAM check;
    bool pushed;
  } looks[] = {
      {BS_PUSHBUTTON, "Push", 10, 10, 0, false},
      {BS_DEFPUSHBUTTON, "Default", 95, 10, 0, false},
      {BS_PUSHBUTTON, "Pressed", 180, 10, 0, true},
      {BS_PUSHBUTTON | WS_DISABLED, "Disabled", 265, 10, 0, false},
      {BS_AUTOCHECKBOX, "Unchecked", 10, 50, BST_UNCHECKED, false},
      {BS_AUTOCHECKBOX, "Checked", 95, 50, BST_CHECKED, false},
      {BS_3STATE, "Grey", 180, 50, BST_INDETERMINATE, false},
      {BS_AUTOCHECKBOX | WS_DISABLED, "Disabled", 265, 50, BST_CHECKED, false},
      {BS_AUTOCHECKBOX | BS_LEFTTEXT, "Text left", 10, 80, BST_CHECKED, false},
      {BS_3STATE | WS_DISABLED, "Grey, off", 95, 80, BST_INDETERMINATE, false},
      {BS_AUTOCHECKBOX, "&Pressed", 180, 80, BST_UNCHECKED, true},
      {BS_AUTOCHECKBOX, "Focused", 265, 80, BST_UNCHECKED, false},
  };
  HWND default_button = nullptr, b = nullptr;
  for (const auto& l : looks) {
    b = CreateWindowExA(0, "BUTTON", l.text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | l.style, l.x, l.y,
                        80, (l.style & BS_TYPEMASK) <= BS_DEFPUSHBUTTON ? 25 : 17, form, nullptr,
                        nullptr, nullptr);
    SendMessageA(b, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SendMessageA(b, BM_SETCHECK, l.check, 0);
    SendMessageA(b, BM_SETSTATE, l.pushed, 0);
    if ((l.style & BS_TYPEMASK) == BS_DEFPUSHBUTTON) default_button = b;
  }
  SetFocus(default_button);
  DrainMessages();
  SetFocus(b);
  SendMessageA(default_button, WM_SETFOCUS, 0, 0);
  DrainMessages();
  const std::string path = (std::filesystem::current_path() / "buttons.png").string();
  EXPECT_TRUE(SaveWindowPicture(form, path.c_str(), FALSE));
}

}  // namespace
