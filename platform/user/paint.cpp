// Update regions, WM_PAINT and the device contexts of windows.
//
// A window's update region is a list of rectangles in its client
// coordinates (Window::update); `erase` says a WM_ERASEBKGND is owed with the
// next paint, `ncpaint` that the frame needs a WM_NCPAINT.
//
// Any thread may mark a window for painting, as on the desktop, so the
// update region is read and changed under the window manager's lock; a
// thread that marks another's window wakes that thread, which paints it at
// its next look for messages. Taking the region (BeginPaint) and the
// messages sent at once (RDW_UPDATENOW, RDW_ERASENOW) stay with the window's
// own thread. A walk that starts at the desktop meets other threads' windows
// and holds the lock while it reads them.
//
// Order of painting: when the queue has nothing else, the window that gets
// WM_PAINT is the first one needing it in a walk of the top-level windows in
// z-order (topmost first), each visited before its children, children in
// z-order. A parent thus paints before the children drawn over it, and a
// window whose procedure never validates keeps getting WM_PAINT, as it would
// on the desktop.
#include <algorithm>
#include <memory>

#include <platform/gdi.h>
#include <platform/kernel.h>

#include "../gdi/device_context.h"
#include "host_windows.h"
#include "message_queue.h"
#include "paint.h"

namespace user {

namespace {

using gdi::DeviceContext;
using gdi::RectList;

RECT ClientBox(const Window* w) {
  if (w == Desktop()) return {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  return {0, 0, std::max(0, w->client.right - w->client.left),
          std::max(0, w->client.bottom - w->client.top)};
}

RECT Moved(RECT r, LONG dx, LONG dy) {
  return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

bool IsShown(const Window* w) {
  for (; w != nullptr; w = w->parent) {
    if ((w->style & WS_VISIBLE) == 0) return false;
  }
  return true;
}

// The whole window in its own client coordinates (frame included).
RECT FrameInClient(const Window* w) {
  if (w == Desktop()) return ClientBox(w);
  return {-w->client.left, -w->client.top, w->rect.right - w->rect.left - w->client.left,
          w->rect.bottom - w->rect.top - w->client.top};
}

bool HasFrame(const Window* w) {
  const RECT frame = FrameInClient(w);
  const RECT client = ClientBox(w);
  return frame.left != client.left || frame.top != client.top || frame.right != client.right ||
         frame.bottom != client.bottom;
}

// Whether `area` (client coordinates) reaches into the window's frame.
bool TouchesFrame(const Window* w, const RECT& area) {
  if (!HasFrame(w)) return false;
  RectList frame{FrameInClient(w)};
  gdi::Subtract(frame, ClientBox(w));
  gdi::Intersect(frame, area);
  return !frame.empty();
}

bool IncludesChildren(const Window* w, UINT flags) {
  if ((flags & RDW_ALLCHILDREN) != 0) return true;
  if ((flags & RDW_NOCHILDREN) != 0) return false;
  return (w->style & WS_CLIPCHILDREN) == 0;
}

// Invalidates or validates `area` (client coordinates, possibly reaching into
// the frame) of `w`, then of the children the flags include. `whole`: the
// area is the whole window, so RDW_FRAME reaches even a window without a
// frame (its WM_NCPAINT still comes).
void Mark(Window* w, const RECT& area, UINT flags, bool whole) {
  const RECT client = ClientBox(w);
  if (w == Desktop()) {
    // The desktop itself is never painted; only its windows are.
  } else if ((flags & RDW_INVALIDATE) != 0) {
    if (!IsShown(w)) return;
    RectList added{gdi::Clip(area, client)};
    // A picture drawn call by call marks the same area again and again: what
    // one piece of the update region already holds changes nothing.
    const bool marked =
        gdi::WithinOnePiece(w->update, added.front()) && (w->erase || (flags & RDW_ERASE) == 0);
    if (gdi::IsEmpty(added.front()) || marked) added.clear();
    if ((w->style & WS_CLIPCHILDREN) != 0 && !added.empty()) {
      for (const Window* child : w->children) {
        if ((child->style & WS_VISIBLE) != 0) gdi::Subtract(added, child->rect);
      }
    }
    for (const RECT& r : added) gdi::Add(w->update, r);
    if (!added.empty() && (flags & RDW_ERASE) != 0) w->erase = true;
    if ((flags & RDW_FRAME) != 0 && (whole || TouchesFrame(w, area))) w->ncpaint = true;
  } else if ((flags & RDW_VALIDATE) != 0) {
    gdi::Subtract(w->update, area);
    if ((flags & (RDW_FRAME | RDW_NOFRAME)) != 0 && (whole || TouchesFrame(w, area))) {
      w->ncpaint = false;
    }
    if ((flags & RDW_NOERASE) != 0 || w->update.empty()) w->erase = false;
  }
  if (!IncludesChildren(w, flags)) return;
  const RECT reach = gdi::Clip(area, client);
  for (Window* child : w->children) {
    if ((flags & RDW_INVALIDATE) != 0 && (child->style & WS_VISIBLE) == 0) continue;
    const RECT part = gdi::Clip(reach, child->rect);
    if (gdi::IsEmpty(part)) continue;
    // What the parent repaints over a child reaches the child's frame too.
    const UINT child_flags = (flags & RDW_INVALIDATE) != 0 ? flags | RDW_FRAME : flags;
    const bool covered = part.left == child->rect.left && part.top == child->rect.top &&
                         part.right == child->rect.right && part.bottom == child->rect.bottom;
    Mark(child,
         Moved(part, -(child->rect.left + child->client.left),
               -(child->rect.top + child->client.top)),
         child_flags, covered);
  }
}

// A context on the window or its client area, cut to what can be seen of it
// and to `clip` (client coordinates) when one is given.
std::unique_ptr<DeviceContext> MakeContext(const Window* w, DeviceContext::Area area,
                                           const RectList* clip = nullptr) {
  if (w == Desktop()) {
    const RECT screen{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return std::make_unique<DeviceContext>(w->handle, DeviceContext::Area::kScreen, POINT{0, 0},
                                           RectList{screen});
  }
  const bool whole = area == DeviceContext::Area::kWindow;
  std::lock_guard guard(Lock());
  const POINT origin = whole ? ScreenOrigin(w) : ClientOrigin(w);
  RectList visible = VisibleArea(w, whole);
  gdi::Offset(visible, -origin.x, -origin.y);
  if (clip != nullptr) visible = gdi::Intersection(visible, *clip);
  return std::make_unique<DeviceContext>(w->handle, area, origin, std::move(visible));
}

// A client context clipped to the update region, for erasing and painting.
std::unique_ptr<DeviceContext> MakeUpdateContext(const Window* w) {
  return MakeContext(w, DeviceContext::Area::kClient, &w->update);
}

void SendNcPaint(HWND handle) {
  {
    std::lock_guard guard(Lock());
    Window* w = Find(handle);
    if (w == nullptr || !w->ncpaint) return;
    w->ncpaint = false;
  }
  // 1: the whole frame.
  SendMessageA(handle, WM_NCPAINT, 1, 0);
}

// Sends the owed WM_ERASEBKGND; returns whether the window erased.
bool SendErase(HWND handle, HDC dc) {
  {
    std::lock_guard guard(Lock());
    Window* w = Find(handle);
    if (w == nullptr) return false;
    w->erase = false;
  }
  return SendMessageA(handle, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) != 0;
}

bool NeedsPaint(const Window* w) {
  return !w->update.empty() || w->internal_paint;
}

// RDW_ERASENOW and RDW_UPDATENOW: the owed messages, parents first, for the
// calling thread's windows.
void UpdateNow(HWND handle, UINT flags) {
  Window* w = Find(handle);
  if (w == nullptr || !IsShown(w)) return;
  if (w != Desktop() && w->thread != GetCurrentThreadId()) return;
  bool paint = false;
  {
    std::lock_guard guard(Lock());
    paint = (flags & RDW_UPDATENOW) != 0 && NeedsPaint(w);
    if (paint) w->internal_paint = false;
  }
  if (paint) {
    SendMessageA(handle, WM_PAINT, 0, 0);
  } else {
    SendNcPaint(handle);
    std::unique_ptr<DeviceContext> dc;
    {
      std::lock_guard guard(Lock());
      w = Find(handle);
      if (w != nullptr && w->erase && NeedsPaint(w)) dc = MakeUpdateContext(w);
    }
    if (dc != nullptr) SendErase(handle, dc->handle());
  }
  std::vector<HWND> children;
  {
    std::lock_guard guard(Lock());
    w = Find(handle);
    if (w == nullptr || !IncludesChildren(w, flags)) return;
    for (const Window* child : w->children) children.push_back(child->handle);
  }
  for (HWND child : children) UpdateNow(child, flags);
}

// The threads other than the caller that marking `w` concerns: its own, or
// for the desktop those of the top-level windows. A child belongs to its
// parent's thread, so the walk stops there: marking stays off the paths
// that redraw a window call by call.
std::vector<DWORD> OtherThreads(const Window* w) {
  std::vector<DWORD> threads;
  const DWORD self = GetCurrentThreadId();
  if (w != Desktop()) {
    if (w->thread != self) threads.push_back(w->thread);
    return threads;
  }
  for (const Window* top : w->children) {
    if (top->thread != self &&
        std::find(threads.begin(), threads.end(), top->thread) == threads.end()) {
      threads.push_back(top->thread);
    }
  }
  return threads;
}

bool Redraw(Window* w, const RECT* rect, UINT flags) {
  if ((flags & (RDW_INTERNALPAINT | RDW_NOINTERNALPAINT)) != 0 && w != Desktop()) {
    std::lock_guard guard(Lock());
    w->internal_paint = (flags & RDW_INTERNALPAINT) != 0;
  }
  if ((flags & (RDW_INVALIDATE | RDW_VALIDATE)) != 0) {
    std::vector<DWORD> woken;
    {
      std::lock_guard guard(Lock());
      Mark(w, rect != nullptr ? *rect : FrameInClient(w), flags, rect == nullptr);
      if ((flags & RDW_INVALIDATE) != 0) woken = OtherThreads(w);
    }
    for (DWORD thread : woken) OwePaint(thread);
  }
  if ((flags & (RDW_UPDATENOW | RDW_ERASENOW)) != 0) UpdateNow(w->handle, flags);
  return true;
}

// The window a handle names, the desktop for null (every window).
Window* Target(HWND window) {
  return window == nullptr ? Desktop() : Find(window);
}

// The first window needing paint in the walk described at the top.
Window* FindPainting(Window* w, HWND filter, DWORD thread) {
  if ((w->style & WS_VISIBLE) == 0) return nullptr;
  if (w != Desktop() && w->thread == thread) {
    if (NeedsPaint(w) && PassesFilter(w->handle, WM_PAINT, filter, 0, 0)) return w;
  }
  for (Window* child : w->children) {
    if (Window* found = FindPainting(child, filter, thread)) return found;
  }
  return nullptr;
}

// Frames waiting for WM_NCPAINT while their client areas need nothing.
void FindFramesOnly(const Window* w, DWORD thread, std::vector<HWND>& out) {
  if ((w->style & WS_VISIBLE) == 0) return;
  if (w != Desktop() && w->thread == thread && w->ncpaint && !NeedsPaint(w)) {
    out.push_back(w->handle);
  }
  for (const Window* child : w->children) FindFramesOnly(child, thread, out);
}

}  // namespace

gdi::RectList VisibleArea(const Window* w, bool whole_window) {
  if (w == nullptr || !IsShown(w)) return {};
  RectList area{whole_window ? ScreenRect(w) : ClientScreenRect(w)};
  if (gdi::IsEmpty(area.front())) return {};
  for (const Window* p = w->parent; p != nullptr && p != Desktop(); p = p->parent) {
    gdi::Intersect(area, ClientScreenRect(p));
  }
  for (const Window* c = w; c->parent != nullptr && c->parent != Desktop(); c = c->parent) {
    if ((c->style & WS_CLIPSIBLINGS) == 0) continue;
    for (const Window* sibling : c->parent->children) {
      if (sibling == c) break;  // the rest lie below
      if ((sibling->style & WS_VISIBLE) != 0) gdi::Subtract(area, ScreenRect(sibling));
    }
  }
  if ((w->style & WS_CLIPCHILDREN) != 0) {
    for (const Window* child : w->children) {
      if ((child->style & WS_VISIBLE) != 0) gdi::Subtract(area, ScreenRect(child));
    }
  }
  return area;
}

bool TakePaintMessage(MSG& msg, HWND filter) {
  const DWORD thread = GetCurrentThreadId();
  // Frames alone are repainted on the spot; they never make a WM_PAINT.
  std::vector<HWND> frames;
  {
    std::lock_guard guard(Lock());
    FindFramesOnly(Desktop(), thread, frames);
  }
  for (HWND frame : frames) SendNcPaint(frame);
  HWND painting = nullptr;
  {
    std::lock_guard guard(Lock());
    Window* w = FindPainting(Desktop(), filter, thread);
    if (w == nullptr) return false;
    painting = w->handle;
    // An internal paint is owed once, whatever the procedure does with it.
    w->internal_paint = false;
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  msg = {painting, WM_PAINT, 0, 0, MessageTime(), cursor};
  return true;
}

}  // namespace user

BOOL RedrawWindow(HWND window, const RECT* rect, void* /* region: not supported */, UINT flags) {
  user::Window* w = user::Target(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return user::Redraw(w, rect, flags) ? TRUE : FALSE;
}

BOOL InvalidateRect(HWND window, const RECT* rect, BOOL erase) {
  // A null window means every window, frames too, erased before returning.
  const UINT all = window == nullptr ? RDW_ALLCHILDREN | RDW_FRAME | RDW_ERASE | RDW_ERASENOW : 0;
  return RedrawWindow(window, rect, nullptr, RDW_INVALIDATE | (erase ? RDW_ERASE : 0) | all);
}

BOOL ValidateRect(HWND window, const RECT* rect) {
  // A null window invalidates and redraws every window, as documented.
  if (window == nullptr) return InvalidateRect(nullptr, rect, TRUE);
  return RedrawWindow(window, rect, nullptr, RDW_VALIDATE);
}

BOOL GetUpdateRect(HWND window, LPRECT rect, BOOL erase) {
  std::unique_ptr<gdi::DeviceContext> dc;
  {
    std::lock_guard guard(user::Lock());
    user::Window* w = user::Find(window);
    if (w == nullptr || w == user::Desktop()) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (rect != nullptr) *rect = gdi::Bounds(w->update);
    // The erasing is sent at once, so it is the window's own thread's.
    if (erase && w->erase && !w->update.empty() && w->thread == GetCurrentThreadId()) {
      dc = user::MakeUpdateContext(w);
    }
  }
  if (dc != nullptr) user::SendErase(window, dc->handle());
  std::lock_guard guard(user::Lock());
  const user::Window* w = user::Find(window);
  return w != nullptr && !w->update.empty() ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND window) {
  return RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

HDC BeginPaint(HWND window, PAINTSTRUCT* paint) {
  if (!user::IsOwnWindow(window) || paint == nullptr) return nullptr;
  *paint = {};
  // The region is taken and validated before the window is told anything,
  // so what a WM_ERASEBKGND handler invalidates stays for the next paint.
  gdi::RectList region;
  bool erase = false;
  std::unique_ptr<gdi::DeviceContext> painting;
  {
    std::lock_guard guard(user::Lock());
    user::Window* w = user::Find(window);
    region = gdi::Intersection(w->update, {user::ClientBox(w)});
    erase = w->erase;
    w->erase = false;
    w->update.clear();
    painting = user::MakeContext(w, gdi::DeviceContext::Area::kClient, &region);
  }
  painting->set_painting(true);
  paint->hdc = gdi::DeviceContext::Keep(std::move(painting));
  paint->rcPaint = gdi::Bounds(region);
  user::SendNcPaint(window);
  if (erase && user::Find(window) != nullptr) {
    // fErase: the background still needs erasing because the window did not.
    paint->fErase = user::SendErase(window, paint->hdc) ? FALSE : TRUE;
  }
  return paint->hdc;
}

BOOL EndPaint(HWND, const PAINTSTRUCT* paint) {
  if (paint == nullptr) return FALSE;
  const gdi::DeviceContext* dc = gdi::DeviceContext::FromHandle(paint->hdc);
  if (dc != nullptr && dc->painting()) gdi::DeviceContext::Destroy(paint->hdc);
  user::PresentIfDue();
  return TRUE;
}

namespace {

HDC WindowContext(HWND window, gdi::DeviceContext::Area area) {
  const user::Window* w = user::Target(window);
  if (w == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  return gdi::DeviceContext::Keep(user::MakeContext(w, area));
}

}  // namespace

HDC GetDC(HWND window) {
  return WindowContext(window, gdi::DeviceContext::Area::kClient);
}

HDC GetWindowDC(HWND window) {
  return WindowContext(window, gdi::DeviceContext::Area::kWindow);
}

int ReleaseDC(HWND, HDC handle) {
  const gdi::DeviceContext* dc = gdi::DeviceContext::FromHandle(handle);
  // A context from BeginPaint belongs to EndPaint.
  if (dc == nullptr || dc->painting()) return 0;
  gdi::DeviceContext::Destroy(handle);
  user::PresentIfDue();
  return 1;
}

HWND WindowFromDC(HDC handle) {
  gdi::DeviceContext* dc = gdi::DeviceContext::FromHandle(handle);
  return dc != nullptr ? dc->window() : nullptr;
}
