// Input: the host's mouse and keyboard events turned into messages, routed as
// the desktop routes them, and the key state and cursor position behind them.
//
// Events wait in an input queue of our own, each with the time it arrived and
// where the mouse was. A message is made for an event only when a retrieval
// looks at it, so it goes to the window that is under the mouse or has the
// focus then. An event whose message a filter refuses stays queued; events
// behind it may be taken first, as with the desktop's input queue.
//
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
//
// Keyboard routing: key messages go to the focus window; with no focus, to
// the active window as WM_SYSKEYDOWN/WM_SYSKEYUP. A key stroke with Alt held
// (and Ctrl not), F10, and the release of an Alt pressed on its own are
// WM_SYSKEY... messages. The character a stroke types arrives from the host
// as text right after the key; it rides with the key-down until
// TranslateMessage posts it as WM_CHAR or WM_SYSCHAR. Text without a key goes
// as WM_CHAR to the focus window.
#include <algorithm>
#include <array>
#include <atomic>
#include <cstdlib>
#include <deque>
#include <mutex>

#include <platform/kernel.h>

#include "../gdi/surface.h"
#include "../host/host.h"
#include "focus.h"
#include "frame.h"
#include "hit_test.h"
#include "message_queue.h"
#include "state.h"
#include "window_table.h"

namespace user {

namespace {

struct Pending {
  std::uint64_t serial = 0;
  host::InputEvent event{};
  DWORD time = 0;
  POINT cursor{};         // where the mouse was
  bool has_text = false;  // key-downs: the character the stroke typed
  char text = 0;
};

// The last key-down taken, for TranslateMessage.
struct KeyDownRecord {
  bool valid = false;
  UINT message = 0;
  WPARAM key = 0;
  bool has_text = false;
  char text = 0;
  // Its character may still arrive: nothing else came from the host since.
  bool awaiting_text = false;
};

struct ClickRecord {
  bool valid = false;
  HWND window = nullptr;
  int button = 0;
  DWORD time = 0;
  POINT at{};
};

std::mutex& QueueLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

// What the input queue remembers between messages; all of it goes back to
// the start with ResetInput.
struct InputState {
  // Guarded by QueueLock.
  std::deque<Pending> pending;
  // What the window manager did to the windows, handled before the input.
  std::deque<host::InputEvent> window_news;
  std::uint64_t next_serial = 1;
  POINT last_mouse{};  // where the last mouse event queued left the cursor
  KeyDownRecord last_key_down;

