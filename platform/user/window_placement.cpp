// The restored placement of a window: what GetWindowPlacement reports and
// SetWindowPlacement changes.
#include "frame.h"
#include "window_table.h"

namespace user {

namespace {

UINT ShowCommandOf(DWORD style) {
  if ((style & WS_MINIMIZE) != 0) return SW_SHOWMINIMIZED;
  if ((style & WS_MAXIMIZE) != 0) return SW_SHOWMAXIMIZED;
  return SW_SHOWNORMAL;
}

}  // namespace

void MoveToRestored(HWND handle) {
  std::optional<RECT> restored;
  {
    std::lock_guard guard(Lock());
    Window* w = Find(handle);
    if (w == nullptr || (w->style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0) return;
    restored.swap(w->restored);
  }
  if (!restored) return;
  SetWindowPos(handle, nullptr, restored->left, restored->top, restored->right - restored->left,
               restored->bottom - restored->top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace user

BOOL GetWindowPlacement(HWND window, WINDOWPLACEMENT* placement) {
  user::Window* w = user::Find(window);
  if (w == nullptr || placement == nullptr || placement->length != sizeof *placement) return FALSE;
  std::lock_guard guard(user::Lock());
  placement->flags = 0;
  placement->showCmd = user::ShowCommandOf(w->style);
  placement->ptMinPosition = {-1, -1};
  placement->ptMaxPosition = {-1, -1};
  placement->rcNormalPosition = w->restored.value_or(w->rect);
  return TRUE;
}

BOOL SetWindowPlacement(HWND window, const WINDOWPLACEMENT* placement) {
  user::Window* w = user::Find(window);
  if (w == nullptr || placement == nullptr || placement->length != sizeof *placement) return FALSE;
  const RECT& r = placement->rcNormalPosition;
  DWORD style = 0;
  {
    std::lock_guard guard(user::Lock());
    style = w->style;
    if ((style & (WS_MINIMIZE | WS_MAXIMIZE)) != 0) w->restored = r;
  }
  if ((style & (WS_MINIMIZE | WS_MAXIMIZE)) == 0) {
    SetWindowPos(window, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  if (placement->showCmd != user::ShowCommandOf(style)) {
    ShowWindow(window, static_cast<int>(placement->showCmd));
  }
  return TRUE;
}
