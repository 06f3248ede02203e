// The "BUTTON" class: push buttons, default push buttons and check boxes
// (two- and three-state, automatic or not), driven by the mouse, the space
// bar and the BM_ messages, telling the parent through WM_COMMAND.
//
// Automatic radio buttons take the mark from the others of their group.
// Left out: radio buttons' own look, group boxes, owner-drawn buttons and
// images.
#include <algorithm>
#include <vector>

#include <platform/api.h>

#include "button.h"
#include "system_classes.h"

namespace controls {
namespace {

constexpr int kStateOffset = 0;  // the ButtonState pointer in the extra bytes

ButtonState* State(HWND button) {
  return reinterpret_cast<ButtonState*>(GetWindowLongPtrA(button, kStateOffset));
}

DWORD Kind(HWND button) {
  return static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE)) & BS_TYPEMASK;
}

// The highest check state a kind of button can hold.
WPARAM MaxCheck(DWORD kind) {
  switch (kind) {
    case BS_CHECKBOX:
    case BS_AUTOCHECKBOX:
    case BS_RADIOBUTTON:
    case BS_AUTORADIOBUTTON:
      return BST_CHECKED;
    case BS_3STATE:
    case BS_AUTO3STATE:
      return BST_INDETERMINATE;
    default:
      return BST_UNCHECKED;
  }
}

void Notify(HWND button, WORD code) {
  HWND parent = GetParent(button);
  if (parent == nullptr) return;
  SendMessageA(parent, WM_COMMAND, MAKEWPARAM(GetWindowLongA(button, GWL_ID), code),
               reinterpret_cast<LPARAM>(button));
}

// State changes show at once, without a WM_PAINT, as on the desktop.
void Redraw(HWND button) {
  ButtonState* s = State(button);
  if (s == nullptr || !IsWindowVisible(button)) return;
  HDC dc = GetDC(button);
  PaintButton(button, dc, *s);
  ReleaseDC(button, dc);
}

void SetPushed(HWND button, bool pushed) {
  SendMessageA(button, BM_SETSTATE, pushed ? TRUE : FALSE, 0);
}

bool StartsGroup(HWND window) {
  return (GetWindowLongA(window, GWL_STYLE) & WS_GROUP) != 0;
}

// An automatic radio button takes the mark from the others of its group:
// the siblings from the last WS_GROUP at or before it up to the next one.
void CheckInGroup(HWND button) {
  std::vector<HWND> siblings;
  for (HWND w = GetWindow(button, GW_HWNDFIRST); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
    siblings.push_back(w);
  }
  const auto self = std::find(siblings.begin(), siblings.end(), button);
  if (self == siblings.end()) return;
  auto first = self;
  while (first != siblings.begin() && !StartsGroup(*first)) --first;
  auto last = self + 1;
  while (last != siblings.end() && !StartsGroup(*last)) ++last;
  for (auto w = first; w != last; ++w) {
    if (*w != button && Kind(*w) == BS_AUTORADIOBUTTON) {
      SendMessageA(*w, BM_SETCHECK, BST_UNCHECKED, 0);
    }
  }
  SendMessageA(button, BM_SETCHECK, BST_CHECKED, 0);
}

