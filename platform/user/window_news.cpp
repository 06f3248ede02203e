// What the host's window manager did to our windows, acted on before the
// input that came after it.
#include "../gdi/surface.h"
#include "focus.h"
#include "input_queue.h"

namespace user {

namespace {

// The window manager's word on a window, acted on as the desktop would.
void HandleNews(const host::InputEvent& e) {
  HWND window = e.window;
  RECT frame{};
  RECT client{};
  if (!GetWindowRect(window, &frame) || !GetClientRect(window, &client)) return;
  POINT corner{0, 0};
  ClientToScreen(window, &corner);
  switch (e.kind) {
    case host::InputEvent::kClose:
      if (IsWindowEnabled(window)) SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case host::InputEvent::kActivate:
      // A window disabled under a modal one hands the activation to it.
      if (!IsWindowEnabled(window)) window = GetWindow(window, GW_ENABLEDPOPUP);
      if (GetActiveWindow() != window && IsWindowEnabled(window) && IsWindowVisible(window)) {
        Activate(window, WA_ACTIVE);
      }
      break;
    case host::InputEvent::kDeactivate:
      if (GetActiveWindow() == window) Activate(nullptr, WA_INACTIVE);
      break;
    case host::InputEvent::kMoved:
      SetWindowPos(window, nullptr, frame.left + e.position.x - corner.x,
                   frame.top + e.position.y - corner.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case host::InputEvent::kResized:
      SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + e.size.cx - client.right,
                   frame.bottom - frame.top + e.size.cy - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case host::InputEvent::kExposed:
      gdi::DamageWindowSurface(window, {0, 0, frame.right - frame.left, frame.bottom - frame.top});
      break;
    default:
      break;
  }
}

}  // namespace

void HandleWindowNews() {
  std::deque<host::InputEvent> news;
  {
    std::lock_guard guard(QueueLock());
    news.swap(input.window_news);
  }
  for (const host::InputEvent& e : news) HandleNews(e);
}

}  // namespace user
