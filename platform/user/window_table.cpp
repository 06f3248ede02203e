#include "window_table.h"

#include <unordered_map>

#include <platform/kernel.h>

#include "../host/host.h"
#include "state.h"

namespace user {

namespace {

std::unordered_map<HWND, std::unique_ptr<Window>>& Windows() {
  static auto& windows = *new std::unordered_map<HWND, std::unique_ptr<Window>>;
  return windows;
}

std::uintptr_t next_handle = 0x10010;

// Every program that has windows links this file, so the lasting state is
// always registered for the headless host's Reset.
[[maybe_unused]] const bool state_reset_registered = host::SetStateReset(&ResetState);

}  // namespace

std::recursive_mutex& Lock() {
  static auto& lock = *new std::recursive_mutex;
  return lock;
}

Window* Desktop() {
  static Window* const desktop = [] {
    auto* d = new Window;
    d->handle = reinterpret_cast<HWND>(std::uintptr_t{0x10010 - 4});
    d->style = WS_VISIBLE | WS_CLIPCHILDREN;
    return d;
  }();
  return desktop;
}

Window* Find(HWND handle) {
  std::lock_guard guard(Lock());
  if (handle == Desktop()->handle) return Desktop();
  const auto it = Windows().find(handle);
  return it == Windows().end() ? nullptr : it->second.get();
}

DWORD ThreadOf(HWND handle) {
  std::lock_guard guard(Lock());
  const Window* w = Find(handle);
  return w != nullptr && w != Desktop() ? w->thread : 0;
}

WNDPROC ProcOf(HWND handle) {
  std::lock_guard guard(Lock());
  const Window* w = Find(handle);
  return w != nullptr && w != Desktop() ? w->proc : nullptr;
}

bool IsOwnWindow(HWND handle) {
  const DWORD thread = ThreadOf(handle);
  if (thread == 0) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return false;
  }
  if (thread != GetCurrentThreadId()) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  return true;
}

HWND AddWindow(std::unique_ptr<Window> window) {
  std::lock_guard guard(Lock());
  // Handles are never reused, so a stale one never names a new window.
  const auto handle = reinterpret_cast<HWND>(next_handle);
  next_handle += 4;
  window->handle = handle;
  Windows().emplace(handle, std::move(window));
  return handle;
}

void RemoveWindow(HWND handle) {
  std::lock_guard guard(Lock());
  Windows().erase(handle);
}

bool HasWindows(const WindowClass* cls) {
  std::lock_guard guard(Lock());
  for (const auto& [handle, window] : Windows()) {
    if (window->cls == cls) return true;
  }
  return false;
}

Window* SendAndFind(HWND handle, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer) {
  const LRESULT result = SendMessageA(handle, message, wParam, lParam);
  if (answer != nullptr) *answer = result;
  return Find(handle);
}

std::string Upper(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return out;
}

std::vector<Window*>& SiblingsOf(Window* window) {
  return (window->parent != nullptr ? window->parent : Desktop())->children;
}

POINT ScreenOrigin(const Window* window) {
  POINT at{window->rect.left, window->rect.top};
  if (window->parent != nullptr && window->parent != Desktop()) {
    const POINT parent = ClientOrigin(window->parent);
    at.x += parent.x;
    at.y += parent.y;
  }
  return at;
}

RECT ScreenRect(const Window* window) {
  const POINT at = ScreenOrigin(window);
  return {at.x, at.y, at.x + window->rect.right - window->rect.left,
          at.y + window->rect.bottom - window->rect.top};
}

RECT ClientScreenRect(const Window* window) {
  const POINT at = ClientOrigin(window);
  return {at.x, at.y, at.x + window->client.right - window->client.left,
          at.y + window->client.bottom - window->client.top};
}

Window* TopLevelOf(Window* window) {
  while (window != nullptr && window->parent != nullptr) window = window->parent;
  return window;
}

bool InDisabled(const Window* window) {
  for (; window != nullptr; window = window->parent) {
    if ((window->style & WS_DISABLED) != 0) return true;
  }
  return false;
}

POINT ClientOrigin(const Window* window) {
  if (window == Desktop()) return {0, 0};
  const POINT at = ScreenOrigin(window);
  return {at.x + window->client.left, at.y + window->client.top};
}

HICON IconOf(const Window* w, WPARAM size) {
  HICON first = size == ICON_SMALL ? w->small_icon : w->big_icon;
  HICON second = size == ICON_SMALL ? w->big_icon : w->small_icon;
  if (first != nullptr) return first;
  if (second != nullptr) return second;
  return w->cls != nullptr ? w->cls->info.hIcon : nullptr;
}

}  // namespace user