// The end of a press that counts: an automatic box moves its own mark, then
// the parent hears of the click.
void Release(HWND button, bool clicked) {
  SetPushed(button, false);
  if (!clicked) return;
  ButtonState* s = State(button);
  if (s == nullptr) return;
  const WPARAM check = s->state & (BST_CHECKED | BST_INDETERMINATE);
  switch (Kind(button)) {
    case BS_AUTOCHECKBOX:
      SendMessageA(button, BM_SETCHECK, check == BST_UNCHECKED ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case BS_AUTO3STATE:
      SendMessageA(button, BM_SETCHECK, check == BST_INDETERMINATE ? BST_UNCHECKED : check + 1, 0);
      break;
    case BS_AUTORADIOBUTTON:
      CheckInGroup(button);
      break;
    default:
      break;
  }
  Notify(button, BN_CLICKED);
}

LRESULT ButtonProc(HWND button, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(button, kStateOffset, reinterpret_cast<LONG_PTR>(new ButtonState));
    return DefWindowProcA(button, message, wParam, lParam);
  }
  ButtonState* s = State(button);
  if (s == nullptr) return DefWindowProcA(button, message, wParam, lParam);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE));
  const DWORD kind = style & BS_TYPEMASK;
  switch (message) {
    case WM_NCDESTROY:
      SetWindowLongPtrA(button, kStateOffset, 0);
      delete s;
      return DefWindowProcA(button, message, wParam, lParam);
    // FIXME: radio buttons answer WM_GETDLGCODE as boxes.
    case WM_GETDLGCODE:
      if (kind == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (kind == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      return DLGC_BUTTON;
    case WM_ERASEBKGND:
      return TRUE;  // the painting covers every pixel
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(button, &paint);
      PaintButton(button, dc, *s);
      EndPaint(button, &paint);
      return 0;
    }
    case WM_SETFONT:
      s->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(static_cast<std::uintptr_t>(lParam)) != 0) InvalidateRect(button, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(s->font);
    case WM_SETTEXT: {
      const LRESULT result = DefWindowProcA(button, message, wParam, lParam);
      Redraw(button);
      return result;
    }
    case WM_ENABLE:
      Redraw(button);
      return 0;
    case WM_SETFOCUS:
      s->state |= BST_FOCUS;
      Redraw(button);
      if ((style & BS_NOTIFY) != 0) Notify(button, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      s->state &= ~BST_FOCUS;
      s->space_down = false;
      if (s->mouse_down && GetCapture() == button) ReleaseCapture();
      s->mouse_down = false;
      if ((s->state & BST_PUSHED) != 0) {
        SetPushed(button, false);
      } else {
        Redraw(button);
      }
      if ((style & BS_NOTIFY) != 0) Notify(button, BN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDBLCLK:
      if ((style & BS_NOTIFY) != 0) {
        Notify(button, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      SetFocus(button);
      SetCapture(button);
      s = State(button);
      if (s == nullptr) return 0;
      s->mouse_down = true;
      SetPushed(button, true);
      return 0;
    case WM_MOUSEMOVE:
      if (s->mouse_down && GetCapture() == button) {
        RECT client;
        GetClientRect(button, &client);
        SetPushed(button, PtInRect(&client, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != 0);
      }
      return 0;
    case WM_LBUTTONUP: {
      if (!s->mouse_down) return 0;
      s->mouse_down = false;
      RECT client;
      GetClientRect(button, &client);
      const bool inside = PtInRect(&client, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}) != 0;
      // The capture goes before the parent hears of the click, so a handler
      // that opens a modal box finds the mouse free.
      ReleaseCapture();
      Release(button, inside);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (s->mouse_down && reinterpret_cast<HWND>(lParam) != button) {
        s->mouse_down = false;
        SetPushed(button, false);
      }
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_SPACE && !s->mouse_down && !s->space_down) {
        s->space_down = true;
        SetPushed(button, true);
      }
      return 0;
    case WM_KEYUP:
      if (wParam == VK_SPACE && s->space_down) {
        s->space_down = false;
        Release(button, true);
      }
      return 0;
    case BM_GETCHECK:
      return static_cast<LRESULT>(s->state & (BST_CHECKED | BST_INDETERMINATE));
    case BM_SETCHECK: {
      const WPARAM check = wParam > MaxCheck(kind) ? MaxCheck(kind) : wParam;
      if ((s->state & (BST_CHECKED | BST_INDETERMINATE)) != check) {
        s->state = (s->state & ~(BST_CHECKED | BST_INDETERMINATE)) | check;
        Redraw(button);
      }
      return 0;
    }
    case BM_GETSTATE:
      return static_cast<LRESULT>(s->state);
    case BM_SETSTATE: {
      const bool pushed = wParam != 0;
      if (pushed == ((s->state & BST_PUSHED) != 0)) return 0;
      s->state = pushed ? (s->state | BST_PUSHED) : (s->state & ~BST_PUSHED);
      Redraw(button);
      if ((style & BS_NOTIFY) != 0) Notify(button, pushed ? BN_HILITE : BN_UNHILITE);
      return 0;
    }
    case BM_SETSTYLE:
      SetWindowLongA(button, GWL_STYLE,
                     static_cast<LONG>((style & ~BS_TYPEMASK) | (wParam & BS_TYPEMASK)));
      if (lParam != 0) InvalidateRect(button, nullptr, TRUE);
      return 0;
    case BM_CLICK:
      // A click by program is a press and release at the top-left corner.
      SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, 0);
      SendMessageA(button, WM_LBUTTONUP, 0, 0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(button, message, wParam, lParam);
}

}  // namespace

void RegisterButtonClass() {
  RegisterSystemClass("Button", CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_PARENTDC, ButtonProc,
                      IDC_ARROW);
}

}  // namespace controls
