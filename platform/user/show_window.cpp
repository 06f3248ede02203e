// Showing and hiding windows, and the pop-ups a window owns.
#include "focus.h"
#include "frame.h"
#include "window_table.h"

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