  // The key state as the program sees it: as of the last input message
  // taken. Bit 0x80 down, bit 0x01 toggled (lock keys).
  std::array<BYTE, 256> key_state{};
  ClickRecord last_click;
  // Alt went down and no other key followed yet.
  bool alt_alone = false;
};
InputState state;

// The key state as the host reports it, for GetAsyncKeyState on any thread.
std::array<std::atomic<BYTE>, 256> async_key_state{};

bool IsLockKey(UINT key) {
  return key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_SCROLL;
}

// The generic key for a left or right one, as key messages carry it.
UINT Generic(UINT key) {
  switch (key) {
    case VK_LSHIFT:
    case VK_RSHIFT:
      return VK_SHIFT;
    case VK_LCONTROL:
    case VK_RCONTROL:
      return VK_CONTROL;
    case VK_LMENU:
    case VK_RMENU:
      return VK_MENU;
    default:
      return key;
  }
}

UINT ButtonKey(int button) {
  return button == 1 ? VK_RBUTTON : button == 2 ? VK_MBUTTON : VK_LBUTTON;
}

// Applies a key or button change to a state table.
template <typename Table>
void ApplyKey(Table& table, UINT key, bool down) {
  auto set = [&](UINT k) {
    BYTE value = table[k];
    if (down && (value & 0x80) == 0 && IsLockKey(k)) value ^= 0x01;
    value = down ? (value | 0x80) : (value & ~0x80);
    table[k] = value;
  };
  set(key);
  const UINT generic = Generic(key);
  if (generic == key) return;
  // The generic key is down while either side is.
  const UINT left = generic == VK_SHIFT     ? VK_LSHIFT
                    : generic == VK_CONTROL ? VK_LCONTROL
                                            : VK_LMENU;
  const bool either = ((table[left] | table[left + 1]) & 0x80) != 0;
  BYTE value = table[generic];
  table[generic] = either ? (value | 0x80) : (value & ~0x80);
}

template <typename Table>
void ApplyEvent(Table& table, const host::InputEvent& e) {
  switch (e.kind) {
    case host::InputEvent::kButtonDown:
    case host::InputEvent::kButtonUp:
      ApplyKey(table, ButtonKey(e.button), e.kind == host::InputEvent::kButtonDown);
      break;
    case host::InputEvent::kKeyDown:
    case host::InputEvent::kKeyUp:
      if (e.virtual_key < 256) ApplyKey(table, e.virtual_key, e.kind == host::InputEvent::kKeyDown);
      break;
    default:
      break;
  }
}

bool IsMouse(const host::InputEvent& e) {
  return e.kind == host::InputEvent::kMouseMove || e.kind == host::InputEvent::kButtonDown ||
         e.kind == host::InputEvent::kButtonUp || e.kind == host::InputEvent::kWheel;
}

bool IsWindowNews(const host::InputEvent& e) {
  return e.kind >= host::InputEvent::kClose;
}

// A mouse event in a window's client coordinates moved to the screen's.
host::InputEvent OnScreen(host::InputEvent e) {
  if (e.window == nullptr || !IsMouse(e)) return e;
  std::lock_guard table(Lock());
  if (const Window* w = Find(e.window)) {
    const POINT origin = ClientOrigin(w);
    e.position.x += origin.x;
    e.position.y += origin.y;
  }
  return e;
}

// Queues an event; QueueLock held.
void QueueInput(const host::InputEvent& event) {
  if (IsWindowNews(event)) {
    state.window_news.push_back(event);
    return;
  }
  const host::InputEvent e = OnScreen(event);
  // The host's view of the keys moves as the events arrive.
  std::array<BYTE, 256> snapshot{};
  for (std::size_t k = 0; k < 256; ++k) snapshot[k] = async_key_state[k].load();
  ApplyEvent(snapshot, e);
  for (std::size_t k = 0; k < 256; ++k) async_key_state[k].store(snapshot[k]);

  if (e.kind == host::InputEvent::kText) {
    if (!state.pending.empty() && state.pending.back().event.kind == host::InputEvent::kKeyDown &&
        !state.pending.back().has_text) {
      state.pending.back().has_text = true;
      state.pending.back().text = e.text;
      return;
    }
    if (state.pending.empty() && state.last_key_down.awaiting_text) {
      state.last_key_down.has_text = true;
      state.last_key_down.text = e.text;
      state.last_key_down.awaiting_text = false;
      return;
    }
  }
  state.last_key_down.awaiting_text = false;
  const DWORD now = MessageTime();
  if (IsMouse(e)) state.last_mouse = e.position;
  if (e.kind == host::InputEvent::kMouseMove && !state.pending.empty() &&
      state.pending.back().event.kind == host::InputEvent::kMouseMove) {
    state.pending.back().event.position = e.position;
    state.pending.back().cursor = e.position;
    state.pending.back().time = now;
    return;
  }
  Pending item;
  item.serial = state.next_serial++;
  item.event = e;
  item.time = now;
  item.cursor = state.last_mouse;
  state.pending.push_back(item);
}

// Takes what the host gathered; QueueLock held.
void PullLocked() {
  host::InputEvent e{};
  while (host::Current().NextInput(e)) QueueInput(e);
}

void Pull() {
  std::lock_guard guard(QueueLock());
  PullLocked();
}

bool PendingAt(std::size_t index, Pending& out) {
  std::lock_guard guard(QueueLock());
  if (index >= state.pending.size()) return false;
  out = state.pending[index];
  return true;
}

bool Remove(std::uint64_t serial) {
  std::lock_guard guard(QueueLock());
  const auto it = std::find_if(state.pending.begin(), state.pending.end(),
                               [&](const Pending& p) { return p.serial == serial; });
  if (it == state.pending.end()) return false;
  state.pending.erase(it);
  return true;
}

bool StillPending(std::uint64_t serial) {
  std::lock_guard guard(QueueLock());
  return std::any_of(state.pending.begin(), state.pending.end(),
                     [&](const Pending& p) { return p.serial == serial; });
}

bool IsDown(UINT key) {
  return key < state.key_state.size() && (state.key_state[key] & 0x80) != 0;
}

RECT ClientScreenRect(const Window* w) {
  const POINT at = ClientOrigin(w);
  return {at.x, at.y, at.x + w->client.right - w->client.left,
          at.y + w->client.bottom - w->client.top};
}

bool Contains(const RECT& r, POINT p) {
  return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

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

// What an event becomes.
struct Routed {
  enum Kind { kMessage, kNobody, kRefused } kind = kNobody;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // Mouse events: the hit-test code, the client-area message number for
  // WM_SETCURSOR and WM_MOUSEACTIVATE, and whether WM_SETCURSOR is sent.
  LRESULT hit = HTCLIENT;
  UINT mouse_message = 0;
  bool captured = false;
  bool double_click = false;
};

WPARAM MouseKeys(const Pending& item) {
  std::array<BYTE, 256> keys_down = state.key_state;
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
  if (!state.last_click.valid || state.last_click.window != w->handle ||
      state.last_click.button != item.event.button) {
    return false;
  }
  if (item.time - state.last_click.time > GetDoubleClickTime()) return false;
  if (std::abs(item.event.position.x - state.last_click.at.x) >
          GetSystemMetrics(SM_CXDOUBLECLK) / 2 ||
      std::abs(item.event.position.y - state.last_click.at.y) >
          GetSystemMetrics(SM_CYDOUBLECLK) / 2) {
    return false;
  }
  // The frame takes double clicks whatever the class.
  return !client || (w->cls != nullptr && (w->cls->info.style & CS_DBLCLKS) != 0);
}

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

// Scan codes of the common keys (set 1), for the key messages' lParam.
UINT ScanCode(UINT key) {
  static const char kLetters[] =
      "\x1E\x30\x2E\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32\x31\x18\x19"
      "\x10\x13\x1F\x14\x16\x2F\x11\x2D\x15\x2C";
  if (key >= 'A' && key <= 'Z') return static_cast<unsigned char>(kLetters[key - 'A']);
  if (key >= '1' && key <= '9') return key - '1' + 0x02;
  if (key == '0') return 0x0B;
  if (key >= VK_F1 && key <= VK_F10) return key - VK_F1 + 0x3B;
  switch (Generic(key)) {
    case VK_ESCAPE:
      return 0x01;
    case VK_BACK:
      return 0x0E;
    case VK_TAB:
      return 0x0F;
    case VK_RETURN:
      return 0x1C;
    case VK_CONTROL:
      return 0x1D;
    case VK_SHIFT:
      return key == VK_RSHIFT ? 0x36 : 0x2A;
    case VK_MENU:
      return 0x38;
    case VK_SPACE:
      return 0x39;
    case VK_CAPITAL:
      return 0x3A;
    case VK_NUMLOCK:
      return 0x45;
    case VK_SCROLL:
      return 0x46;
    case VK_HOME:
      return 0x47;
    case VK_UP:
      return 0x48;
    case VK_PRIOR:
      return 0x49;
    case VK_LEFT:
      return 0x4B;
    case VK_RIGHT:
      return 0x4D;
    case VK_END:
      return 0x4F;
    case VK_DOWN:
      return 0x50;
    case VK_NEXT:
      return 0x51;
    case VK_INSERT:
      return 0x52;
    case VK_DELETE:
      return 0x53;
    default:
      return 0;
  }
}

bool IsExtended(UINT key) {
  switch (key) {
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_NUMLOCK:
      return true;
    default:
      return false;
  }
}

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
  if (!down && key == VK_MENU) system = (state.alt_alone && !ctrl) || no_focus;
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

Routed Route(const Pending& item) {
  return IsMouse(item.event) ? RouteMouse(item) : RouteKey(item);
}

// The key state follows the events as their messages are taken.
void Took(const Pending& item) {
  const host::InputEvent& e = item.event;
  if (e.kind == host::InputEvent::kKeyDown) {
    const UINT key = Generic(e.virtual_key);
    if (key == VK_MENU) {
      state.alt_alone = !IsDown(VK_MENU) || state.alt_alone;
    } else {
      state.alt_alone = false;
    }
  }
  ApplyEvent(state.key_state, e);
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

// Takes a routed mouse event off the queue with what a press brings about;
// false when the press was swallowed or its window is gone.
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
    state.last_click = {!r.double_click, r.window, e.button, item.time, e.position};
  }
  Window* w = Find(r.window);
  if (eat || w == nullptr) return false;
  if (r.message >= WM_MOUSEFIRST && r.message <= WM_MOUSELAST && r.message != WM_MOUSEWHEEL) {
    // Activation may have moved the window.
    const POINT origin = ClientOrigin(w);
    r.lParam = MAKELPARAM(e.position.x - origin.x, e.position.y - origin.y);
  }
  return true;
}

MSG MakeMsg(const Pending& item, const Routed& r) {
  return {r.window, r.message, r.wParam, r.lParam, item.time, item.cursor};
}

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
    const bool upper = IsDown(VK_SHIFT) != ((state.key_state[VK_CAPITAL] & 0x01) != 0);
    c = static_cast<char>(upper ? key : key - 'A' + 'a');
    return true;
  }
  if (key >= '0' && key <= '9' && !ctrl && !IsDown(VK_SHIFT)) {
    c = static_cast<char>(key);
    return true;
  }
  return false;
}

