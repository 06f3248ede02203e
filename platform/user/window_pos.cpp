// Where windows are: their rectangles, coordinates from one window to
// another, and the window under a point.
#include <algorithm>
#include <vector>

#include <platform/kernel.h>

#include "../gdi/rect_list.h"
#include "frame.h"
#include "hit_test.h"
#include "window_table.h"

BOOL GetWindowRect(HWND window, LPRECT rect) {
  user::Window* w = user::Find(window);
  if (w == nullptr || rect == nullptr) return FALSE;
  if (w == user::Desktop()) {
    *rect = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return TRUE;
  }
  *rect = user::ScreenRect(w);
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

namespace {

using gdi::Contains;

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
