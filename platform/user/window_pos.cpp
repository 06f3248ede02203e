// Showing, placing and finding windows.
#include <algorithm>
#include <vector>

#include <platform/kernel.h>

#include "focus.h"
#include "frame.h"
#include "hit_test.h"
#include "window_table.h"

namespace user {

namespace {

bool IsTopMost(const Window* w) {
  return (w->ex_style & WS_EX_TOPMOST) != 0;
}

}  // namespace

void PlaceInZOrder(Window* window, HWND insert_after) {
  std::lock_guard guard(Lock());
  auto& siblings = SiblingsOf(window);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
  const bool top_level = window->parent == nullptr;
  // The first position below every top-most window.
  const auto below_topmost = [&] {
    return std::find_if(siblings.begin(), siblings.end(),
                        [](const Window* w) { return !IsTopMost(w); });
  };
  if (insert_after == HWND_TOPMOST) {
    if (top_level) window->ex_style |= WS_EX_TOPMOST;
    siblings.insert(siblings.begin(), window);
  } else if (insert_after == HWND_NOTOPMOST) {
    window->ex_style &= ~WS_EX_TOPMOST;
    siblings.insert(below_topmost(), window);
  } else if (insert_after == HWND_TOP) {
    siblings.insert(top_level && !IsTopMost(window) ? below_topmost() : siblings.begin(), window);
  } else if (insert_after == HWND_BOTTOM) {
    siblings.push_back(window);
  } else {
    auto at = std::find_if(siblings.begin(), siblings.end(),
                           [&](const Window* w) { return w->handle == insert_after; });
    siblings.insert(at == siblings.end() ? siblings.begin() : at + 1, window);
  }
}

}  // namespace user

