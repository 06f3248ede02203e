#include "tests/support/control_sheet.h"

#include <platform/commctrl.h>

#include "framework/controls/application.h"
#include "platform/headless.h"

TAVRION_CLASS_INFO(TSheet, "Tests") {}

TSheet::TSheet(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(ControlStyle().Include(csAcceptsControls));
}

TSheet* MakeShownSheet(int width, int height) {
  static const bool registered = [] {
    WNDCLASSA host_class{};
    host_class.lpfnWndProc = &DefWindowProcA;
    host_class.lpszClassName = "SheetHost";
    return RegisterClassA(&host_class) != 0;
  }();
  (void)registered;
  const HWND host = CreateWindowExA(0, "SheetHost", "", WS_OVERLAPPED | WS_VISIBLE, 0, 0,
                                    width + 40, height + 40, nullptr, nullptr, nullptr, nullptr);
  auto* sheet = Construct<TSheet>(nullptr);
  sheet->SetBounds(0, 0, width, height);
  sheet->SetParentWindow(host);
  return sheet;
}

void PumpMessages() {
  MSG message{};
  if (Application != nullptr) {
    while (Application->ProcessMessage(message)) {
    }
    return;
  }
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
}

void MoveMouseTo(HWND window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  host::Headless().MoveMouse(at.x, at.y);
  PumpMessages();
}

POINT ThumbCentre(HWND trackbar) {
  RECT thumb{};
  SendMessageA(trackbar, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
  return {(thumb.left + thumb.right) / 2, (thumb.top + thumb.bottom) / 2};
}

void ClickOn(TWinControl* control) {
  POINT at{control->Width() / 2, control->Height() / 2};
  ClientToScreen(control->Handle(), &at);
  host::Headless().Click(at.x, at.y);
  PumpMessages();
}

void PressKey(UINT key, UINT held) {
  if (held != 0) host::Headless().KeyDown(held);
  host::Headless().KeyDown(key);
  host::Headless().KeyUp(key);
  if (held != 0) host::Headless().KeyUp(held);
}

void FreeShownSheet(TSheet* sheet) {
  const HWND host = sheet->ParentWindow();
  sheet->Free();
  DestroyWindow(host);
}
