// Moving, sizing, restacking, showing and hiding a window in one call, with
// the messages the window hears and the repainting it needs.
#include <algorithm>

#include <platform/kernel.h>

#include "focus.h"
#include "frame.h"
#include "window_table.h"

namespace user {

namespace {

bool IsTopMost(const Window* w) {
  return (w->ex_style & WS_EX_TOPMOST) != 0;
}

// What a call changed, for the repainting and the report after it.
struct Change {
  bool was_visible = false;
  RECT old_rect{};
  RECT old_client{};
  RECT new_rect{};
  bool moved = false;
  bool sized = false;
  bool restacked = false;
};

// The request as WM_WINDOWPOSCHANGING shows it: the window's own place and
// size where the flags keep them, and no show or hide that changes nothing.
WINDOWPOS Request(const Window* w, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
  const bool visible = (w->style & WS_VISIBLE) != 0;
  if ((flags & SWP_NOMOVE) != 0) x = w->rect.left, y = w->rect.top;
  if ((flags & SWP_NOSIZE) != 0) {
    cx = w->rect.right - w->rect.left;
    cy = w->rect.bottom - w->rect.top;
  }
  if ((flags & SWP_SHOWWINDOW) != 0 && visible) flags &= ~SWP_SHOWWINDOW;
  if ((flags & SWP_HIDEWINDOW) != 0 && !visible) flags &= ~SWP_HIDEWINDOW;
  return {w->handle, insert_after, x, y, cx, cy, flags};
}

// Sets the frame and asks the window for its client area (WM_NCCALCSIZE);
// null when the window went meanwhile.
Window* Resize(Window* w, WINDOWPOS& pos, Change& change) {
  const HWND handle = w->handle;
  change.old_rect = w->rect;
  change.old_client = w->client;
  const RECT& old_rect = change.old_rect;
  const RECT new_rect{pos.x, pos.y, pos.x + std::max(pos.cx, 0), pos.y + std::max(pos.cy, 0)};
  change.new_rect = new_rect;
  change.moved = new_rect.left != old_rect.left || new_rect.top != old_rect.top;
  change.sized = new_rect.right - new_rect.left != old_rect.right - old_rect.left ||
                 new_rect.bottom - new_rect.top != old_rect.bottom - old_rect.top;
  {
    std::lock_guard guard(Lock());
    w->rect = new_rect;
  }
  if (!change.sized && !change.moved && (pos.flags & SWP_FRAMECHANGED) == 0) return w;
  NCCALCSIZE_PARAMS params{{new_rect, old_rect, change.old_client}, &pos};
  w = SendAndFind(handle, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
  if (w == nullptr) return nullptr;
  const RECT& client = params.rgrc[0];
  std::lock_guard guard(Lock());
  w->client = {client.left - new_rect.left, client.top - new_rect.top, client.right - new_rect.left,
               client.bottom - new_rect.top};
  return w;
}

// The z-order, then the visibility the flags ask for. The lock is held for
// the siblings too: a top-level window's are other threads' windows as well.
void RestackAndShow(Window* w, const WINDOWPOS& pos, Change& change) {
  std::lock_guard guard(Lock());
  if ((pos.flags & SWP_NOZORDER) == 0) {
    const auto& siblings = SiblingsOf(w);
    const auto place = std::find(siblings.begin(), siblings.end(), w) - siblings.begin();
    PlaceInZOrder(w, pos.hwndInsertAfter);
    change.restacked = std::find(siblings.begin(), siblings.end(), w) - siblings.begin() != place;
  }
  if ((pos.flags & SWP_SHOWWINDOW) != 0) w->style |= WS_VISIBLE;
  if ((pos.flags & SWP_HIDEWINDOW) != 0) w->style &= ~WS_VISIBLE;
}

// The window's new look, with the activation of a top-level window shown
// with it; null when the window went meanwhile.
Window* Repaint(Window* w, const WINDOWPOS& pos, const Change& change) {
  const HWND handle = w->handle;
  const bool visible = (w->style & WS_VISIBLE) != 0;
  const bool appears = visible && !change.was_visible && (pos.flags & SWP_NOREDRAW) == 0;
  constexpr UINT kEverything = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN;
  // A window that appears needs painting before anything else runs: a
  // modal loop started by its activation (a message box at start-up) paints
  // it while the box shows.
  if (appears) RedrawWindow(handle, nullptr, nullptr, kEverything);
  // A top-level window shown with activation is activated before it hears
  // of its new place.
  if (w->parent == nullptr && (pos.flags & SWP_SHOWWINDOW) != 0 &&
      (pos.flags & SWP_NOACTIVATE) == 0) {
    Activate(handle, WA_ACTIVE);
    w = Find(handle);
    if (w == nullptr) return nullptr;
  }
  if ((pos.flags & SWP_NOREDRAW) != 0) return w;
  if (appears) {
    // Then its frame and background are drawn at once.
    RedrawWindow(handle, nullptr, nullptr, RDW_ERASENOW | RDW_ALLCHILDREN);
  } else if (visible && w->parent != nullptr && (change.moved || change.restacked)) {
    // The window's pixels in its top-level surface were left at its old
    // place or under the siblings it now covers.
    RedrawWindow(handle, nullptr, nullptr, kEverything);
  } else if (visible && (change.sized || (pos.flags & SWP_FRAMECHANGED) != 0)) {
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME);
  }
  w = Find(handle);
  if (w == nullptr) return nullptr;
  // What the child left or uncovered: its old place in the parent, with
  // the siblings that lie there.
  if (w->parent != nullptr && change.was_visible &&
      (!visible || change.moved || change.sized || change.restacked)) {
    RedrawWindow(w->parent->handle, &change.old_rect, nullptr, kEverything);
  }
  return w;
}

// WM_WINDOWPOSCHANGED's account of the call: the place and size it ended
// with, and whether the client area moved or resized.
void Report(WINDOWPOS& pos, const Window* w, const Change& change) {
  const RECT& now = w->client;
  const RECT& before = change.old_client;
  if (!change.moved && now.left == before.left && now.top == before.top) {
    pos.flags |= kNoClientMove;
  }
  if (now.right - now.left == before.right - before.left &&
      now.bottom - now.top == before.bottom - before.top) {
    pos.flags |= kNoClientSize;
  }
  pos.x = change.new_rect.left;
  pos.y = change.new_rect.top;
  pos.cx = change.new_rect.right - change.new_rect.left;
  pos.cy = change.new_rect.bottom - change.new_rect.top;
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
  user::Change change;
  change.was_visible = (w->style & WS_VISIBLE) != 0;
  WINDOWPOS pos = user::Request(w, insertAfter, x, y, cx, cy, flags);
  if ((pos.flags & SWP_NOSENDCHANGING) == 0) {
    w = user::SendAndFind(handle, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    if (w == nullptr) return FALSE;
  }
  w = user::Resize(w, pos, change);
  if (w == nullptr) return FALSE;
  user::RestackAndShow(w, pos, change);
  w = user::Repaint(w, pos, change);
  if (w == nullptr) return TRUE;
  // A call that kept the window where, how big, how stacked and as shown as
  // it was ends with WM_WINDOWPOSCHANGING.
  constexpr UINT kStateChanges = SWP_SHOWWINDOW | SWP_HIDEWINDOW | SWP_FRAMECHANGED;
  if (!change.moved && !change.sized && !change.restacked && (pos.flags & SWP_NOZORDER) != 0 &&
      (pos.flags & kStateChanges) == 0) {
    return TRUE;
  }
  user::Report(pos, w, change);
  w = user::SendAndFind(handle, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
  if (w == nullptr) return TRUE;
  if ((pos.flags & SWP_HIDEWINDOW) != 0) user::ActivateOther(handle);
  return TRUE;
}

BOOL MoveWindow(HWND window, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(window, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}