BOOL SetWindowPos(HWND handle, HWND insertAfter, int x, int y, int cx, int cy, UINT flags) {
  user::Window* w = user::Find(handle);
  if (w == nullptr || w == user::Desktop()) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const bool was_visible = (w->style & WS_VISIBLE) != 0;
  if ((flags & SWP_NOMOVE) != 0) x = w->rect.left, y = w->rect.top;
  if ((flags & SWP_NOSIZE) != 0) {
    cx = w->rect.right - w->rect.left;
    cy = w->rect.bottom - w->rect.top;
  }
  if ((flags & SWP_SHOWWINDOW) != 0 && was_visible) flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) != 0 && !was_visible) flags &= ~SWP_HIDEWINDOW;
  WINDOWPOS pos{handle, insertAfter, x, y, cx, cy, flags};
  if ((flags & SWP_NOSENDCHANGING) == 0) {
    w = user::SendAndFind(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (w == nullptr) return FALSE;
  }
  const RECT old_rect = w->rect;
  const RECT old_client = w->client;
  const RECT new_rect{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
  const bool moved = new_rect.left != old_rect.left || new_rect.top != old_rect.top;
  const bool sized = new_rect.right - new_rect.left != old_rect.right - old_rect.left ||
                     new_rect.bottom - new_rect.top != old_rect.bottom - old_rect.top;
  {
    std::lock_guard guard(user::Lock());
    w->rect = new_rect;
  }
  if (sized || moved || (pos.flags & SWP_FRAMECHANGED) != 0) {
    NCCALCSIZE_PARAMS params{{new_rect, old_rect, old_client}, &pos};
    w = user::SendAndFind(handle, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
    if (w == nullptr) return FALSE;
    const RECT& client = params.rgrc[0];
    std::lock_guard guard(user::Lock());
    w->client = {client.left - new_rect.left, client.top - new_rect.top,
                 client.right - new_rect.left, client.bottom - new_rect.top};
  }
  bool restacked = false;
  if ((pos.flags & SWP_NOZORDER) == 0) {
    const auto& siblings = user::SiblingsOf(w);
    const auto place = std::find(siblings.begin(), siblings.end(), w) - siblings.begin();
    user::PlaceInZOrder(w, pos.hwndInsertAfter);
    restacked = std::find(siblings.begin(), siblings.end(), w) - siblings.begin() != place;
  }
  {
    std::lock_guard guard(user::Lock());
    if ((pos.flags & SWP_SHOWWINDOW) != 0) w->style |= WS_VISIBLE;
    if ((pos.flags & SWP_HIDEWINDOW) != 0) w->style &= ~WS_VISIBLE;
  }

  const bool visible = (w->style & WS_VISIBLE) != 0;
  const bool appears = visible && !was_visible && (pos.flags & SWP_NOREDRAW) == 0;
  // A window that appears needs painting before anything else runs: a
  // modal loop started by its activation (a message box at start-up) paints
  // it while the box shows.
  if (appears) {
    RedrawWindow(handle, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
  }
  // A top-level window shown with activation is activated before it hears
  // of its new place.
  if (w->parent == nullptr && (pos.flags & SWP_SHOWWINDOW) != 0 &&
      (pos.flags & SWP_NOACTIVATE) == 0) {
    user::Activate(handle, WA_ACTIVE);
    w = user::Find(handle);
    if (w == nullptr) return TRUE;
  }
  if ((pos.flags & SWP_NOREDRAW) == 0) {
    if (appears) {
      // Then its frame and background are drawn at once.
      RedrawWindow(handle, nullptr, nullptr, RDW_ERASENOW | RDW_ALLCHILDREN);
    } else if (visible && w->parent != nullptr && (moved || restacked)) {
      // The window's pixels in its top-level surface were left at its old
      // place or under the siblings it now covers.
      RedrawWindow(handle, nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    } else if (visible && (sized || (pos.flags & SWP_FRAMECHANGED) != 0)) {
      w->ncpaint = true;
      InvalidateRect(handle, nullptr, TRUE);
    }
    w = user::Find(handle);
    if (w == nullptr) return TRUE;
    // What the child left or uncovered: its old place in the parent, with
    // the siblings that lie there.
    if (w->parent != nullptr && was_visible && (!visible || moved || sized || restacked)) {
      RedrawWindow(w->parent->handle, &old_rect, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
    }
  }
  const RECT client_now = w->client;
  if (!moved && client_now.left == old_client.left && client_now.top == old_client.top) {
    pos.flags |= user::kNoClientMove;
  }
  if (client_now.right - client_now.left == old_client.right - old_client.left &&
      client_now.bottom - client_now.top == old_client.bottom - old_client.top) {
    pos.flags |= user::kNoClientSize;
  }
  pos.x = new_rect.left;
  pos.y = new_rect.top;
  pos.cx = new_rect.right - new_rect.left;
  pos.cy = new_rect.bottom - new_rect.top;
  w = user::SendAndFind(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (w == nullptr) return TRUE;
  if ((pos.flags & SWP_HIDEWINDOW) != 0) user::ActivateOther(handle);
  return TRUE;
}

BOOL ShowWindow(HWND handle, int command) {
  user::Window* w = user::Find(handle);
  if (w == nullptr) return FALSE;
  const bool was_visible = (w->style & WS_VISIBLE) != 0;
  UINT flags = SWP_NOMOVE | SWP_NOSIZE;
  bool show = true;
  switch (command) {
    case SW_HIDE:
      show = false;
      flags |= SWP_HIDEWINDOW | SWP_NOZORDER | SWP_NOACTIVATE;
      break;
    case SW_SHOWNOACTIVATE:
    case SW_SHOWNA:
    case SW_SHOWMINNOACTIVE:
      flags |= SWP_SHOWWINDOW | SWP_NOACTIVATE | SWP_NOZORDER;
      break;
    default:
      flags |= SWP_SHOWWINDOW;
      if (w->parent != nullptr) flags |= SWP_NOACTIVATE | SWP_NOZORDER;
      break;
  }
  {
    std::lock_guard guard(user::Lock());
    if (command == SW_SHOWMAXIMIZED || command == SW_MAXIMIZE) w->style |= WS_MAXIMIZE;
    if (command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE) {
      w->style |= WS_MINIMIZE;
    }
    if (command == SW_RESTORE || command == SW_SHOWNORMAL) w->style &= ~(WS_MINIMIZE | WS_MAXIMIZE);
  }
  if (command == SW_RESTORE || command == SW_SHOWNORMAL) user::MoveToRestored(handle);
  if (show != was_visible) {
    if (user::SendAndFind(handle, WM_SHOWWINDOW, show ? TRUE : FALSE, 0) == nullptr) {
      return was_visible ? TRUE : FALSE;
    }
    SetWindowPos(handle, HWND_TOP, 0, 0, 0, 0, flags);
    // A hidden window's focus goes to its parent (to nobody from a top-level one).
    const HWND focus = GetFocus();
    if (!show && focus != nullptr && (focus == handle || IsChild(handle, focus))) {
      const HWND parent = GetAncestor(handle, GA_PARENT);
      SetFocus(parent != GetDesktopWindow() ? parent : nullptr);
    }
  } else if (show && w->parent == nullptr && (flags & SWP_NOACTIVATE) == 0) {
    user::Activate(handle, WA_ACTIVE);
  }
  return was_visible ? TRUE : FALSE;
}

BOOL ShowOwnedPopups(HWND owner, BOOL show) {
  user::Window* o = user::Find(owner);
  if (o == nullptr || !user::IsOwnWindow(owner)) return FALSE;
  std::vector<HWND> popups;
  {
    std::lock_guard guard(user::Lock());
    for (user::Window* w : user::Desktop()->children) {
      if (w->owner != o || (w->style & WS_POPUP) == 0) continue;
      // Hides what is shown; shows again only what it hid itself.
      const bool visible = (w->style & WS_VISIBLE) != 0;
      if (show ? visible || !w->hidden_by_owner : !visible) continue;
      w->hidden_by_owner = !show;
      popups.push_back(w->handle);
    }
  }
  for (HWND popup : popups) {
    SendMessageA(popup, WM_SHOWWINDOW, show, show ? SW_PARENTOPENING : SW_PARENTCLOSING);
  }
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL GetWindowRect(HWND window, LPRECT rect) {
  user::Window* w = user::Find(window);
  if (w == nullptr || rect == nullptr) return FALSE;
  if (w == user::Desktop()) {
    *rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return TRUE;
  }
  const POINT at = user::ScreenOrigin(w);
  *rect = {at.x, at.y, at.x + w->rect.right - w->rect.left, at.y + w->rect.bottom - w->rect.top};
  return TRUE;
}

BOOL GetClientRect(HWND window, LPRECT rect) {
  user::Window* w = user::Find(window);
  if (w == nullptr || rect == nullptr) return FALSE;
  if (w == user::Desktop()) return GetWindowRect(window, rect);
  *rect = {0, 0, std::max(0, w->client.right - w->client.left),
           std::max(0, w->client.bottom - w->client.top)};
  return TRUE;
}

BOOL ClientToScreen(HWND window, LPPOINT point) {
  user::Window* w = user::Find(window);
  if (w == nullptr || point == nullptr) return FALSE;
  const POINT origin = user::ClientOrigin(w);
  point->x += origin.x;
  point->y += origin.y;
  return TRUE;
}

BOOL ScreenToClient(HWND window, LPPOINT point) {
  user::Window* w = user::Find(window);
  if (w == nullptr || point == nullptr) return FALSE;
  const POINT origin = user::ClientOrigin(w);
  point->x -= origin.x;
  point->y -= origin.y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, LPPOINT points, UINT count) {
  user::Window* a = from != nullptr ? user::Find(from) : user::Desktop();
  user::Window* b = to != nullptr ? user::Find(to) : user::Desktop();
  if (a == nullptr || b == nullptr) return 0;
  const POINT pa = user::ClientOrigin(a);
  const POINT pb = user::ClientOrigin(b);
  const int dx = pa.x - pb.x;
  const int dy = pa.y - pb.y;
  for (UINT i = 0; i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(MAKELPARAM(dx, dy));
}

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

namespace {

bool Contains(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

user::Window* Deepest(user::Window* w, POINT screen) {
  const POINT origin = user::ClientOrigin(w);
  const POINT local{screen.x - origin.x, screen.y - origin.y};
  const RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  if (!Contains(client, local)) return w;
  for (user::Window* child : w->children) {
    if ((child->style & WS_VISIBLE) == 0 || (child->style & WS_DISABLED) != 0) continue;
    if (Contains(child->rect, local)) return Deepest(child, screen);
  }
  return w;
}

}  // namespace

// Windows of the calling thread are asked WM_NCHITTEST, so one that answers
// HTTRANSPARENT (a hint under the cursor) gives way to what lies beneath;
// other threads' windows are taken by their rectangles.
HWND WindowFromPoint(POINT point) {
  std::vector<HWND> tops;
  {
    std::lock_guard guard(user::Lock());
    for (user::Window* top : user::Desktop()->children) {
      if ((top->style & WS_VISIBLE) != 0 && Contains(top->rect, point)) tops.push_back(top->handle);
    }
  }
  for (HWND top : tops) {
    {
      std::lock_guard guard(user::Lock());
      user::Window* w = user::Find(top);
      if (w == nullptr) continue;
      if (w->thread != GetCurrentThreadId()) return Deepest(w, point)->handle;
    }
    const user::Hit hit = user::HitTestFrom(top, point);
    if (hit.found) return hit.window;
  }
  return nullptr;
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  user::Window* w = user::Find(parent);
  if (w == nullptr) return nullptr;
  const RECT client{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
  if (!Contains(client, point)) return nullptr;
  for (user::Window* child : w->children) {
    if (Contains(child->rect, point)) return child->handle;
  }
  return parent;
}

BOOL AdjustWindowRectEx(LPRECT rect, DWORD style, BOOL, DWORD exStyle) {
  if (rect == nullptr) return FALSE;
  const user::Insets insets = user::FrameInsets(style, exStyle);
  rect->left -= insets.left;
  rect->top -= insets.top;
  rect->right += insets.right;
  rect->bottom += insets.bottom;
  return TRUE;
}

// There are no menus; the calls that trim a window's system menu are accepted.
HMENU GetSystemMenu(HWND window, BOOL) {
  return IsWindow(window) ? reinterpret_cast<HMENU>(window) : nullptr;
}

BOOL DeleteMenu(HMENU menu, UINT, UINT) {
  return menu != nullptr ? TRUE : FALSE;
}

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom) {
  if (rect == nullptr) return FALSE;
  *rect = {left, top, right, bottom};
  return TRUE;
}

BOOL SetRectEmpty(LPRECT rect) {
  return SetRect(rect, 0, 0, 0, 0);
}

BOOL IsRectEmpty(const RECT* r) {
  return r == nullptr || r->right <= r->left || r->bottom <= r->top ? TRUE : FALSE;
}

BOOL OffsetRect(LPRECT r, int dx, int dy) {
  if (r == nullptr) return FALSE;
  r->left += dx, r->right += dx, r->top += dy, r->bottom += dy;
  return TRUE;
}

BOOL InflateRect(LPRECT r, int dx, int dy) {
  if (r == nullptr) return FALSE;
  r->left -= dx, r->right += dx, r->top -= dy, r->bottom += dy;
  return TRUE;
}

BOOL IntersectRect(LPRECT out, const RECT* a, const RECT* b) {
  if (out == nullptr || a == nullptr || b == nullptr) return FALSE;
  const RECT r{std::max(a->left, b->left), std::max(a->top, b->top), std::min(a->right, b->right),
               std::min(a->bottom, b->bottom)};
  if (IsRectEmpty(&r)) {
    *out = {};
    return FALSE;
  }
  *out = r;
  return TRUE;
}

BOOL UnionRect(LPRECT out, const RECT* a, const RECT* b) {
  if (out == nullptr || a == nullptr || b == nullptr) return FALSE;
  if (IsRectEmpty(a)) {
    *out = *b;
  } else if (IsRectEmpty(b)) {
    *out = *a;
  } else {
    *out = {std::min(a->left, b->left), std::min(a->top, b->top), std::max(a->right, b->right),
            std::max(a->bottom, b->bottom)};
  }
  return IsRectEmpty(out) ? FALSE : TRUE;
}

BOOL PtInRect(const RECT* r, POINT p) {
  return r != nullptr && Contains(*r, p) ? TRUE : FALSE;
}

BOOL EqualRect(const RECT* a, const RECT* b) {
  return a != nullptr && b != nullptr && a->left == b->left && a->top == b->top &&
                 a->right == b->right && a->bottom == b->bottom
             ? TRUE
             : FALSE;
}
