// Mouse routing:
// - With the capture set, the capture window gets every mouse message as a
//   client-area message, in its own client coordinates; no hit test is made
//   and no WM_SETCURSOR sent.
// - Otherwise the windows under the point are asked WM_NCHITTEST from the
//   topmost down, children before their parent; HTTRANSPARENT passes the
//   point on to the next. Disabled children are passed over, as hidden ones
//   are, so their parent gets the mouse. A disabled top-level window ends the
//   search: it gets only WM_SETCURSOR with HTERROR (and beeps at a press)
//   and the mouse event goes to no one.
// - On removal, a button press on a window that is not the active window
//   sends it WM_MOUSEACTIVATE (so a click on a control of the active form
//   asks too, and the control's default handling asks its parent); unless the
//   answer is MA_NOACTIVATE or MA_NOACTIVATEANDEAT, its top-level window is
//   activated (WA_CLICKACTIVE) if it is not active already; the ...ANDEAT
//   answers swallow the press. Then WM_SETCURSOR, then the message itself.
// - A press is a double click when the previous press was of the same button
//   on the same window within GetDoubleClickTime() and the SM_CXDOUBLECLK x
//   SM_CYDOUBLECLK box around it, and either the class has CS_DBLCLKS or the
//   press is on the frame; the press after a double click starts anew.
// - Consecutive mouse moves that wait in the queue are merged into the last.
#include <cstdlib>
#include <vector>

#include <platform/kernel.h>

#include "../gdi/rect_list.h"
#include "focus.h"
#include "hit_test.h"
#include "input_routing.h"
#include "key_state.h"
#include "window_table.h"

namespace user {

namespace {

using gdi::Contains;

std::vector<HWND> Handles(const std::vector<Window*>& windows) {
  std::vector<HWND> out;
  out.reserve(windows.size());
  for (const Window* w : windows) out.push_back(w->handle);
  return out;
}

// The hit-test search under a window that contains the point: its children
// first, topmost first, then the window itself.
Hit Visit(HWND handle, POINT p) {
  Window* w = Find(handle);
  if (w == nullptr) return {};
  if ((w->style & WS_DISABLED) != 0) return {handle, HTERROR, true};
  if (Contains(ClientScreenRect(w), p)) {
    for (HWND child_handle : Handles(w->children)) {
      Window* child = Find(child_handle);
      if (child == nullptr || (child->style & (WS_VISIBLE | WS_DISABLED)) != WS_VISIBLE) continue;
      if (!Contains(ScreenRect(child), p)) continue;
      const Hit hit = Visit(child_handle, p);
      if (hit.found) return hit;
    }
  }
  if (Find(handle) == nullptr) return {};
  const LRESULT code = SendMessageA(handle, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y));
  if (Find(handle) == nullptr || code == HTTRANSPARENT) return {};
  return {handle, code, true};
}

// `preferred`: the top-level window the host saw the event in, searched
// first, as the desktop's own stacking may differ from ours.
Hit HitTest(POINT p, HWND preferred) {
  if (preferred != nullptr) {
    const Window* top = Find(preferred);
    if (top != nullptr && (top->style & WS_VISIBLE) != 0 && Contains(ScreenRect(top), p)) {
      const Hit hit = Visit(preferred, p);
      if (hit.found) return hit;
    }
  }
  for (HWND handle : Handles(Desktop()->children)) {
    Window* top = Find(handle);
    if (top == nullptr || top->thread != GetCurrentThreadId()) continue;
    if ((top->style & WS_VISIBLE) == 0 || !Contains(ScreenRect(top), p)) continue;
    const Hit hit = Visit(handle, p);
    if (hit.found) return hit;
  }
  return {};
}

WPARAM MouseKeys(const Pending& item) {
  std::array<BYTE, 256> keys_down = input.key_state;
  ApplyEvent(keys_down, item.event);
  WPARAM keys = 0;
  if ((keys_down[VK_LBUTTON] & 0x80) != 0) keys |= MK_LBUTTON;
  if ((keys_down[VK_RBUTTON] & 0x80) != 0) keys |= MK_RBUTTON;
  if ((keys_down[VK_MBUTTON] & 0x80) != 0) keys |= MK_MBUTTON;
  if ((keys_down[VK_SHIFT] & 0x80) != 0) keys |= MK_SHIFT;
  if ((keys_down[VK_CONTROL] & 0x80) != 0) keys |= MK_CONTROL;
  return keys;
}

UINT ClientMouseMessage(const host::InputEvent& e) {
  const UINT down = e.button == 1   ? WM_RBUTTONDOWN
                    : e.button == 2 ? WM_MBUTTONDOWN
                                    : WM_LBUTTONDOWN;
  switch (e.kind) {
    case host::InputEvent::kButtonDown:
      return down;
    case host::InputEvent::kButtonUp:
      return down + 1;
    default:
      return WM_MOUSEMOVE;
  }
}

bool IsDoubleClick(const Pending& item, const Window* w, bool client) {
  if (!input.last_click.valid || input.last_click.window != w->handle ||
      input.last_click.button != item.event.button) {
    return false;
  }
  if (item.time - input.last_click.time > GetDoubleClickTime()) return false;
  if (std::abs(item.event.position.x - input.last_click.at.x) >
          GetSystemMetrics(SM_CXDOUBLECLK) / 2 ||
      std::abs(item.event.position.y - input.last_click.at.y) >
          GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
    return false;
  }
  // The frame takes double clicks whatever the class.
  return !client || (w->cls != nullptr && (w->cls->info.style & CS_DBLCLKS) != 0);
}

// A press in a child tells its parents, each in its own client coordinates,
// up to the first window that asks not to tell (or a top-level one).
void NotifyParentsOfPress(HWND window, UINT message, POINT screen) {
  for (HWND child = window;;) {
    if ((GetWindowLongA(child, GWL_STYLE) & WS_CHILD) == 0 ||
        (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_NOPARENTNOTIFY) != 0) {
      return;
    }
    const HWND parent = GetParent(child);
    if (parent == nullptr) return;
    POINT p = screen;
    ScreenToClient(parent, &p);
    SendMessageA(parent, WM_PARENTNOTIFY, MAKEWPARAM(message, 0), MAKELPARAM(p.x, p.y));
    child = parent;
  }
}

}  // namespace

