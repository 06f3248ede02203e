// Dialog keys for windows holding controls: Tab and Shift+Tab move the focus,
// Enter presses the default button, Escape cancels.
//
// Left out: arrow keys within a group, mnemonics, and the default-button
// bookkeeping of the dialog class; a window that wants them handles them.
#include <vector>

#include "window_table.h"

namespace {

// EM_SETSEL of the edit control: a control that says DLGC_HASSETSEL gets its
// whole text selected when the focus comes to it by the keyboard.
constexpr UINT kSelectText = 0x00B1;

// The controls of a dialog in tab order: the z-order, with the children of a
// WS_EX_CONTROLPARENT container in the container's place.
void TabOrder(const user::Window* parent, std::vector<const user::Window*>& out) {
  for (const user::Window* child : parent->children) {
    if ((child->ex_style & WS_EX_CONTROLPARENT) != 0) {
      if ((child->style & WS_VISIBLE) != 0 && (child->style & WS_DISABLED) == 0) {
        TabOrder(child, out);
      }
    } else {
      out.push_back(child);
    }
  }
}

bool TakesTab(const user::Window* w) {
  return (w->style & WS_TABSTOP) != 0 && IsWindowVisible(w->handle) && !user::InDisabled(w);
}

HWND FindById(const user::Window* parent, LONG_PTR id) {
  for (const user::Window* child : parent->children) {
    if (child->id == id) return child->handle;
  }
  for (const user::Window* child : parent->children) {
    if (HWND found = FindById(child, id)) return found;
  }
  return nullptr;
}

void FocusControl(HWND control) {
  if ((SendMessageA(control, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) != 0) {
    SendMessageA(control, kSelectText, 0, -1);
  }
  SetFocus(control);
}

void Command(HWND dialog, int id) {
  user::Window* d = user::Find(dialog);
  if (d == nullptr) return;
  HWND control = FindById(d, id);
  // A disabled default button does not answer Enter or Escape.
  if (control != nullptr && user::InDisabled(user::Find(control))) return;
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(control));
}

// The id Enter stands for: the focused push button's, else the dialog's
// default (DM_GETDEFID), else IDOK.
int DefaultId(HWND dialog, HWND focus, LRESULT code) {
  if ((code & DLGC_DEFPUSHBUTTON) != 0) {
    if (user::Window* button = user::Find(focus)) return static_cast<int>(button->id);
  }
  const LRESULT answer = SendMessageA(dialog, DM_GETDEFID, 0, 0);
  if (HIWORD(static_cast<std::uintptr_t>(answer)) == DC_HASDEFID) {
    return LOWORD(static_cast<std::uintptr_t>(answer));
  }
  return IDOK;
}

}  // namespace

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  const user::Window* d = user::Find(dialog);
  if (d == nullptr) return nullptr;
  std::vector<const user::Window*> order;
  TabOrder(d, order);
  const auto n = static_cast<std::ptrdiff_t>(order.size());
  if (n == 0) return nullptr;
  std::ptrdiff_t start = previous ? n : -1;
  for (std::ptrdiff_t i = 0; i < n; ++i) {
    if (order[i]->handle == control) start = i;
  }
  const std::ptrdiff_t step = previous ? -1 : 1;
  for (std::ptrdiff_t k = 1; k <= n; ++k) {
    const std::ptrdiff_t i = ((start + step * k) % n + n) % n;
    if (TakesTab(order[i])) return order[i]->handle;
  }
  return control;
}

BOOL IsDialogMessageA(HWND dialog, MSG* msg) {
  if (msg == nullptr || user::Find(dialog) == nullptr) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (msg->message == WM_KEYDOWN || msg->message == WM_CHAR) {
    const LRESULT code =
        SendMessageA(msg->hwnd, WM_GETDLGCODE, msg->wParam, reinterpret_cast<LPARAM>(msg));
    if (msg->message == WM_KEYDOWN) {
      switch (msg->wParam) {
        case VK_TAB:
          if ((code & (DLGC_WANTTAB | DLGC_WANTALLKEYS)) != 0) break;
          if (HWND next = GetNextDlgTabItem(dialog, GetFocus(), GetKeyState(VK_SHIFT) < 0)) {
            FocusControl(next);
          }
          return TRUE;
        case VK_RETURN:
          if ((code & DLGC_WANTALLKEYS) != 0) break;
          Command(dialog, DefaultId(dialog, msg->hwnd, code));
          return TRUE;
        case VK_ESCAPE:
          if ((code & DLGC_WANTALLKEYS) != 0) break;
          Command(dialog, IDCANCEL);
          return TRUE;
        default:
          break;
      }
    }
  }
  TranslateMessage(msg);
  DispatchMessageA(msg);
  return TRUE;
}
