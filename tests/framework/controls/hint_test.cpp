// Hints on the headless host: when a control's hint shows, where, how large
// and how it looks, what takes it down (also inside other message loops,
// through the message hook) and the mouse watcher that ends it once the
// cursor leaves the program's windows.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "framework/graphics/canvas.h"

#include "framework/controls/buttons.h"
#include "tests/support/fw_application.h"
#include "tests/support/fw_objects.h"
#include "tests/support/rect.h"

namespace {

// How far below the arrow's hot spot its picture ends.
constexpr int kArrowMargin = 19;

// A hint window of the program's own kind.
class TOwnHint : public THintWindow {
  TAVRION_CLASS(TOwnHint, THintWindow)

 public:
  using THintWindow::THintWindow;
};

TAVRION_CLASS_INFO(TOwnHint, "Tests") {}

class Hints : public ApplicationTest {
 protected:
  Hints() {
    Application->CreateForm(form_);
    form_->SetBounds(100, 100, 300, 200);
    button_ = Construct<TButton>(form_);
    button_->SetParent(form_);
    button_->SetBounds(20, 20, 160, 80);
    button_->SetCaption("Default");
    button_->SetHint("Reset to default values|Puts the defaults back");
    button_->SetShowHint(true);
    button_->OnClick = MethodOf<&EventCounter::Count>(&clicks_);
    form_->SetVisible(true);
    PumpMessages();
  }

  // A point of the button on the screen.
  POINT OnButton(int x, int y) const {
    POINT at{x, y};
    ClientToScreen(button_->Handle(), &at);
    return at;
  }
  static void Advance(std::uint64_t milliseconds) {
    host::Headless().AdvanceClock(milliseconds);
    PumpMessages();
  }
  // Rests the mouse on a point of the button for the hint pause.
  void RestAt(int x, int y) const {
    MoveMouseTo(button_->Handle(), x, y);
    Advance(500);
  }
  static HWND HintHandle() { return Application->HintWindow()->Handle(); }
  static bool Shown() {
    THintWindow* hint = Application->HintWindow();
    return hint->HandleAllocated() && IsWindowVisible(hint->Handle()) != FALSE;
  }
  static RECT HintRect() {
    RECT rect{};
    GetWindowRect(HintHandle(), &rect);
    return rect;
  }

