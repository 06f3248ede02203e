// Window and thread timers: WM_TIMER made when one is due and nothing else
// waits. Other threads may set timers for themselves, so the list is kept
// under the window manager's lock.
#include <algorithm>
#include <list>

#include <platform/kernel.h>

#include "../host/host.h"
#include "message_queue.h"
#include "state.h"
#include "window_table.h"

namespace user {

namespace {

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  std::uint64_t due;
  DWORD thread;
};

std::list<Timer>& Timers() {
  static auto& timers = *new std::list<Timer>;
  return timers;
}

UINT_PTR next_thread_timer = 0x7FF0;

}  // namespace

bool TakeTimer(MSG& msg, HWND filter, UINT min, UINT max, bool remove) {
  const std::uint64_t now = host::Current().Now();
  const DWORD thread = GetCurrentThreadId();
  std::lock_guard guard(Lock());
  Timer* earliest = nullptr;
  for (Timer& t : Timers()) {
    if (t.thread != thread || t.due > now) continue;
    if (!PassesFilter(t.window, WM_TIMER, filter, min, max)) continue;
    if (earliest == nullptr || t.due < earliest->due) earliest = &t;
  }
  if (earliest == nullptr) return false;
  msg = {earliest->window, WM_TIMER, earliest->id, reinterpret_cast<LPARAM>(earliest->proc),
         MessageTime(),    {}};
  if (remove) earliest->due = now + earliest->elapse;
  return true;
}

std::uint64_t NextTimerDue(HWND filter, UINT min, UINT max) {
  std::uint64_t due = host::kForever;
  const DWORD thread = GetCurrentThreadId();
  std::lock_guard guard(Lock());
  for (const Timer& t : Timers()) {
    if (t.thread == thread && PassesFilter(t.window, WM_TIMER, filter, min, max)) {
      due = std::min(due, t.due);
    }
  }
  return due;
}

void ResetTimers() {
  std::lock_guard guard(Lock());
  Timers().clear();
  next_thread_timer = 0x7FF0;
}

void ForgetTimers(HWND window) {
  std::lock_guard guard(Lock());
  Timers().remove_if([&](const Timer& t) { return t.window == window; });
}

}  // namespace user

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  // A window timer may be set or killed only by the window's own thread.
  if (window != nullptr && !user::IsOwnWindow(window)) return 0;
  elapse = std::max<UINT>(elapse, 10);
  const DWORD thread = GetCurrentThreadId();
  const std::uint64_t due = host::Current().Now() + elapse;
  {
    std::lock_guard guard(user::Lock());
    auto& timers = user::Timers();
    const auto same = std::find_if(timers.begin(), timers.end(), [&](const user::Timer& t) {
      return t.window == window && t.id == id && t.thread == thread;
    });
    if (same != timers.end()) {
      same->elapse = elapse;
      same->proc = proc;
      same->due = due;
      return window != nullptr ? 1 : id;
    }
    if (window == nullptr) id = user::next_thread_timer++;
    timers.push_back({window, id, elapse, proc, due, thread});
  }
  host::Current().Wake();
  return window != nullptr ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  if (window != nullptr && !user::IsOwnWindow(window)) return FALSE;
  const DWORD thread = GetCurrentThreadId();
  std::lock_guard guard(user::Lock());
  const auto before = user::Timers().size();
  user::Timers().remove_if(
      [&](const user::Timer& t) { return t.window == window && t.id == id && t.thread == thread; });
  return user::Timers().size() != before ? TRUE : FALSE;
}
