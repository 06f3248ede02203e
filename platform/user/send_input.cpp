// SendInput: events queued as if the host had given them, behind what the
// host gathered before, so a test drives the same path a person does.
#include <algorithm>

#include <platform/codepage.h>
#include <platform/kernel.h>

#include "input_queue.h"

namespace user {

namespace {

struct ButtonFlags {
  DWORD down, up;
  int button;
};
constexpr ButtonFlags kButtons[] = {
    {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 0},
    {MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1},
    {MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, 2},
};

// Absolute coordinates cover the screen with 0..65535; relative ones move
// the cursor by that many pixels.
POINT MouseTarget(const MOUSEINPUT& mi) {
  if ((mi.dwFlags & MOUSEEVENTF_ABSOLUTE) == 0) {
    return {input.last_mouse.x + mi.dx, input.last_mouse.y + mi.dy};
  }
  const SIZE screen = host::Current().ScreenSize();
  return {static_cast<LONG>(static_cast<std::int64_t>(mi.dx) * screen.cx / 65536),
          static_cast<LONG>(static_cast<std::int64_t>(mi.dy) * screen.cy / 65536)};
}

void QueueMouse(const MOUSEINPUT& mi) {
  if ((mi.dwFlags & MOUSEEVENTF_MOVE) != 0) {
    const SIZE screen = host::Current().ScreenSize();
    POINT at = MouseTarget(mi);
    at.x = std::clamp<LONG>(at.x, 0, std::max<LONG>(screen.cx - 1, 0));
    at.y = std::clamp<LONG>(at.y, 0, std::max<LONG>(screen.cy - 1, 0));
    host::Current().SetCursorPos(at);
    QueueInput({.kind = host::InputEvent::kMouseMove, .position = at});
  }
  const POINT at = input.last_mouse;
  for (const ButtonFlags& b : kButtons) {
    if ((mi.dwFlags & b.down) != 0) {
      QueueInput({.kind = host::InputEvent::kButtonDown, .position = at, .button = b.button});
    }
    if ((mi.dwFlags & b.up) != 0) {
      QueueInput({.kind = host::InputEvent::kButtonUp, .position = at, .button = b.button});
    }
  }
  if ((mi.dwFlags & MOUSEEVENTF_WHEEL) != 0) {
    QueueInput({.kind = host::InputEvent::kWheel,
                .position = at,
                .wheel_delta = static_cast<int>(static_cast<std::int32_t>(mi.mouseData))});
  }
}

void QueueKey(const KEYBDINPUT& ki) {
  if ((ki.dwFlags & KEYEVENTF_UNICODE) != 0) {
    // The character comes once, with the stroke going down.
    const int c = codepage::UnicodeToCp1251(ki.wScan);
    if ((ki.dwFlags & KEYEVENTF_KEYUP) == 0 && c >= 0) {
      QueueInput({.kind = host::InputEvent::kText, .text = static_cast<char>(c)});
    }
    return;
  }
  const bool up = (ki.dwFlags & KEYEVENTF_KEYUP) != 0;
  QueueInput(
      {.kind = up ? host::InputEvent::kKeyUp : host::InputEvent::kKeyDown, .virtual_key = ki.wVk});
}

}  // namespace

}  // namespace user

UINT SendInput(UINT count, LPINPUT inputs, int size) {
  if (inputs == nullptr || size != static_cast<int>(sizeof(INPUT))) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  {
    std::lock_guard guard(user::QueueLock());
    user::PullLocked();
    for (UINT i = 0; i < count; ++i) {
      if (inputs[i].type == INPUT_MOUSE) user::QueueMouse(inputs[i].mi);
      if (inputs[i].type == INPUT_KEYBOARD) user::QueueKey(inputs[i].ki);
    }
  }
  host::Current().Wake();
  return count;
}
