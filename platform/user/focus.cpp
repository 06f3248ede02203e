// Keyboard focus, activation of top-level windows, and mouse capture.
#include <platform/kernel.h>

#include "frame.h"
#include "window_table.h"

namespace user {

void ForgetTimers(HWND window);

namespace {

HWND focus = nullptr;
HWND active = nullptr;
HWND capture = nullptr;

Window* TopLevelOf(Window* w) {
  while (w != nullptr && w->parent != nullptr) w = w->parent;
  return w;
}

bool IsInside(HWND window, HWND ancestor) {
  for (Window* w = Find(window); w != nullptr; w = w->parent) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

// WM_ACTIVATEAPP to every top-level window of this thread.
void TellApplication(bool activating, DWORD other_thread) {
  std::vector<HWND> windows;
  for (Window* w : Desktop()->children) {
    if (w->thread == GetCurrentThreadId()) windows.push_back(w->handle);
  }
  for (HWND w : windows) {
    if (IsWindow(w)) SendMessageA(w, WM_ACTIVATEAPP, activating ? TRUE : FALSE, other_thread);
  }
}

}  // namespace

HWND Activate(HWND window, WPARAM how) {
  Window* w = window != nullptr ? TopLevelOf(Find(window)) : nullptr;
  window = w != nullptr ? w->handle : nullptr;
  const HWND old = active;
  if (window == old) return old;
  if (w != nullptr && Desktop()->children.front() != w) {
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  active = window;
  if (old != nullptr && IsWindow(old)) {
    SendMessageA(old, WM_NCACTIVATE, FALSE, 0);
    SendMessageA(old, WM_ACTIVATE, MAKELPARAM(WA_INACTIVE, IsIconic(old)),
                 reinterpret_cast<LPARAM>(window));
  }
  if (old == nullptr && window != nullptr) TellApplication(true, 0);
  if (window == nullptr) {
    if (old != nullptr) TellApplication(false, 0);
    SetFocus(nullptr);
    return old;
  }
  if (!IsWindow(window) || active != window) return old;
  SendMessageA(window, WM_NCACTIVATE, TRUE, 0);
  SendMessageA(window, WM_ACTIVATE, MAKELPARAM(static_cast<int>(how), IsIconic(window)),
               reinterpret_cast<LPARAM>(old));
  // The default handling gives the window the focus; if nothing inside it
  // took it, the focus leaves the window that was active.
  if (active == window && focus != nullptr && !IsInside(focus, window)) SetFocus(nullptr);
  return old;
}

void ForgetWindow(Window* window) {
  if (focus != nullptr && IsInside(focus, window->handle)) focus = nullptr;
  if (capture == window->handle) capture = nullptr;
  if (active == window->handle) active = nullptr;
  ForgetTimers(window->handle);
}

}  // namespace user

HWND SetFocus(HWND window) {
  const HWND old = user::focus;
  if (window == nullptr) {
    user::focus = nullptr;
    if (old != nullptr && IsWindow(old)) SendMessageA(old, WM_KILLFOCUS, 0, 0);
    return old;
  }
  user::Window* w = user::Find(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  // A disabled window, or one in a disabled top-level window, takes no focus.
  for (user::Window* up = w; up != nullptr; up = up->parent) {
    if ((up->style & WS_DISABLED) != 0) return nullptr;
  }
  if (window == old) return old;
  user::Window* top = user::TopLevelOf(w);
  if (top->handle != user::active) {
    user::Activate(top->handle, WA_ACTIVE);
    if (!IsWindow(window)) return nullptr;
    if (user::focus == window) return old;
  }
  const HWND previous = user::focus;
  if (previous != nullptr && IsWindow(previous)) {
    SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (!IsWindow(window)) return nullptr;
  }
  user::focus = window;
  SendMessageA(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  return old;
}

HWND GetFocus() {
  return user::focus;
}

HWND SetActiveWindow(HWND window) {
  if (window != nullptr && !IsWindow(window)) return nullptr;
  return user::Activate(window, WA_ACTIVE);
}

HWND GetActiveWindow() {
  return user::active;
}

HWND GetForegroundWindow() {
  return user::active;
}

BOOL SetForegroundWindow(HWND window) {
  if (!IsWindow(window)) return FALSE;
  user::Activate(window, WA_ACTIVE);
  return TRUE;
}

HWND SetCapture(HWND window) {
  const HWND old = user::capture;
  if (window == old) return old;
  user::capture = window;
  if (old != nullptr && IsWindow(old)) {
    SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
  }
  return old;
}

BOOL ReleaseCapture() {
  const HWND old = user::capture;
  user::capture = nullptr;
  if (old != nullptr && IsWindow(old)) SendMessageA(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  return user::capture;
}

BOOL EnableWindow(HWND window, BOOL enable) {
  user::Window* w = user::Find(window);
  if (w == nullptr) return FALSE;
  const BOOL was_disabled = (w->style & WS_DISABLED) != 0 ? TRUE : FALSE;
  if ((enable != FALSE) == (was_disabled == FALSE)) return was_disabled;
  if (enable) {
    w->style &= ~WS_DISABLED;
  } else {
    // The window loses the mouse and the keyboard before it is told.
    if (user::capture != nullptr && user::IsInside(user::capture, window)) {
      SendMessageA(window, WM_CANCELMODE, 0, 0);
    }
    w = user::Find(window);
    if (w == nullptr) return was_disabled;
    w->style |= WS_DISABLED;
    if (user::focus != nullptr && user::IsInside(user::focus, window)) SetFocus(nullptr);
  }
  SendMessageA(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return was_disabled;
}