  TForm* form_ = nullptr;
  TButton* button_ = nullptr;
  EventCounter clicks_;
};

TEST_F(Hints, ShowAfterThePauseBelowTheCursorAndGoAfterTheirTime) {
  // Moving within the button does not start the pause again.
  const struct {
    POINT at;
    std::uint64_t advance;
    bool shown;
  } steps[] = {{{30, 30}, 300, false}, {{50, 35}, 199, false}, {{50, 35}, 1, true},
               {{60, 40}, 2499, true}, {{60, 40}, 1, false},   {{70, 40}, 600, false}};
  for (const auto& step : steps) {
    MoveMouseTo(button_->Handle(), step.at.x, step.at.y);
    Advance(step.advance);
    EXPECT_EQ(Shown(), step.shown) << step.at.x << " +" << step.advance;
    if (step.advance == 1 && step.shown) {
      char text[64] = {};
      GetWindowTextA(HintHandle(), text, sizeof text);
      EXPECT_EQ(std::string(text), "Reset to default values");
      const POINT cursor = OnButton(step.at.x, step.at.y);
      EXPECT_EQ(HintRect().left, cursor.x);
      EXPECT_EQ(HintRect().top, cursor.y + kArrowMargin);
      EXPECT_EQ(GetWindowLongA(HintHandle(), GWL_EXSTYLE) & WS_EX_TOPMOST, WS_EX_TOPMOST);
      EXPECT_EQ(GetActiveWindow(), form_->Handle());  // the hint never takes the focus
    }
  }
  // Hidden by its time, the hint stays down while the mouse stays.
  EXPECT_EQ(Application->HintControl(), button_);
}

TEST_F(Hints, AHintIsARaisedBoxOfTheInfoColourInAWindowMadeAgainForNewSettings) {
  RestAt(40, 30);
  ASSERT_TRUE(Shown());
  const HWND window = HintHandle();
  const DWORD style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
  EXPECT_EQ(style & ~(WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VISIBLE), WS_POPUP | WS_BORDER);
  EXPECT_EQ(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW, WS_EX_TOOLWINDOW);
  EXPECT_EQ(GetClassLongA(window, GCL_STYLE) & CS_SAVEBITS, CS_SAVEBITS);
  const RECT rect = HintRect();
  const POINT last{rect.right - rect.left - 1, rect.bottom - rect.top - 1};
  const HDC dc = GetWindowDC(window);
  EXPECT_EQ(GetPixel(dc, 0, 5), GetSysColor(COLOR_3DLIGHT));
  EXPECT_EQ(GetPixel(dc, last.x, 5), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(GetPixel(dc, 5, last.y), GetSysColor(COLOR_3DDKSHADOW));
  EXPECT_EQ(GetPixel(dc, last.x - 2, 2), GetSysColor(COLOR_INFOBK));
  ReleaseDC(window, dc);

  // New system settings make a new window; a hint showing goes with the old.
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  SendMessageA(Application->Handle(), WM_SETTINGCHANGE, 0, 0);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(Application->HintControl(), nullptr);
  RestAt(41, 30);
  EXPECT_TRUE(Shown());
  EXPECT_EQ(Application->HintWindow()->Canvas()->Font()->Height(), metrics.lfStatusFont.lfHeight);
}

TEST_F(Hints, TheMarginIsWhereTheCursorsPictureEnds) {
  const struct {
    LPCSTR cursor;  // null: no cursor picture to read
    int margin;
  } cases[] = {{IDC_ARROW, kArrowMargin}, {IDC_CROSS, 29 - 16}, {nullptr, 0}};
  for (const auto& c : cases) {
    Application->CancelHint();
    MoveMouseTo(button_->Handle(), 40, 30);
    SetCursor(c.cursor != nullptr ? LoadCursorA(nullptr, c.cursor) : nullptr);
    Advance(500);
    ASSERT_TRUE(Shown());
    const int margin = c.cursor != nullptr ? c.margin : GetSystemMetrics(SM_CYCURSOR);
    EXPECT_EQ(HintRect().top, OnButton(40, 30).y + margin)
        << reinterpret_cast<std::uintptr_t>(c.cursor);
  }
}

TEST_F(Hints, AClickOrAKeyEndsTheHintAlsoInOtherLoops) {
  const struct {
    const char* name;
    std::function<void()> act;
  } cases[] = {
      {"click on the hint",
       [] { host::Headless().Click(HintRect().left + 5, HintRect().top + 5); }},
      {"key", [] { PressKey('A'); }},
      {"wheel", [] { host::Headless().Wheel(120); }},
  };
  for (const auto& c : cases) {
    RestAt(40, 30);
    ASSERT_TRUE(Shown()) << c.name;
    c.act();
    PumpMessages();
    EXPECT_FALSE(Shown()) << c.name;
    EXPECT_EQ(Application->HintControl(), nullptr) << c.name;
  }
  EXPECT_EQ(clicks_.count, 1);  // through the hint to the button beneath

  // The system's message box runs a loop of its own: the hook ends the hint
  // at the key that closes the box.
  RestAt(40, 30);
  ASSERT_TRUE(Shown());
  OnceIdle([] { return true; }, [] { PressKey(VK_RETURN); });
  EXPECT_EQ(MessageBoxA(nullptr, "Box", "Hints", MB_OK), IDOK);
  EXPECT_FALSE(Shown());
  EXPECT_EQ(Application->HintControl(), nullptr);
}

TEST_F(Hints, TheWatcherEndsTheHintSoonAfterTheMouseLeavesTheProgram) {
  const POINT outside{900, 700};
  const struct {
    const char* name;
    std::uint64_t advance;
    bool back;  // the mouse comes back before the cancel is answered
    bool shown;
  } cases[] = {
      {"within a poll", 99, false, true},
      {"at the poll", 100, false, false},
      {"back in time", 100, true, true},
  };
  for (const auto& c : cases) {
    Application->CancelHint();
    RestAt(40, 30);
    ASSERT_TRUE(Shown()) << c.name;
    host::Headless().MoveMouse(outside.x, outside.y);  // no window of ours gets a message
    host::Headless().AdvanceClock(c.advance);
    if (c.back) host::Headless().MoveMouse(OnButton(41, 30).x, OnButton(41, 30).y);
    PumpMessages();
    EXPECT_EQ(Shown(), c.shown) << c.name;
  }
}

TEST_F(Hints, HintsStayOnTheDesktop) {
  // The form's lower right corner is the screen's.
  host::Headless().SetScreenSize({500, 320});
  form_->SetBounds(200, 150, 300, 170);
  RECT client{};
  GetClientRect(form_->Handle(), &client);
  button_->SetBounds(0, 0, client.right, client.bottom);
  PumpMessages();
  const struct {
    POINT at;   // on the button
    RECT hint;  // 19 below the cursor, or pushed back onto the screen
  } cases[] = {
      {{5, 5}, {209, 197, 326, 215}},
      {{client.right - 3, 5}, {383, 197, 500, 215}},
      {{5, client.bottom - 3}, {209, 302, 326, 320}},
      {{client.right - 3, client.bottom - 3}, {383, 302, 500, 320}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.at.x) + "," + std::to_string(c.at.y));
    Application->CancelHint();
    RestAt(c.at.x, c.at.y);
    ASSERT_TRUE(Shown());
    EXPECT_EQ(HintRect(), c.hint);
    // Pushed under the cursor, the hint is no window of the mouse's.
    MoveMouseTo(button_->Handle(), c.at.x - 1, c.at.y);
    EXPECT_TRUE(Shown());
  }
}

TEST_F(Hints, SizesFollowTheText) {
  // The text's width and 6, its lines of 12 and 2; broken at spaces to fit
  // (the whole line's 117 by 14 shows in HintsStayOnTheDesktop).
  const struct {
    const char* text;
    int max_width;
    LONG right, bottom;
  } cases[] = {{"Reset", 1000, 35, 14}, {"Reset to default values", 43, 47, 38}};
  THintWindow* hint = Application->HintWindow();
  for (const auto& c : cases) {
    EXPECT_EQ(hint->MeasureHint(c.max_width, c.text, nullptr), (RECT{0, 0, c.right, c.bottom}))
        << c.text << " in " << c.max_width;
  }
  // Text set outside ShowHintAt sizes the window to it, with its border.
  hint->SetText("Reset");
  EXPECT_EQ(hint->Width(), 35);
  EXPECT_EQ(hint->Height(), 16);
}

TEST_F(Hints, MessagesThatEndAHint) {
  const struct {
    UINT message;
    bool ends;
  } cases[] = {
      {WM_KEYDOWN, true},         {WM_KEYLAST, true},      {WM_KEYLAST + 1, false},
      {WM_MOUSEMOVE, false},      {WM_LBUTTONDOWN, true},  {WM_MOUSEWHEEL, true},
      {WM_MOUSEWHEEL + 1, false}, {WM_NCMOUSEMOVE, true},  {WM_NCLBUTTONDOWN, false},
      {WM_COMMAND, true},         {WM_TIMER, false},       {CM_ACTIVATE, true},
      {CM_DEACTIVATE, true},      {CM_APPKEYDOWN, true},   {CM_APPSYSCOMMAND, true},
      {CM_BASE + 0x02, false},    {CM_TEXTCHANGED, false},
  };
  for (const auto& c : cases) {
    MSG message{};
    message.message = c.message;
    EXPECT_EQ(Application->HintWindow()->EndsHint(message), c.ends) << std::hex << c.message;
  }
}

TEST_F(Hints, TheWindowClassIsTheProcesssSettingAndOnlyAHintWindowClassWillDo) {
  const TClass before = HintWindowClass();
  const struct {
    TClass set;
    std::string refused;  // the message, "" when taken
    TClass shown;
  } cases[] = {
      {&TOwnHint::StaticClass(), "", &TOwnHint::StaticClass()},
      {&TButton::StaticClass(), "TButton is not a hint window class", &TOwnHint::StaticClass()},
      {before, "", before},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.set->ClassName);
    EXPECT_EQ(RaisedMessage<EInvalidOperation>([&] { SetHintWindowClass(c.set); }), c.refused);
    Application->CancelHint();
    RestAt(40, 30);
    EXPECT_TRUE(Shown());
    EXPECT_EQ(Application->HintWindow()->ClassType(), c.shown);
  }
}

