#include "key_state.h"

#include <atomic>

#include "input_queue.h"

namespace user {

namespace {

// The key state as the host reports it, for GetAsyncKeyState on any thread.
std::array<std::atomic<BYTE>, 256> async_key_state{};

bool IsLockKey(UINT key) {
  return key == VK_CAPITAL || key == VK_NUMLOCK || key == VK_SCROLL;
}

UINT ButtonKey(int button) {
  return button == 1 ? VK_RBUTTON : button == 2 ? VK_MBUTTON : VK_LBUTTON;
}

// Applies a key or button change to a state table.
void ApplyKey(KeyTable& table, UINT key, bool down) {
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

}  // namespace

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

void ApplyEvent(KeyTable& table, const host::InputEvent& e) {
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

bool IsDown(UINT key) {
  return key < input.key_state.size() && (input.key_state[key] & 0x80) != 0;
}

void ApplyAsync(const host::InputEvent& e) {
  KeyTable snapshot{};
  for (std::size_t k = 0; k < 256; ++k) snapshot[k] = async_key_state[k].load();
  ApplyEvent(snapshot, e);
  for (std::size_t k = 0; k < 256; ++k) async_key_state[k].store(snapshot[k]);
}

void ResetAsyncKeyState() {
  for (auto& key : async_key_state) key = 0;
}

}  // namespace user

SHORT GetKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  const BYTE value = user::input.key_state[virtualKey];
  return static_cast<SHORT>(((value & 0x80) != 0 ? 0xFF80 : 0) | (value & 0x01));
}

SHORT GetAsyncKeyState(int virtualKey) {
  if (virtualKey < 0 || virtualKey > 255) return 0;
  const BYTE value = user::async_key_state[virtualKey].load();
  return static_cast<SHORT>(((value & 0x80) != 0 ? 0x8000 : 0) | (value & 0x01));
}
