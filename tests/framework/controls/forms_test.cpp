// The application object and forms on the headless host: the main form, the
// loop's end, exceptions at the message, keys in the loop, tab order in a
// form read from its definition, closing, and activation around a modal form.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <list>
#include <stdexcept>
#include <string>
#include <vector>

#include "framework/controls/buttons.h"
#include "framework/controls/edit.h"
#include "tests/support/fw_application.h"
#include "tests/support/fw_objects.h"

namespace {

class TTabForm : public TForm {
  TAVRION_CLASS(TTabForm, TForm)

 public:
  using TForm::TForm;
  TEdit* First = nullptr;
  TEdit* Second = nullptr;
  TEdit* Third = nullptr;
};

TAVRION_CLASS_INFO(TTabForm, "Tests") {
  c.Field<&TTabForm::First>("First");
  c.Field<&TTabForm::Second>("Second");
  c.Field<&TTabForm::Third>("Third");
}

using Apps = ApplicationTest;

TEST_F(Apps, TheFirstFormMadeIsTheMainFormAndHasItsWindow) {
  TForm* first = nullptr;
  TForm* second = nullptr;
  Application->CreateForm(first);
  Application->CreateForm(second);
  EXPECT_EQ(Application->MainForm(), first);
  EXPECT_TRUE(first->HandleAllocated());
  EXPECT_EQ(GetWindow(first->Handle(), GW_OWNER), Application->Handle());
}

// What `act` made the program show: the text of the box it raised, copied
// with Ctrl+C and closed with Enter.
std::string ShownText(const std::function<void()>& act) {
  host::Headless().SetClipboard("");
  OnceIdle([] { return true; },
           [] {
             PressKey('C', VK_CONTROL);
             PressKey(VK_RETURN);
           });
  act();
  host::Headless().SetIdleHandler({});
  const std::string copy = host::Headless().Clipboard().value_or("");
  if (copy.empty()) return "(no box)";
  const std::string rule = "---------------------------\r\n";
  const std::string head = rule + Application->Title() + "\r\n" + rule;
  const std::string tail = "\r\n" + rule + "OK   \r\n" + rule;
  if (!copy.starts_with(head) || !copy.ends_with(tail)) return "not a stop box: " + copy;
  return copy.substr(head.size(), copy.size() - head.size() - tail.size());
}

struct ExceptionLog : TObject {
  std::vector<std::string> seen;
  void Note(TObject*, const Exception& error) { seen.push_back(error.Message()); }
  void Fail(TObject*, const Exception&) { throw Exception("no box today"); }
};

// Takes WM_USER and WM_USER + 1, for a control or the application window.
struct UserTap : TObject {
  std::function<void(UINT)> act;
  bool Hook(TMessage& message) {
    if (message.Msg != WM_USER && message.Msg != WM_USER + 1) return false;
    act(message.Msg);
    return true;
  }
};

TEST_F(Apps, WhateverAHandlerThrowsIsShownAtItsMessageAndTheLoopGoesOn) {
  TForm* form = ShowNewForm();
  const struct {
    const char* what;
    std::function<void()> raise;
    testing::Matcher<const std::string&> shown;
    bool to_on_exception;
  } cases[] = {
      {"letter", [] { throw Exception("abc"); }, "abc.", true},
      {"full stop", [] { throw Exception("done."); }, "done.", true},
      {"bang", [] { throw Exception("stop!"); }, "stop!", true},
      {"question", [] { throw Exception("why?"); }, "why?.", true},
      {"bracket", [] { throw Exception("(1)"); }, "(1)", true},
      {"empty", [] { throw Exception(""); }, "", true},
      {"abort", [] { throw EAbort("quiet"); }, "(no box)", false},
      {"standard", [] { throw std::runtime_error("bad"); }, "bad.", false},
      {"int", [] { throw 42; }, "Exception of type int.", false},
      {"string", [] { throw std::string("text"); },
       testing::AllOf(testing::StartsWith("Exception of type std::"),
                      testing::HasSubstr("basic_string")),
       false},
  };
  const std::function<void()>* raise = nullptr;
  int after = 0;  // messages handled after the one that threw
  const auto take = [&](UINT msg) {
    if (msg == WM_USER) (*raise)();
    ++after;
  };
  UserTap user_tap;
  user_tap.act = take;
  MessageTap tap(form, [&](TMessage& message) { return user_tap.Hook(message); });
  Application->HookMainWindow(MethodOf<&UserTap::Hook>(&user_tap));
  ExceptionLog log;
  for (const auto& c : cases) {
    raise = &c.raise;
    for (const HWND window : {form->Handle(), Application->Handle()}) {
      for (const bool with_on_exception : {false, true}) {
        SCOPED_TRACE(std::string(c.what) + (window == form->Handle() ? " in a form" : " in app") +
                     (with_on_exception ? " with OnException" : ""));
        Application->OnException = {};
        if (with_on_exception) Application->OnException = MethodOf<&ExceptionLog::Note>(&log);
        log.seen.clear();
        after = 0;
        const std::string shown = ShownText([&] {
          PostMessageA(window, WM_USER, 0, 0);
          PostMessageA(window, WM_USER + 1, 0, 0);
          PumpMessages();
        });
        EXPECT_EQ(after, 1);
        if (with_on_exception && c.to_on_exception) {
          EXPECT_EQ(shown, "(no box)");
          EXPECT_EQ(log.seen.size(), 1u);
        } else {
          EXPECT_THAT(shown, c.shown);
          EXPECT_TRUE(log.seen.empty());
        }
      }
    }
  }
  // Nor does what the showing itself throws leave the message.
  Application->OnException = MethodOf<&ExceptionLog::Fail>(&log);
  raise = &cases[0].raise;
  EXPECT_NO_THROW(SendMessageA(form->Handle(), WM_USER, 0, 0));
  Application->OnException = {};
  Application->UnhookMainWindow(MethodOf<&UserTap::Hook>(&user_tap));
}

TEST_F(Apps, AQuitEndsTheLoopAtItsPlaceInTheQueue) {
  // PostQuitMessage's WM_QUIT comes once the queue holds nothing else
  // posted; a WM_QUIT posted like any message stops the loop where it is.
  const struct {
    const char* what;
    void (*quit)(HWND form);
    bool terminate_in_handler;
    std::vector<UINT> handled;
  } cases[] = {
      {"PostQuitMessage", [](HWND) { PostQuitMessage(0); }, false, {1, 2}},
      {"Terminate in a handler", [](HWND) {}, true, {1, 2}},
      {"WM_QUIT posted", [](HWND form) { PostMessageA(form, WM_QUIT, 0, 0); }, false, {1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Stop();
    StartOnResetHost();
    TForm* form = nullptr;
    Application->CreateForm(form);
    std::vector<UINT> handled;
    MessageTap tap(form, [&](TMessage& message) {
      if (message.Msg <= WM_USER || message.Msg > WM_USER + 2) return false;
      handled.push_back(message.Msg - WM_USER);
      if (c.terminate_in_handler) Application->Terminate();
      return true;
    });
    PostMessageA(form->Handle(), WM_USER + 1, 0, 0);
    c.quit(form->Handle());
    PostMessageA(form->Handle(), WM_USER + 2, 0, 0);
    Application->Run();
    EXPECT_EQ(handled, c.handled);
    EXPECT_TRUE(Application->Terminated());
    EXPECT_FALSE(Application->Running());
  }
}

struct KeyFilter : TObject {
  bool swallow = false;
  void Filter(MSG& message, bool& handled) {
    handled = swallow && message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST;
  }
};

TEST_F(Apps, TheLoopOffersKeysToOnMessageThenToTheirControlAsDialogKeys) {
  TForm* form = ShowNewForm();
  TButton* buttons[3] = {};
  for (int i = 0; i < 3; ++i) {
    buttons[i] = Construct<TButton>(form);
    buttons[i]->SetParent(form);
    buttons[i]->SetBounds(8, 8 + 30 * i, 80, 25);
  }
  buttons[0]->SetFocus();
  PumpMessages();
  KeyFilter filter;
  Application->OnMessage = MethodOf<&KeyFilter::Filter>(&filter);
  // A window of another module holding the capture keeps keys from the
  // controls: they are dispatched as they are.
  UINT pressed = 0;
  int offered = 0;  // CN_KEYDOWN of the key pressed, to any button
  std::list<MessageTap> taps;
  for (TButton* button : buttons) {
    taps.emplace_back(button, [&](TMessage& message) {
      if (message.Msg == CN_KEYDOWN && static_cast<UINT>(message.WParam) == pressed) ++offered;
      return false;
    });
  }
  int module = 0;
  WNDCLASSA foreign_class{};
  foreign_class.lpfnWndProc = &DefWindowProcA;
  foreign_class.hInstance = reinterpret_cast<HINSTANCE>(&module);
  foreign_class.lpszClassName = "Foreign";
  RegisterClassA(&foreign_class);
  const HWND foreign = CreateWindowExA(0, "Foreign", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                       foreign_class.hInstance, nullptr);
  ASSERT_NE(foreign, nullptr);
  const struct {
    UINT key, held;
    bool swallowed, foreign_capture;
    int focused;  // -1: not to be judged
  } steps[] = {
      {VK_DOWN, 0, false, false, 1}, {VK_RIGHT, 0, false, false, 2},
      {VK_UP, 0, false, false, 1},   {VK_LEFT, 0, false, false, 0},
      {VK_TAB, 0, false, false, 1},  {VK_TAB, VK_SHIFT, false, false, 0},
      {VK_DOWN, 0, true, false, 0},  {VK_TAB, VK_CONTROL, false, false, 0},
      {VK_DOWN, 0, false, true, -1},
  };
  for (const auto& step : steps) {
    SCOPED_TRACE(std::to_string(step.key) + (step.swallowed ? " swallowed" : "") +
                 (step.foreign_capture ? " foreign capture" : ""));
    filter.swallow = step.swallowed;
    if (step.foreign_capture) SetCapture(foreign);
    pressed = step.key;
    offered = 0;
    PressKey(step.key, step.held);
    PumpMessages();
    ReleaseCapture();
    EXPECT_EQ(offered, step.swallowed || step.foreign_capture ? 0 : 1);
    if (step.focused >= 0) {
      EXPECT_EQ(GetFocus(), buttons[step.focused]->Handle());
    }
  }
  DestroyWindow(foreign);
  UnregisterClassA("Foreign", foreign_class.hInstance);
  Application->OnMessage = {};
}

struct Closing : TObject {
  bool can_close = true;
  TCloseAction action = caHide;
  std::vector<TCloseAction> offered;
  void Query(TObject*, bool& can) { can = can_close; }
  void Close(TObject*, TCloseAction& given) {
    offered.push_back(given);
    given = action;
  }
};

TEST_F(Apps, CloseAsksCloseQueryThenDoesWhatOnCloseSays) {
  TForm* main = ShowNewForm();
  const struct {
    const char* what;
    bool can_close;
    TCloseAction action;
    bool is_main;
    bool visible, kept;
    TWindowState state;
    bool terminated;
  } cases[] = {
      {"refused", false, caHide, false, true, true, wsNormal, false},
      {"none", true, caNone, false, true, true, wsNormal, false},
      {"hide", true, caHide, false, false, true, wsNormal, false},
      {"minimise", true, caMinimize, false, true, true, wsMinimized, false},
      {"free", true, caFree, false, false, false, wsNormal, false},
      {"the main form", true, caHide, true, true, true, wsNormal, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TForm* form = c.is_main ? main : ShowNewForm();
    const HWND window = form->Handle();
    Closing closing;
    closing.can_close = c.can_close;
    closing.action = c.action;
    form->OnCloseQuery = MethodOf<&Closing::Query>(&closing);
    form->OnClose = MethodOf<&Closing::Close>(&closing);
    SendMessageA(window, WM_CLOSE, 0, 0);
    PumpMessages();
    EXPECT_EQ(closing.offered, c.can_close ? std::vector{caHide} : std::vector<TCloseAction>{});
    EXPECT_EQ(IsWindow(window) != FALSE, c.kept);
    EXPECT_EQ(Application->Terminated(), c.terminated);
    if (!c.kept) continue;
    EXPECT_EQ(form->Visible(), c.visible);
    EXPECT_EQ(IsWindowVisible(window) != FALSE, c.visible);
    EXPECT_EQ(form->WindowState(), c.state);
    EXPECT_EQ(IsIconic(window) != FALSE, c.state == wsMinimized);
    form->OnCloseQuery = {};
    form->OnClose = {};
  }
}

TEST_F(Apps, TabAndShiftTabWalkAFormReadFromItsDefinition) {
  auto* form = ShowNewForm<TTabForm>();
  ASSERT_NE(form->Third, nullptr);
  const struct {
    bool back;
    TEdit* focused;
  } steps[] = {{false, form->Third},
               {false, form->First},
               {false, form->Second},
               {true, form->First},
               {true, form->Third}};
  EXPECT_EQ(GetFocus(), form->Second->Handle());  // first in tab order
  for (const auto& step : steps) {
    PressKey(VK_TAB, step.back ? VK_SHIFT : 0);
    PumpMessages();
    EXPECT_EQ(GetFocus(), step.focused->Handle()) << step.focused->Name();
    EXPECT_EQ(form->ActiveControl(), step.focused);
  }
}

TEST_F(Apps, ClosingAModalFormLeavesTheMainFormsOnActivateAlone) {
  TForm* main = nullptr;
  Application->CreateForm(main);
  EventCounter activations;
  main->OnActivate = MethodOf<&EventCounter::Count>(&activations);
  main->SetVisible(true);
  PumpMessages();
  EXPECT_EQ(activations.count, 1);
  TForm* dialog = nullptr;
  Application->CreateForm(dialog);
  OnceIdle([] { return true; },
           [&] {
             dialog->SetModalResult(mrOk);
             PostMessageA(dialog->Handle(), WM_NULL, 0, 0);  // the loop looks again
           });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  PumpMessages();
  EXPECT_FALSE(dialog->Visible());
  EXPECT_EQ(activations.count, 1);
  EXPECT_EQ(Screen->FocusedForm(), main);
}

}  // namespace
