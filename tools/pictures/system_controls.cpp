// The system controls drawn straight through the platform, in windows of a
// class of our own that erases in the dialog colour.
#include <cstdint>
#include <cstring>
#include <string>

#include <platform/api.h>
#include <platform/codepage.h>
#include <platform/headless.h>
#include <platform/picture.h>

#include "tools/pictures/pictures.h"

namespace pictures {
namespace {

// Children of the class show their text as an edit would.
LRESULT SceneProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) {
    RECT all;
    GetClientRect(window, &all);
    return FillRect(reinterpret_cast<HDC>(wParam), &all, GetSysColorBrush(COLOR_BTNFACE));
  }
  if (message == WM_PAINT && GetParent(window) != nullptr) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    char text[32] = {};
    GetWindowTextA(window, text, sizeof text);
    RECT all;
    GetClientRect(window, &all);
    FillRect(dc, &all, GetSysColorBrush(COLOR_WINDOW));
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    all.left += 2;
    DrawTextA(dc, text, -1, &all, DT_SINGLELINE | DT_VCENTER);
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

const char* SceneClass() {
  static const char* const name = [] {
    WNDCLASSA info{};
    info.lpfnWndProc = SceneProc;
    info.lpszClassName = "PictureScene";
    RegisterClassA(&info);
    return info.lpszClassName;
  }();
  return name;
}

HWND Make(const char* cls, const std::string& text, DWORD style, int x, int y, int width,
          int height, HWND parent, DWORD ex_style = 0) {
  return CreateWindowExA(ex_style, cls, text.c_str(), WS_CHILD | WS_VISIBLE | style, x, y, width,
                         height, parent, reinterpret_cast<HMENU>(std::uintptr_t{7}), nullptr,
                         nullptr);
}

void Drain() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

bool SaveAndClose(HWND window, const std::string& path) {
  const bool saved = SaveWindowPicture(window, path.c_str(), TRUE) != FALSE;
  DestroyWindow(window);
  Drain();
  return saved;
}

void SetRange(HWND bar, int low, int high, int position) {
  SendMessageA(bar, TBM_SETRANGE, TRUE, MAKELPARAM(low, high));
  SendMessageA(bar, TBM_SETPOS, TRUE, position);
}

void SetBuddy(HWND updown, HWND buddy, int high, int position) {
  SendMessageA(updown, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
  SendMessageA(updown, UDM_SETRANGE32, 0, high);
  SendMessageA(updown, UDM_SETPOS32, 0, position);
}

}  // namespace

bool Controls(const std::string& path) {
  host::Headless().Reset();
  HWND dialog = CreateWindowExA(0, SceneClass(), "Tavrion",
                                WS_CAPTION | WS_SYSMENU | WS_VISIBLE | WS_CLIPCHILDREN, 40, 40, 440,
                                250, nullptr, nullptr, nullptr, nullptr);
  LOGFONTA log{};
  log.lfHeight = -11;
  log.lfWeight = 400;
  std::strcpy(log.lfFaceName, "MS Sans Serif");
  HFONT font = CreateFontIndirectA(&log);
  const auto make = [&](const char* cls, const char* utf8, DWORD style, int x, int y, int width,
                        int height, DWORD ex_style = 0) {
    HWND w = CreateWindowExA(ex_style, cls, codepage::Utf8ToCp1251(utf8).value().c_str(),
                             WS_CHILD | WS_VISIBLE | style, x, y, width, height, dialog, nullptr,
                             nullptr, nullptr);
    SendMessageA(w, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return w;
  };
  const DWORD edit = WS_TABSTOP | ES_AUTOHSCROLL;
  HWND focused = make("EDIT", "300", edit, 10, 10, 120, 21, WS_EX_CLIENTEDGE);
  EnableWindow(make("EDIT", "1000", edit, 150, 10, 120, 21, WS_EX_CLIENTEDGE), FALSE);
  make("EDIT", "tavrion.wav", edit | ES_READONLY, 290, 10, 120, 21, WS_EX_CLIENTEDGE);

  make("BUTTON", "Стимулировать", BS_DEFPUSHBUTTON | WS_TABSTOP, 10, 45, 120, 25);
  make("BUTTON", "По умолчанию", BS_PUSHBUTTON | WS_TABSTOP, 150, 45, 120, 25);
  EnableWindow(make("BUTTON", "О программе", BS_PUSHBUTTON, 290, 45, 120, 25), FALSE);

  HWND check = make("BUTTON", "Стимулировать непрерывно", BS_AUTOCHECKBOX, 10, 80, 180, 20);
  SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
  HWND mixed = make("BUTTON", "Три состояния", BS_AUTO3STATE, 200, 80, 110, 20);
  SendMessageA(mixed, BM_SETCHECK, BST_INDETERMINATE, 0);
  EnableWindow(make("BUTTON", "Выключено", BS_AUTOCHECKBOX, 320, 80, 100, 20), FALSE);

  SetRange(make(TRACKBAR_CLASSA, "", TBS_AUTOTICKS, 10, 110, 200, 40), 0, 10, 4);
  HWND still = make(TRACKBAR_CLASSA, "", TBS_AUTOTICKS, 220, 110, 200, 40);
  SetRange(still, 0, 10, 7);
  EnableWindow(still, FALSE);

  SendMessageA(make(PROGRESS_CLASSA, "", 0, 10, 165, 260, 18), PBM_SETPOS, 60, 0);
  HWND buddy = make("EDIT", "", edit, 290, 163, 100, 21, WS_EX_CLIENTEDGE);
  SetBuddy(make(UPDOWN_CLASSA, "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 16, 21),
           buddy, 100, 5);

  SetFocus(focused);
  SendMessageA(focused, EM_SETSEL, 0, -1);
  RedrawWindow(dialog, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Drain();
  const bool saved = SaveAndClose(dialog, path);
  DeleteObject(font);
  return saved;
}

bool CommonControls(const std::string& path) {
  host::Headless().Reset();
  HWND parent = CreateWindowExA(0, SceneClass(), "", WS_POPUP | WS_VISIBLE, 100, 100, 400, 200,
                                nullptr, nullptr, nullptr, nullptr);
  Drain();
  HWND focused = Make(TRACKBAR_CLASSA, "", TBS_AUTOTICKS, 10, 10, 190, 40, parent);
  SetRange(focused, 0, 10, 3);
  HWND both = Make(TRACKBAR_CLASSA, "", TBS_AUTOTICKS | TBS_BOTH | TBS_ENABLESELRANGE, 210, 10, 180,
                   40, parent);
  SendMessageA(both, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
  SendMessageA(both, TBM_SETSEL, TRUE, MAKELPARAM(2, 6));
  SendMessageA(both, TBM_SETPOS, TRUE, 6);
  EnableWindow(both, FALSE);
  SetRange(Make(TRACKBAR_CLASSA, "", TBS_VERT | TBS_AUTOTICKS, 10, 60, 40, 130, parent), 0, 5, 1);

  SendMessageA(Make(PROGRESS_CLASSA, "", 0, 60, 60, 200, 18, parent), PBM_SETPOS, 45, 0);
  SendMessageA(Make(PROGRESS_CLASSA, "", PBS_SMOOTH, 60, 85, 200, 18, parent), PBM_SETPOS, 70, 0);
  SendMessageA(Make(PROGRESS_CLASSA, "", PBS_VERTICAL, 370, 60, 18, 130, parent), PBM_SETPOS, 60,
               0);

  HWND buddy = CreateWindowExA(WS_EX_CLIENTEDGE, SceneClass(), "", WS_CHILD | WS_VISIBLE, 60, 120,
                               90, 21, parent, nullptr, nullptr, nullptr);
  SetBuddy(Make(UPDOWN_CLASSA, "", UDS_ALIGNRIGHT | UDS_SETBUDDYINT | UDS_ARROWKEYS, 0, 0, 16, 21,
                parent),
           buddy, 5000, 1234);
  EnableWindow(Make(UPDOWN_CLASSA, "", 0, 170, 120, 16, 24, parent), FALSE);
  Make(UPDOWN_CLASSA, "", UDS_HORZ, 200, 124, 32, 16, parent);

  SetFocus(focused);
  RedrawWindow(parent, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  Drain();
  return SaveAndClose(parent, path);
}

}  // namespace pictures
