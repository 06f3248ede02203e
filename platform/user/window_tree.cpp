// Where a window stands among the others: parent, owner, siblings, children,
// and what follows from them.
#include <algorithm>
#include <vector>

#include <platform/kernel.h>

#include "window_table.h"

HWND GetDesktopWindow() {
  return user::Desktop()->handle;
}

HWND GetParent(HWND window) {
  std::lock_guard guard(user::Lock());
  user::Window* w = user::Find(window);
  if (w == nullptr) return nullptr;
  if (w->parent != nullptr) return w->parent->handle;
  if ((w->style & WS_POPUP) != 0 && w->owner != nullptr) return w->owner->handle;
  return nullptr;
}

HWND GetAncestor(HWND window, UINT how) {
  user::Window* w = user::Find(window);
  if (w == nullptr || w == user::Desktop()) return nullptr;
  switch (how) {
    case GA_PARENT:
      return w->parent != nullptr ? w->parent->handle : user::Desktop()->handle;
    case GA_ROOT:
      return user::TopLevelOf(w)->handle;
    case GA_ROOTOWNER:
      for (w = user::TopLevelOf(w); w->owner != nullptr; w = user::TopLevelOf(w->owner)) {
      }
      return w->handle;
    default:
      return nullptr;
  }
}

HWND SetParent(HWND child, HWND newParent) {
  user::Window* w = user::Find(child);
  user::Window* parent = newParent != nullptr ? user::Find(newParent) : nullptr;
  if (w == nullptr || (newParent != nullptr && parent == nullptr)) return nullptr;
  if (parent == user::Desktop()) parent = nullptr;
  const HWND old = w->parent != nullptr ? w->parent->handle : user::Desktop()->handle;
  {
    std::lock_guard guard(user::Lock());
    auto& old_siblings = user::SiblingsOf(w);
    old_siblings.erase(std::remove(old_siblings.begin(), old_siblings.end(), w),
                       old_siblings.end());
    w->parent = parent;
    user::SiblingsOf(w).insert(user::SiblingsOf(w).begin(), w);
  }
  if (IsWindowVisible(child)) InvalidateRect(child, nullptr, TRUE);
  return old;
}

HWND GetWindow(HWND window, UINT command) {
  user::Window* w = user::Find(window);
  if (w == nullptr) return nullptr;
  if (command == GW_CHILD) return w->children.empty() ? nullptr : w->children.front()->handle;
  if (command == GW_OWNER) return w->owner != nullptr ? w->owner->handle : nullptr;
  if (command == GW_ENABLEDPOPUP) {
    // The first enabled, visible window it owns in z-order; itself if none.
    for (const user::Window* top : user::Desktop()->children) {
      if (top->owner == w && (top->style & (WS_VISIBLE | WS_DISABLED)) == WS_VISIBLE) {
        return top->handle;
      }
    }
    return window;
  }
  auto& siblings = user::SiblingsOf(w);
  if (siblings.empty()) return nullptr;
  const auto at = std::find(siblings.begin(), siblings.end(), w);
  switch (command) {
    case GW_HWNDFIRST:
      return siblings.front()->handle;
    case GW_HWNDLAST:
      return siblings.back()->handle;
    case GW_HWNDNEXT:
      return at + 1 < siblings.end() ? (*(at + 1))->handle : nullptr;
    case GW_HWNDPREV:
      return at != siblings.begin() ? (*(at - 1))->handle : nullptr;
    default:
      return nullptr;
  }
}

BOOL IsWindowVisible(HWND window) {
  for (user::Window* w = user::Find(window); w != nullptr; w = w->parent) {
    if ((w->style & WS_VISIBLE) == 0) return FALSE;
  }
  return user::Find(window) != nullptr ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND window) {
  user::Window* w = user::Find(window);
  return w != nullptr && (w->style & WS_DISABLED) == 0 ? TRUE : FALSE;
}

BOOL IsChild(HWND parent, HWND window) {
  user::Window* w = user::Find(window);
  for (w = w != nullptr ? w->parent : nullptr; w != nullptr; w = w->parent) {
    if (w->handle == parent) return TRUE;
  }
  return FALSE;
}

BOOL IsIconic(HWND window) {
  user::Window* w = user::Find(window);
  return w != nullptr && (w->style & WS_MINIMIZE) != 0 ? TRUE : FALSE;
}

BOOL IsZoomed(HWND window) {
  user::Window* w = user::Find(window);
  return w != nullptr && (w->style & WS_MAXIMIZE) != 0 ? TRUE : FALSE;
}

BOOL EnumThreadWindows(DWORD threadId, WNDENUMPROC proc, LPARAM lParam) {
  std::vector<HWND> windows;
  for (user::Window* w : user::Desktop()->children) {
    if (w->thread == threadId) windows.push_back(w->handle);
  }
  for (HWND w : windows) {
    if (IsWindow(w) && !proc(w, lParam)) return FALSE;
  }
  return TRUE;
}

namespace {

void CollectChildren(user::Window* w, std::vector<HWND>& out) {
  for (user::Window* child : w->children) {
    out.push_back(child->handle);
    CollectChildren(child, out);
  }
}

}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM lParam) {
  user::Window* w = user::Find(parent);
  if (w == nullptr) return FALSE;
  std::vector<HWND> windows;
  CollectChildren(w, windows);
  for (HWND child : windows) {
    if (IsWindow(child) && !proc(child, lParam)) return FALSE;
  }
  return TRUE;
}

DWORD GetWindowThreadProcessId(HWND window, LPDWORD processId) {
  user::Window* w = user::Find(window);
  if (w == nullptr) return 0;
  if (processId != nullptr) *processId = GetCurrentProcessId();
  return w->thread;
}