// The window manager's word on a window, acted on as the desktop would.
void HandleNews(const host::InputEvent& e) {
  HWND window = e.window;
  RECT frame{};
  RECT client{};
  if (!GetWindowRect(window, &frame) || !GetClientRect(window, &client)) return;
  POINT corner{0, 0};
  ClientToScreen(window, &corner);
  switch (e.kind) {
    case host::InputEvent::kClose:
      if (IsWindowEnabled(window)) SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      break;
    case host::InputEvent::kActivate:
      // A window disabled under a modal one hands the activation to it.
      if (!IsWindowEnabled(window)) window = GetWindow(window, GW_ENABLEDPOPUP);
      if (GetActiveWindow() != window && IsWindowEnabled(window) && IsWindowVisible(window)) {
        Activate(window, WA_ACTIVE);
      }
      break;
    case host::InputEvent::kDeactivate:
      if (GetActiveWindow() == window) Activate(nullptr, WA_INACTIVE);
      break;
    case host::InputEvent::kMoved:
      SetWindowPos(window, nullptr, frame.left + e.position.x - corner.x,
                   frame.top + e.position.y - corner.y, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case host::InputEvent::kResized:
      SetWindowPos(window, nullptr, 0, 0, frame.right - frame.left + e.size.cx - client.right,
                   frame.bottom - frame.top + e.size.cy - client.bottom,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      break;
    case host::InputEvent::kExposed:
      gdi::DamageWindowSurface(window, {0, 0, frame.right - frame.left, frame.bottom - frame.top});
      break;
    default:
      break;
  }
}

void HandleWindowNews() {
  std::deque<host::InputEvent> news;
  {
    std::lock_guard guard(QueueLock());
    news.swap(state.window_news);
  }
  for (const host::InputEvent& e : news) HandleNews(e);
}

}  // namespace

void ResetInput() {
  std::lock_guard guard(QueueLock());
  state = InputState{};
  for (auto& key : async_key_state) key = 0;
}

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
      state.last_key_down = {true, r.message, r.wParam, item.has_text, item.text, !item.has_text};
    }
    msg = MakeMsg(item, r);
    return true;
  }
}

Hit HitTestFrom(HWND top, POINT screen) {
  return Visit(top, screen);
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
    user::KeyDownRecord& record = user::state.last_key_down;
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

SHORT GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  const BYTE value = user::state.key_state[virtualKey];
  return static_cast<SHORT>(((value & 0x80) != 0 ? 0xFF80 : 0) | (value & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  const BYTE value = user::async_key_state[virtualKey].load();
  return static_cast<SHORT>(((value & 0x80) != 0 ? 0x8000 : 0) | (value & 0x01));
}

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
    if (at.x != user::state.last_mouse.x || at.y != user::state.last_mouse.y) {
      host::InputEvent move{};
      move.kind = host::InputEvent::kMouseMove;
      move.position = at;
      user::QueueInput(move);
    }
  }
  host::Current().Wake();
  return TRUE;
}