struct ExceptionCount : TObject {
  int count = 0;
  void Count(TObject*, const Exception&) { ++count; }
};

TEST_F(Hints, TheControlMayVetoItsHintAndWhatItThrowsIsShownAtTheTimer) {
  ExceptionCount raised;
  Application->OnException = MethodOf<&ExceptionCount::Count>(&raised);
  const struct {
    const char* what;
    std::function<LRESULT()> answer;
    bool shown;
    int raised;
  } cases[] = {
      {"allowed", [] { return 0; }, true, 0},
      {"vetoed", [] { return 1; }, false, 0},
      {"throws", []() -> LRESULT { throw Exception("no hint"); }, false, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Application->CancelHint();
    raised.count = 0;
    MessageTap tap(button_, [&](TMessage& message) {
      if (message.Msg != CM_HINTSHOW) return false;
      message.Result = c.answer();
      return true;
    });
    RestAt(40, 30);
    EXPECT_EQ(Shown(), c.shown);
    EXPECT_EQ(raised.count, c.raised);
    if (c.raised == 0) {
      EXPECT_EQ(Application->HintControl(), c.shown ? button_ : nullptr);
    }
  }
  Application->OnException = {};
}

TEST_F(Hints, WhileAHintIsActiveTheNextControlsHintComesAfterTheShortPause) {
  auto* other = Construct<TButton>(form_);
  other->SetParent(form_);
  other->SetBounds(20, 110, 160, 40);
  other->SetHint("Other");
  other->SetShowHint(true);
  PumpMessages();
  const struct {
    int short_pause;
    std::uint64_t wait;
    bool shown_at_once, shown_after;
  } cases[] = {{0, 0, true, true}, {100, 99, false, false}, {100, 100, false, true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::to_string(c.short_pause) + " +" + std::to_string(c.wait));
    Application->SetHintShortPause(c.short_pause);
    Application->CancelHint();
    RestAt(40, 30);
    ASSERT_TRUE(Shown());
    MoveMouseTo(other->Handle(), 10, 10);
    EXPECT_EQ(Shown() && Application->HintControl() == other, c.shown_at_once);
    Advance(c.wait);
    EXPECT_EQ(Shown() && Application->HintControl() == other, c.shown_after);
  }
}

}  // namespace
