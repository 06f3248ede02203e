// The input queue: the host's events waiting for a retrieval to turn them
// into messages, with what the queue remembers between messages.
#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <mutex>

#include <platform/windows.h>

#include "../host/host.h"

namespace user {

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

// Guards the queue and the records beside it.
std::mutex& QueueLock();

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
extern InputState input;

bool IsMouse(const host::InputEvent& e);

// Queues an event; QueueLock held.
void QueueInput(const host::InputEvent& event);
// Takes what the host gathered; with QueueLock held, and taking it.
void PullLocked();
void Pull();

// A copy of the event waiting at `index`; false past the end.
bool PendingAt(std::size_t index, Pending& out);
// Takes the event off the queue; false when it was taken already.
bool Remove(std::uint64_t serial);
bool StillPending(std::uint64_t serial);

// Acts on the window manager's news queued with the input (window_news.cpp).
void HandleWindowNews();

}  // namespace user
