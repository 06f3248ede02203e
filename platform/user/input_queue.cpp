// The input queue: events queued as they arrive, mouse moves merged, the
// character a key types joined to its key-down.
#include "input_queue.h"

#include <algorithm>

#include "key_state.h"
#include "message_queue.h"
#include "state.h"
#include "window_table.h"

namespace user {

std::mutex& QueueLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

InputState input;

namespace {

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

}  // namespace

bool IsMouse(const host::InputEvent& e) {
  return e.kind == host::InputEvent::kMouseMove || e.kind == host::InputEvent::kButtonDown ||
         e.kind == host::InputEvent::kButtonUp || e.kind == host::InputEvent::kWheel;
}

void QueueInput(const host::InputEvent& event) {
  if (IsWindowNews(event)) {
    input.window_news.push_back(event);
    return;
  }
  const host::InputEvent e = OnScreen(event);
  ApplyAsync(e);

  if (e.kind == host::InputEvent::kText) {
    if (!input.pending.empty() && input.pending.back().event.kind == host::InputEvent::kKeyDown &&
        !input.pending.back().has_text) {
      input.pending.back().has_text = true;
      input.pending.back().text = e.text;
      return;
    }
    if (input.pending.empty() && input.last_key_down.awaiting_text) {
      input.last_key_down.has_text = true;
      input.last_key_down.text = e.text;
      input.last_key_down.awaiting_text = false;
      return;
    }
  }
  input.last_key_down.awaiting_text = false;
  const DWORD now = MessageTime();
  if (IsMouse(e)) input.last_mouse = e.position;
  if (e.kind == host::InputEvent::kMouseMove && !input.pending.empty() &&
      input.pending.back().event.kind == host::InputEvent::kMouseMove) {
    input.pending.back().event.position = e.position;
    input.pending.back().cursor = e.position;
    input.pending.back().time = now;
    return;
  }
  Pending item;
  item.serial = input.next_serial++;
  item.event = e;
  item.time = now;
  item.cursor = input.last_mouse;
  input.pending.push_back(item);
}

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
  if (index >= input.pending.size()) return false;
  out = input.pending[index];
  return true;
}

bool Remove(std::uint64_t serial) {
  std::lock_guard guard(QueueLock());
  const auto it = std::find_if(input.pending.begin(), input.pending.end(),
                               [&](const Pending& p) { return p.serial == serial; });
  if (it == input.pending.end()) return false;
  input.pending.erase(it);
  return true;
}

bool StillPending(std::uint64_t serial) {
  std::lock_guard guard(QueueLock());
  return std::any_of(input.pending.begin(), input.pending.end(),
                     [&](const Pending& p) { return p.serial == serial; });
}

void ResetInput() {
  std::lock_guard guard(QueueLock());
  input = InputState{};
  ResetAsyncKeyState();
}

}  // namespace user
