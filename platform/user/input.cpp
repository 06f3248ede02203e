// Input: the host's mouse and keyboard events turned into messages, routed as
// the desktop routes them, and the key state and cursor position behind them.
//
// Events wait in an input queue of our own, each with the time it arrived and
// where the mouse was. A message is made for an event only when a retrieval
// looks at it, so it goes to the window that is under the mouse or has the
// focus then. An event whose message a filter refuses stays queued; events
// behind it may be taken first, as with the desktop's input queue.
//
// How the mouse and the keys are routed: mouse_routing.cpp, key_messages.cpp.
#include <algorithm>

#include <platform/kernel.h>

#include "input_routing.h"
#include "key_state.h"
#include "message_queue.h"
#include "window_table.h"

namespace user {

namespace {

Routed Route(const Pending& item) {
  return IsMouse(item.event) ? RouteMouse(item) : RouteKey(item);
}

// The key state follows the events as their messages are taken.
void Took(const Pending& item) {
  const host::InputEvent& e = item.event;
  if (e.kind == host::InputEvent::kKeyDown) {
    const UINT key = Generic(e.virtual_key);
    if (key == VK_MENU) {
      input.alt_alone = !IsDown(VK_MENU) || input.alt_alone;
    } else {
      input.alt_alone = false;
    }
  }
  ApplyEvent(input.key_state, e);
}

// An event that goes to no one leaves only its mark on the key state.
void Drop(const Pending& item, const Routed& r) {
  if (!Remove(item.serial)) return;
  Took(item);
  if (r.kind == Routed::kRefused && Find(r.window) != nullptr) {
    SendMessageA(r.window, WM_SETCURSOR, reinterpret_cast<WPARAM>(r.window),
                 MAKELPARAM(static_cast<int>(HTERROR), static_cast<int>(r.mouse_message)));
  }
}

MSG MakeMsg(const Pending& item, const Routed& r) {
  return {r.window, r.message, r.wParam, r.lParam, item.time, item.cursor};
}

}  // namespace

bool TakeInputMessage(MSG& msg, HWND filter, UINT min, UINT max, bool remove) {
  Pull();
  HandleWindowNews();
  std::size_t index = 0;
  for (;;) {
    Pending item;
    if (!PendingAt(index, item)) return false;
    Routed r = Route(item);
    if (!StillPending(item.serial)) {
      // A handler asked during routing took it; look again from the start.
      index = 0;
      continue;
    }
    if (r.kind != Routed::kMessage) {
      Drop(item, r);
      continue;
    }
    if (!PassesFilter(r.window, r.message, filter, min, max)) {
      ++index;
      continue;
    }
    if (!remove) {
      msg = MakeMsg(item, r);
      return true;
    }
    if (!Remove(item.serial)) continue;
    Took(item);
    if (IsMouse(item.event) && item.event.kind != host::InputEvent::kWheel) {
      if (!DeliverMouse(item, r)) continue;
    } else if (item.event.kind == host::InputEvent::kKeyDown) {
      std::lock_guard guard(QueueLock());
      input.last_key_down = {true, r.message, r.wParam, item.has_text, item.text, !item.has_text};
    }
    msg = MakeMsg(item, r);
    return true;
  }
}

}  // namespace user

BOOL GetCursorPos(LPPOINT point) {
  if (point == nullptr) return FALSE;
  *point = host::Current().CursorPos();
  return TRUE;
}

BOOL SetCursorPos(int x, int y) {
  const SIZE screen = host::Current().ScreenSize();
  const POINT at{std::clamp<LONG>(x, 0, std::max<LONG>(screen.cx - 1, 0)),
                 std::clamp<LONG>(y, 0, std::max<LONG>(screen.cy - 1, 0))};
  host::Current().SetCursorPos(at);
  {
    std::lock_guard guard(user::QueueLock());
    // What came before the move is queued before it.
    user::PullLocked();
    if (at.x != user::input.last_mouse.x || at.y != user::input.last_mouse.y) {
      host::InputEvent move{};
      move.kind = host::InputEvent::kMouseMove;
      move.position = at;
      user::QueueInput(move);
    }
  }
  host::Current().Wake();
  return TRUE;
}
