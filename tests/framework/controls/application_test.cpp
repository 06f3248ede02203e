// The application object and the system: its window, how the start-up show
// command shows the main form, activation of the program and top-most windows
// stepping back while it is not in front, the message box, changed settings,
// and what goes in which order at the end.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include <platform/spy.h>

#include "framework/controls/mouse.h"
#include "framework/rtl/os_error.h"
#include "tests/support/fw_application.h"
#include "tests/support/fw_objects.h"

namespace {

class AppAndSystem : public ApplicationTest {
 protected:
  static bool TopMost(TForm* form) {
    return (GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
  }
  static void MakeTopMost(TForm* form) {
    SetWindowPos(form->Handle(), HWND_TOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
};

TEST_F(AppAndSystem, TheStartUpShowCommandDecidesHowTheMainFormFirstShows) {
  const struct {
    const char* what;
    int command;  // -1: started without one
    bool visible, zoomed, application_iconic;
    TWindowState state;
  } cases[] = {
      {"none", -1, true, false, false, wsNormal},
      {"maximised", SW_SHOWMAXIMIZED, true, true, false, wsMaximized},
      {"minimised, not active", SW_SHOWMINNOACTIVE, false, false, true, wsMinimized},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Stop();
    StartOnResetHost();
    if (c.command >= 0) host::Headless().SetStartupShowCommand(static_cast<WORD>(c.command));
    TForm* form = nullptr;
    Application->CreateForm(form);
    PostQuitMessage(0);
    Application->Run();
    EXPECT_EQ(form->Visible(), c.visible);
    EXPECT_EQ(IsWindowVisible(form->Handle()) != FALSE, c.visible);
    EXPECT_EQ(IsZoomed(form->Handle()) != FALSE, c.zoomed);
    EXPECT_EQ(IsIconic(Application->Handle()) != FALSE, c.application_iconic);
    EXPECT_EQ(form->WindowState(), c.state);
    // Restoring the application brings a form that never showed.
    SendMessageA(Application->Handle(), WM_SYSCOMMAND, SC_RESTORE, 0);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
  }
}

LRESULT RefuseCreation(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  return msg == WM_NCCREATE ? FALSE : DefWindowProcA(window, msg, wparam, lparam);
}

TEST_F(AppAndSystem, TheApplicationWindowCarriesTheIconAndAFailedWindowIsAnError) {
  const HWND app = Application->Handle();
  const HICON icon = LoadIconA(GetModuleHandleA(nullptr), "MAINICON");
  ASSERT_NE(icon, nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtrA(app, GCLP_HICON)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(SendMessageA(app, WM_GETICON, ICON_BIG, 0)), icon);

  Stop();
  UnregisterClassA("TApplication", GetModuleHandleA(nullptr));
  WNDCLASSA refusing{};
  refusing.lpfnWndProc = &RefuseCreation;
  refusing.hInstance = GetModuleHandleA(nullptr);
  refusing.lpszClassName = "TApplication";
  ASSERT_NE(RegisterClassA(&refusing), 0);
  EXPECT_THROW(Construct<TApplication>(nullptr), EOSError);
  UnregisterClassA("TApplication", GetModuleHandleA(nullptr));
  StartOnResetHost();
}

TEST_F(AppAndSystem, TopMostWindowsStepBackWhileTheProgramIsNotInFront) {
  TForm* main = ShowNewForm();
  TForm* upper = ShowNewForm();
  TForm* lower = ShowNewForm();
  TForm* hidden = ShowNewForm();
  MakeTopMost(lower);
  MakeTopMost(upper);
  MakeTopMost(hidden);
  hidden->SetVisible(false);
  const HWND app = Application->Handle();
  EventCounter activations, deactivations;
  Application->OnActivate = MethodOf<&EventCounter::Count>(&activations);
  Application->OnDeactivate = MethodOf<&EventCounter::Count>(&deactivations);
  // Every WM_ACTIVATEAPP raises its event (posted); the windows move once.
  const struct {
    const char* what;
    void (*step)(HWND app);
    bool top_most;
    int activations, deactivations;
  } steps[] = {
      {"deactivated", [](HWND a) { SendMessageA(a, WM_ACTIVATEAPP, FALSE, 0); }, false, 0, 1},
      {"deactivated again", [](HWND a) { SendMessageA(a, WM_ACTIVATEAPP, FALSE, 0); }, false, 0, 2},
      {"activated", [](HWND a) { SendMessageA(a, WM_ACTIVATEAPP, TRUE, 0); }, true, 1, 2},
      {"activated again", [](HWND a) { SendMessageA(a, WM_ACTIVATEAPP, TRUE, 0); }, true, 2, 2},
      {"lowered twice", [](HWND) { Application->NormalizeTopMosts(); }, false, 2, 2},
      {"", [](HWND) { Application->NormalizeTopMosts(); }, false, 2, 2},
      {"restored once", [](HWND) { Application->RestoreTopMosts(); }, false, 2, 2},
      {"restored twice", [](HWND) { Application->RestoreTopMosts(); }, true, 2, 2},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.what);
    s.step(app);
    PumpMessages();
    EXPECT_EQ(activations.count, s.activations);
    EXPECT_EQ(deactivations.count, s.deactivations);
    EXPECT_EQ(TopMost(upper), s.top_most);
    EXPECT_EQ(TopMost(lower), s.top_most);
    EXPECT_FALSE(TopMost(main));
    EXPECT_TRUE(TopMost(hidden));                                         // not shown: left alone
    EXPECT_EQ(GetWindow(upper->Handle(), GW_HWNDNEXT), lower->Handle());  // in their order
  }
}

LRESULT ThrowAtUser(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (msg == WM_USER) throw Exception("from inside the box");
  return DefWindowProcA(window, msg, wparam, lparam);
}

TEST_F(AppAndSystem, TheMessageBoxIsModalAndOnTopAndPutsEverythingBackAlsoWhenItThrows) {
  TForm* form = ShowNewForm();
  TForm* other = ShowNewForm();
  SetActiveWindow(form->Handle());
  MakeTopMost(form);
  // A window of no control: what its procedure throws leaves the box's loop.
  WNDCLASSA thrower{};
  thrower.lpfnWndProc = &ThrowAtUser;
  thrower.hInstance = GetModuleHandleA(nullptr);
  thrower.lpszClassName = "Thrower";
  RegisterClassA(&thrower);
  const HWND throwing = CreateWindowExA(0, "Thrower", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                        thrower.hInstance, nullptr);
  for (const bool throws : {false, true}) {
    SCOPED_TRACE(throws ? "throws" : "closed");
    bool top_most_during_box = true;
    bool enabled_during_box = true;
    OnceIdle([&] { return GetActiveWindow() != form->Handle(); },  // the box is up
             [&] {
               top_most_during_box = TopMost(form);
               enabled_during_box = IsWindowEnabled(other->Handle()) != FALSE;
               if (throws) {
                 PostMessageA(throwing, WM_USER, 0, 0);
               } else {
                 PressKey(VK_RETURN);
               }
             });
    if (throws) {
      EXPECT_THROW(Application->MessageBox("Text", "Caption", MB_OK), Exception);
    } else {
      EXPECT_EQ(Application->MessageBox("Text", "Caption", MB_OK), IDOK);
    }
    EXPECT_FALSE(top_most_during_box);
    EXPECT_FALSE(enabled_during_box);
    EXPECT_TRUE(TopMost(form));
    EXPECT_TRUE(IsWindowEnabled(other->Handle()));
    EXPECT_EQ(GetActiveWindow(), form->Handle());
  }
  DestroyWindow(throwing);
}

TEST_F(AppAndSystem, AnAnnouncedSettingChangeRenewsTheHintWindow) {
  for (const UINT flags : {SPIF_SENDCHANGE, 0u}) {
    Stop();
    StartOnResetHost();
    Application->HintWindow()->SetTag(1);
    SystemParametersInfoA(SPI_SETWHEELSCROLLLINES, 7, nullptr, flags);
    ASSERT_NE(Application->HintWindow(), nullptr);
    EXPECT_EQ(Application->HintWindow()->Tag() == 0, flags == SPIF_SENDCHANGE) << flags;
  }
}

TEST_F(AppAndSystem, AtTheEndPopUpsHideAndTheHintWindowGoesBeforeTheFormsLastMadeFirst) {
  TForm* main = ShowNewForm();
  TForm* popup = ShowNewForm();
  popup->SetBorderStyle(TFormBorderStyle::bsNone);
  const std::vector<std::pair<HWND, std::string>> names = {
      {main->Handle(), "main"},
      {popup->Handle(), "popup"},
      {Application->HintWindow()->Handle(), "hint"},
      {Application->Handle(), "application"}};
  std::vector<std::string> seen;
  platform::SetMessageSpy([&](HWND window, UINT message, WPARAM, LPARAM lparam, auto) {
    const bool hiding = message == WM_SHOWWINDOW && lparam == SW_PARENTCLOSING;
    if (!hiding && message != WM_DESTROY) return;
    for (const auto& [handle, name] : names) {
      if (handle == window) seen.push_back(name + (hiding ? " hidden" : " destroyed"));
    }
  });
  StopApplication();
  platform::SetMessageSpy({});
  EXPECT_EQ(seen, (std::vector<std::string>{"popup hidden", "hint destroyed", "popup destroyed",
                                            "main destroyed", "application destroyed"}));
  EXPECT_EQ(Application, nullptr);
  EXPECT_EQ(Screen, nullptr);
  EXPECT_EQ(Mouse, nullptr);
}

}  // namespace
