// Pictures of the framework's own windows: a hint, the message dialog and
// the demo form.
#include <platform/picture.h>

#include "framework/controls/application.h"
#include "framework/controls/buttons.h"
#include "framework/dialogs/dialogs.h"
#include "tools/framework-demo/demo_form.h"
#include "tools/pictures/pictures.h"

namespace pictures {
namespace {

RECT WindowRect(HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  return rect;
}

// The form with the hint over it, as the screen shows them.
bool SaveFormUnderHint(HWND form, HWND hint, const std::string& path) {
  const RECT frame = WindowRect(form);
  const HDC screen = CreateCompatibleDC(nullptr);
  const HDC sample = GetDC(nullptr);
  const HBITMAP picture =
      CreateCompatibleBitmap(sample, frame.right - frame.left, frame.bottom - frame.top);
  ReleaseDC(nullptr, sample);
  const HGDIOBJ old = SelectObject(screen, picture);
  for (const HWND window : {form, hint}) {
    const RECT rect = WindowRect(window);
    const HDC from = GetWindowDC(window);
    BitBlt(screen, rect.left - frame.left, rect.top - frame.top, rect.right - rect.left,
           rect.bottom - rect.top, from, 0, 0, SRCCOPY);
    ReleaseDC(window, from);
  }
  SelectObject(screen, old);
  DeleteDC(screen);
  const bool saved = SaveBitmapPicture(picture, path.c_str()) != FALSE;
  DeleteObject(picture);
  return saved;
}

}  // namespace

host::HeadlessHost& StartApplicationHeadless() {
  host::HeadlessHost& host = host::Headless();
  host.Reset();
  StartApplication();
  return host;
}

void PumpMessages() {
  MSG message{};
  while (Application->ProcessMessage(message)) {
  }
}

bool Hint(const std::string& path) {
  host::HeadlessHost& host = StartApplicationHeadless();
  TForm* form = nullptr;
  Application->CreateForm(form);
  form->SetBounds(100, 100, 300, 200);
  auto* button = Construct<TButton>(form);
  button->SetParent(form);
  button->SetBounds(20, 20, 160, 80);
  button->SetCaption("Default");
  button->SetHint("Reset to default values|Puts the defaults back");
  button->SetShowHint(true);
  form->SetVisible(true);
  PumpMessages();
  POINT rest{40, 30};
  ClientToScreen(button->Handle(), &rest);
  host.MoveMouse(rest.x, rest.y);
  PumpMessages();
  host.AdvanceClock(500);
  PumpMessages();
  THintWindow* hint = Application->HintWindow();
  const bool saved = hint != nullptr && IsWindowVisible(hint->Handle()) &&
                     SaveFormUnderHint(form->Handle(), hint->Handle(), path);
  StopApplication();
  return saved;
}

bool MessageDialog(const std::string& path) {
  host::HeadlessHost& host = StartApplicationHeadless();
  Application->SetTitle("Tavrion");
  bool saved = false;
  host.SetIdleHandler([&] {
    auto* form = dynamic_cast<TMessageForm*>(Screen->ActiveForm());
    if (saved || form == nullptr || !form->Active()) return false;
    saved = SaveWindowPicture(form->Handle(), path.c_str(), TRUE) != FALSE;
    host.KeyDown(VK_RETURN);
    host.KeyUp(VK_RETURN);
    return true;
  });
  ShowMessage("The working file is written; press OK to go on.");
  host.SetIdleHandler({});
  StopApplication();
  return saved;
}

bool FrameworkDemo(const std::string& path) {
  host::HeadlessHost& host = StartApplicationHeadless();
  TDemoForm* form = nullptr;
  Application->CreateForm(form);
  form->SetVisible(true);
  PumpMessages();
  POINT button{10, 10};
  ClientToScreen(form->Button1->Handle(), &button);
  host.Click(button.x, button.y);
  PumpMessages();
  form->TrackBar1->SetPosition(7);
  form->Edit1->SetFocus();
  PumpMessages();
  const bool saved = SaveWindowPicture(form->Handle(), path.c_str(), TRUE) != FALSE;
  StopApplication();
  return saved;
}

}  // namespace pictures
