// Keyboard routing: key messages go to the focus window; with no focus, to
// the active window as WM_SYSKEYDOWN/WM_SYSKEYUP. A key stroke with Alt held
// (and Ctrl not), F10, and the release of an Alt pressed on its own are
// WM_SYSKEY... messages. The character a stroke types arrives from the host
// as text right after the key; it rides with the key-down until
// TranslateMessage posts it as WM_CHAR or WM_SYSCHAR. Text without a key goes
// as WM_CHAR to the focus window.
#include "focus.h"
#include "input_routing.h"
#include "key_state.h"
#include "scan_codes.h"
#include "window_table.h"

namespace user {

namespace {

// The character a key types when the host gave none with it: the control
// characters of Enter, Backspace, Tab and Escape, Ctrl+letter, and the
// letters, digits and space of the US layout.
bool CharacterOfKey(WPARAM key, char& c) {
  const bool ctrl = IsDown(VK_CONTROL);
  const bool alt = IsDown(VK_MENU);
  switch (key) {
    case VK_RETURN:
      c = '\r';
      return true;
    case VK_BACK:
      c = '\b';
      return true;
    case VK_TAB:
      c = '\t';
      return !ctrl;
    case VK_ESCAPE:
      c = 0x1B;
      return true;
    case VK_SPACE:
      c = ' ';
      return true;
    default:
      break;
  }
  if (ctrl && alt) return false;
  if (key >= 'A' && key <= 'Z') {
    if (ctrl) {
      c = static_cast<char>(key - 'A' + 1);
      return true;
    }
    const bool upper = IsDown(VK_SHIFT) != ((input.key_state[VK_CAPITAL] & 0x01) != 0);
    c = static_cast<char>(upper ? key : key - 'A' + 'a');
    return true;
  }
  if (key >= '0' && key <= '9' && !ctrl && !IsDown(VK_SHIFT)) {
    c = static_cast<char>(key);
    return true;
  }
  return false;
}

}  // namespace

Routed RouteKey(const Pending& item) {
  const host::InputEvent& e = item.event;
  Routed r;
  HWND target = GetFocus();
  const bool no_focus = target == nullptr;
  if (no_focus) target = GetActiveWindow();
  if (target == nullptr || InDisabled(Find(target))) return r;
  r.kind = Routed::kMessage;
  r.window = target;
  if (e.kind == host::InputEvent::kText) {
    r.message = WM_CHAR;
    r.wParam = static_cast<unsigned char>(e.text);
    r.lParam = 1;
    return r;
  }
  const UINT key = Generic(e.virtual_key);
  const bool down = e.kind == host::InputEvent::kKeyDown;
  const bool ctrl = IsDown(VK_CONTROL);
  // Whether Alt is down once this event has happened.
  const bool alt = key == VK_MENU ? down : IsDown(VK_MENU);
  bool system = (alt && !ctrl) || key == VK_F10 || no_focus;
  if (!down && key == VK_MENU) system = (input.alt_alone && !ctrl) || no_focus;
  const bool previous = down ? IsDown(e.virtual_key) : true;
  r.message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  r.wParam = key;
  DWORD bits = 1 | ScanCode(e.virtual_key) << 16;
  if (IsExtended(e.virtual_key)) bits |= 1u << 24;
  if (alt) bits |= 1u << 29;
  if (previous) bits |= 1u << 30;
  if (!down) bits |= 1u << 31;
  r.lParam = static_cast<LPARAM>(static_cast<std::int32_t>(bits));
  return r;
}

}  // namespace user

BOOL TranslateMessage(const MSG* msg) {
  if (msg == nullptr) return FALSE;
  if (msg->message == WM_KEYUP || msg->message == WM_SYSKEYUP) return TRUE;
  if (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN) return FALSE;
  bool have = false;
  char c = 0;
  {
    std::lock_guard guard(user::QueueLock());
    // The character may come from the host just after its key.
    user::PullLocked();
    user::KeyDownRecord& record = user::input.last_key_down;
    if (record.valid && record.message == msg->message && record.key == msg->wParam) {
      have = record.has_text;
      c = record.text;
      if (!have) have = user::CharacterOfKey(msg->wParam, c);
      record = {};
    } else {
      have = user::CharacterOfKey(msg->wParam, c);
    }
  }
  if (have) {
    const UINT message = msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    PostMessageA(msg->hwnd, message, static_cast<unsigned char>(c), msg->lParam);
  }
  return TRUE;
}
