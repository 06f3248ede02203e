// The common controls' registration and what they share.
#include "common_controls.h"

#include "system_classes.h"

namespace controls {

void RegisterCommonControls() {
  RegisterTrackbarClass();
  RegisterProgressClass();
  RegisterUpDownClass();
}

void SendScroll(HWND control, bool vertical, WORD code, int position) {
  SendMessageA(GetParent(control), vertical ? WM_VSCROLL : WM_HSCROLL, MAKEWPARAM(code, position),
               reinterpret_cast<LPARAM>(control));
}

bool Painting(HWND window, UINT message, LRESULT& result,
              void (*paint)(HWND, const void* state, HDC, const RECT&), const void* state) {
  result = 0;
  switch (message) {
    case WM_ENABLE:
      InvalidateRect(window, nullptr, TRUE);
      return true;
    case WM_ERASEBKGND:
      result = 1;
      return true;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      RECT client;
      GetClientRect(window, &client);
      paint(window, state, dc, client);
      EndPaint(window, &ps);
      return true;
    }
    default:
      return false;
  }
}

POINT CursorIn(HWND window) {
  POINT at{};
  GetCursorPos(&at);
  ScreenToClient(window, &at);
  return at;
}

}  // namespace controls

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* init) {
  return init != nullptr && init->dwSize == sizeof(INITCOMMONCONTROLSEX) ? TRUE : FALSE;
}

void InitCommonControls() {}