Routed RouteMouse(const Pending& item) {
  const host::InputEvent& e = item.event;
  const POINT p = e.position;
  Routed r;
  if (e.kind == host::InputEvent::kWheel) {
    HWND target = GetFocus() != nullptr ? GetFocus() : GetActiveWindow();
    if (target == nullptr || InDisabled(Find(target))) return r;
    r.kind = Routed::kMessage;
    r.window = target;
    r.message = WM_MOUSEWHEEL;
    r.wParam = MAKEWPARAM(static_cast<int>(MouseKeys(item)), e.wheel_delta);
    r.lParam = MAKELPARAM(p.x, p.y);
    return r;
  }
  r.mouse_message = ClientMouseMessage(e);
  if (HWND capture = GetCapture(); capture != nullptr && Find(capture) != nullptr) {
    r.window = capture;
    r.captured = true;
  } else {
    const Hit hit = HitTest(p, e.window);
    if (!hit.found) return r;
    r.window = hit.window;
    r.hit = hit.code;
    if (hit.code == HTERROR) {
      r.kind = Routed::kRefused;
      return r;
    }
  }
  Window* w = Find(r.window);
  if (w == nullptr) return r;
  const bool client = r.captured || r.hit == HTCLIENT;
  UINT message = r.mouse_message;
  if (e.kind == host::InputEvent::kButtonDown && IsDoubleClick(item, w, client)) {
    r.double_click = true;
    message += 2;  // ...BUTTONDOWN to ...BUTTONDBLCLK
  }
  r.kind = Routed::kMessage;
  if (client) {
    const POINT origin = ClientOrigin(w);
    r.message = message;
    r.wParam = MouseKeys(item);
    r.lParam = MAKELPARAM(p.x - origin.x, p.y - origin.y);
  } else {
    r.message = message - WM_MOUSEMOVE + WM_NCMOUSEMOVE;
    r.wParam = static_cast<WPARAM>(r.hit);
    r.lParam = MAKELPARAM(p.x, p.y);
  }
  return r;
}

bool DeliverMouse(const Pending& item, Routed& r) {
  const host::InputEvent& e = item.event;
  bool eat = false;
  if (e.kind == host::InputEvent::kButtonDown && !r.captured && r.window != GetActiveWindow()) {
    Window* top = TopLevelOf(Find(r.window));
    const HWND top_handle = top != nullptr ? top->handle : nullptr;
    const LRESULT answer =
        SendMessageA(r.window, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top_handle),
                     MAKELPARAM(static_cast<int>(r.hit), static_cast<int>(r.mouse_message)));
    eat = answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT;
    const bool activate = answer != MA_NOACTIVATE && answer != MA_NOACTIVATEANDEAT;
    if (activate && top_handle != nullptr && IsWindow(top_handle) &&
        GetActiveWindow() != top_handle) {
      Activate(top_handle, WA_CLICKACTIVE);
    }
  }
  if (!r.captured && IsWindow(r.window)) {
    SendMessageA(r.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(r.window),
                 MAKELPARAM(static_cast<int>(r.hit), static_cast<int>(r.mouse_message)));
  }
  if (e.kind == host::InputEvent::kButtonDown) {
    input.last_click = {!r.double_click, r.window, e.button, item.time, e.position};
  }
  Window* w = Find(r.window);
  if (eat || w == nullptr) return false;
  if (r.message == WM_LBUTTONDOWN || r.message == WM_RBUTTONDOWN || r.message == WM_MBUTTONDOWN) {
    NotifyParentsOfPress(r.window, r.message, e.position);
    w = Find(r.window);
    if (w == nullptr) return false;
  }
  if (r.message >= WM_MOUSEFIRST && r.message <= WM_MOUSELAST && r.message != WM_MOUSEWHEEL) {
    // Activation may have moved the window.
    const POINT origin = ClientOrigin(w);
    r.lParam = MAKELPARAM(e.position.x - origin.x, e.position.y - origin.y);
  }
  return true;
}

Hit HitTestFrom(HWND top, POINT screen) {
  return Visit(top, screen);
}

}  // namespace user
