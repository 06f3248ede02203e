// Keyboard focus, activation of top-level windows, and mouse capture.
#include <algorithm>

#include <platform/kernel.h>

#include "../host/host.h"
#include "focus.h"
#include "message_queue.h"
#include "state.h"
#include "window_table.h"

namespace user {

namespace {

HWND focus = nullptr;
HWND active = nullptr;
HWND capture = nullptr;

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
  // The default handling gives the window the focus; if it kept none inside,
  // the window itself takes it.
  if (active == window && (focus == nullptr || !IsInside(focus, window))) MoveFocus(window);
  return old;
}

HWND MoveFocus(HWND window) {
  const HWND previous = focus;
  if (previous == window) return previous;
  // The new focus is recorded first, so the old window's handler sees it, and
  // may move it on: then the new window is not told.
  focus = window;
  if (previous != nullptr && IsWindow(previous)) {
    SendMessageA(previous, WM_KILLFOCUS, reinterpret_cast<WPARAM>(window), 0);
    if (focus != window) return previous;
  }
  if (window != nullptr && IsWindow(window)) {
    SendMessageA(window, WM_SETFOCUS, reinterpret_cast<WPARAM>(previous), 0);
  }
  return previous;
}

bool CanActivate(const Window* w) {
  return w != nullptr && w->parent == nullptr && (w->style & WS_VISIBLE) != 0 &&
         (w->style & WS_DISABLED) == 0;
}

void ActivateOther(HWND leaving) {
  Window* w = Find(leaving);
  if (w == nullptr || active != leaving) return;
  // A pop-up's owner first, then the windows below it, then those above.
  HWND next = nullptr;
  if ((w->style & WS_POPUP) != 0 && CanActivate(w->owner)) next = w->owner->handle;
  const auto& tops = Desktop()->children;
  const auto at = std::find(tops.begin(), tops.end(), w);
  for (auto it = at; next == nullptr && it != tops.end(); ++it) {
    if (*it != w && CanActivate(*it)) next = (*it)->handle;
  }
  for (auto it = tops.begin(); next == nullptr && it != at; ++it) {
    if (CanActivate(*it)) next = (*it)->handle;
  }
  Activate(next, WA_ACTIVE);
}

void ResetFocus() {
  focus = active = capture = nullptr;
}

void ForgetWindow(Window* window) {
  if (focus != nullptr && IsInside(focus, window->handle)) focus = nullptr;
  if (capture == window->handle) {
    capture = nullptr;
    host::Current().SetMouseCapture(nullptr);
  }
  if (active == window->handle) active = nullptr;
  ForgetTimers(window->handle);
}

}  // namespace user

HWND SetFocus(HWND window) {
  if (window == nullptr) return user::MoveFocus(nullptr);
  user::Window* w = user::Find(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (window == user::focus) return window;
  // A disabled or minimised window, or one inside such a window, takes no focus.
  for (user::Window* up = w; up != nullptr; up = up->parent) {
    if ((up->style & (WS_DISABLED | WS_MINIMIZE)) != 0) return nullptr;
  }
  const HWND top = user::TopLevelOf(w)->handle;
  if (top != user::active) {
    user::Activate(top, WA_ACTIVE);
    // The activation's handlers may have destroyed the window or activated another.
    if (!IsWindow(window) || top != user::active) return nullptr;
  }
  return user::MoveFocus(window);
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
  host::Current().SetMouseCapture(window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr);
  if (old != nullptr && IsWindow(old)) {
    SendMessageA(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(window));
  }
  return old;
}

BOOL ReleaseCapture() {
  const HWND old = user::capture;
  user::capture = nullptr;
  if (old != nullptr) host::Current().SetMouseCapture(nullptr);
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
    std::lock_guard guard(user::Lock());
    w->style &= ~WS_DISABLED;
  } else {
    // The window loses the mouse and the keyboard before it is told.
    if (user::capture != nullptr && user::IsInside(user::capture, window)) {
      SendMessageA(window, WM_CANCELMODE, 0, 0);
    }
    w = user::Find(window);
    if (w == nullptr) return was_disabled;
    {
      std::lock_guard guard(user::Lock());
      w->style |= WS_DISABLED;
    }
    if (user::focus != nullptr && user::IsInside(user::focus, window)) SetFocus(nullptr);
  }
  SendMessageA(window, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return was_disabled;
}
