#include "app/tavrion/delay_wait.h"

#include <platform/kernel.h>
#include <platform/windows.h>

namespace tavrion {

namespace {

bool IsKey(UINT message) {
  return message >= WM_KEYFIRST && message <= WM_KEYLAST;
}

bool IsClientMouse(UINT message) {
  return message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
}

bool IsNonClientMouse(UINT message) {
  return message >= WM_NCMOUSEMOVE && message <= WM_NCMBUTTONDBLCLK;
}

// What of the user's input may act during the wait: the box, the window's
// close button and Alt+F4.
bool MayAct(const MSG& msg, HWND box) {
  if (IsClientMouse(msg.message)) return msg.hwnd == box;
  if (IsNonClientMouse(msg.message)) return msg.wParam == HTCLOSE;
  if (IsKey(msg.message)) {
    return msg.message == WM_SYSKEYDOWN && msg.wParam == VK_F4;
  }
  return true;
}

UINT MillisecondsToNextSecond() {
  SYSTEMTIME now{};
  GetLocalTime(&now);
  return 1000u - now.wMilliseconds;
}

}  // namespace

void AwaitNextSecond(HWND box, bool& cancelled) {
  const UINT_PTR timer = SetTimer(nullptr, 0, MillisecondsToNextSecond(), nullptr);
  for (;;) {
    MSG msg{};
    while (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) WaitMessage();
    if (msg.message == WM_QUIT) {
      // The loop that ends the program is the application's: pass it on.
      PostQuitMessage(static_cast<int>(msg.wParam));
      cancelled = true;
      break;
    }
    if (msg.message == WM_TIMER && msg.hwnd == nullptr && msg.wParam == timer) break;
    if (MayAct(msg, box)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    if (cancelled) break;
  }
  KillTimer(nullptr, timer);
}

}  // namespace tavrion
