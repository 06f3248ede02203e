#include "message_queue.h"

#include <algorithm>
#include <deque>
#include <list>
#include <map>
#include <mutex>

#include <platform/kernel.h>

#include "../host/host.h"
#include "window_table.h"

namespace user {

namespace {

struct Queue {
  std::mutex lock;
  std::deque<MSG> posted;
  bool quit = false;
  int exit_code = 0;
};

std::mutex& QueuesLock() {
  static std::mutex lock;
  return lock;
}

Queue& QueueOf(DWORD thread) {
  static std::map<DWORD, std::unique_ptr<Queue>> queues;
  std::lock_guard guard(QueuesLock());
  auto& queue = queues[thread];
  if (!queue) queue = std::make_unique<Queue>();
  return *queue;
}

struct Timer {
  HWND window;
  UINT_PTR id;
  UINT elapse;
  TIMERPROC proc;
  std::uint64_t due;
  DWORD thread;
};

std::list<Timer>& Timers() {
  static std::list<Timer> timers;
  return timers;
}

UINT_PTR next_thread_timer = 0x7FF0;

struct Hook {
  HHOOK handle;
  HOOKPROC proc;
  DWORD thread;
};

// Newest first, as hooks are called.
std::list<Hook>& Hooks() {
  static std::list<Hook> hooks;
  return hooks;
}

// Hook handles are never reused, so a stale one is refused.
std::uintptr_t next_hook = 0x60000;

// The hook this thread is calling now: CallNextHookEx goes on from it.
thread_local HHOOK calling_hook = nullptr;

std::list<Hook>::iterator FindHook(HHOOK handle) {
  return std::find_if(Hooks().begin(), Hooks().end(),
                      [&](const Hook& h) { return h.handle == handle; });
}

// The first hook of `thread` after `from` (from the newest when `from` is the
// end); null when there is none.
const Hook* NextHook(std::list<Hook>::iterator from, DWORD thread) {
  for (; from != Hooks().end(); ++from) {
    if (from->thread == thread) return &*from;
  }
  return nullptr;
}

// By value: the procedure may unhook itself.
LRESULT CallHook(Hook hook, int code, WPARAM wParam, LPARAM lParam) {
  const HHOOK outer = calling_hook;
  calling_hook = hook.handle;
  const LRESULT result = hook.proc(code, wParam, lParam);
  calling_hook = outer;
  return result;
}

MSG last_message{};

bool IsDescendant(HWND window, HWND ancestor) {
  for (Window* w = Find(window); w != nullptr; w = w->parent) {
    if (w->handle == ancestor) return true;
  }
  return false;
}

bool TakePosted(Queue& queue, MSG& msg, HWND filter, UINT min, UINT max, bool remove) {
  std::lock_guard guard(queue.lock);
  for (auto it = queue.posted.begin(); it != queue.posted.end(); ++it) {
    if (!PassesFilter(it->hwnd, it->message, filter, min, max)) continue;
    msg = *it;
    if (remove) queue.posted.erase(it);
    return true;
  }
  if (queue.quit && PassesFilter(nullptr, WM_QUIT, filter, min, max) && filter == nullptr) {
    msg = {nullptr, WM_QUIT, static_cast<WPARAM>(queue.exit_code), 0, MessageTime(), {}};
    if (remove) queue.quit = false;
    return true;
  }
  return false;
}

bool TakeTimer(MSG& msg, HWND filter, UINT min, UINT max, bool remove) {
  const std::uint64_t now = host::Current().Now();
  const DWORD thread = GetCurrentThreadId();
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

bool Peek(MSG& msg, HWND filter, UINT min, UINT max, bool remove) {
  Queue& queue = QueueOf(GetCurrentThreadId());
  return TakePosted(queue, msg, filter, min, max, remove) ||
         TakeInputMessage(msg, filter, min, max, remove) ||
         (PassesFilter(filter, WM_PAINT, filter, min, max) && TakePaintMessage(msg, filter)) ||
         TakeTimer(msg, filter, min, max, remove);
}

// The newest hook passes the message on with CallNextHookEx.
void CallGetMessageHooks(MSG& msg, bool remove) {
  if (const Hook* hook = NextHook(Hooks().begin(), GetCurrentThreadId())) {
    CallHook(*hook, HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE, reinterpret_cast<LPARAM>(&msg));
  }
}

// When the next timer of this thread is due, or kForever.
std::uint64_t NextTimerDue() {
  std::uint64_t due = host::kForever;
  const DWORD thread = GetCurrentThreadId();
  for (const Timer& t : Timers()) {
    if (t.thread == thread) due = std::min(due, t.due);
  }
  return due;
}

}  // namespace

DWORD MessageTime() {
  return static_cast<DWORD>(host::Current().Now());
}

bool PassesFilter(HWND window, UINT message, HWND filter, UINT min, UINT max) {
  if (min != 0 || max != 0) {
    if (message < min || message > max) return false;
  }
  if (filter == nullptr) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return window == nullptr;
  return window != nullptr && IsDescendant(window, filter);
}

void ForgetTimers(HWND window) {
  Timers().remove_if([&](const Timer& t) { return t.window == window; });
}

}  // namespace user

LRESULT CallWindowProcA(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (proc == nullptr) return 0;
  return proc(window, message, wParam, lParam);
}

LRESULT SendMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  user::Window* w = user::Find(window);
  if (w == nullptr || w == user::Desktop()) {
    SetLastError(1400);
    return 0;
  }
  user::Spy(window, message, wParam, lParam);
  return CallWindowProcA(w->proc, window, message, wParam, lParam);
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD thread = GetCurrentThreadId();
  if (window != nullptr) {
    std::lock_guard guard(user::Lock());
    user::Window* w = user::Find(window);
    if (w == nullptr) {
      SetLastError(1400);
      return FALSE;
    }
    thread = w->thread;
  }
  user::Queue& queue = user::QueueOf(thread);
  {
    std::lock_guard guard(queue.lock);
    queue.posted.push_back({window, message, wParam, lParam, user::MessageTime(), {}});
  }
  host::Current().Wake();
  return TRUE;
}

BOOL PostThreadMessageA(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  user::Queue& queue = user::QueueOf(threadId);
  {
    std::lock_guard guard(queue.lock);
    queue.posted.push_back({nullptr, message, wParam, lParam, user::MessageTime(), {}});
  }
  host::Current().Wake();
  return TRUE;
}

void PostQuitMessage(int exitCode) {
  user::Queue& queue = user::QueueOf(GetCurrentThreadId());
  std::lock_guard guard(queue.lock);
  queue.quit = true;
  queue.exit_code = exitCode;
}

BOOL PeekMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMsg) {
  MSG found{};
  const bool remove = (removeMsg & PM_REMOVE) != 0;
  if (!user::Peek(found, window, filterMin, filterMax, remove)) return FALSE;
  user::CallGetMessageHooks(found, remove);
  user::last_message = found;
  if (msg != nullptr) *msg = found;
  return TRUE;
}

BOOL GetMessageA(MSG* msg, HWND window, UINT filterMin, UINT filterMax) {
  MSG found{};
  while (!user::Peek(found, window, filterMin, filterMax, true)) {
    host::Current().WaitForWork(user::NextTimerDue());
  }
  user::CallGetMessageHooks(found, true);
  user::last_message = found;
  if (msg != nullptr) *msg = found;
  return found.message == WM_QUIT ? FALSE : TRUE;
}

BOOL WaitMessage() {
  MSG ignored{};
  if (!user::Peek(ignored, nullptr, 0, 0, false)) {
    host::Current().WaitForWork(user::NextTimerDue());
  }
  return TRUE;
}

DWORD GetMessageTime() {
  return user::last_message.time;
}

DWORD GetMessagePos() {
  return static_cast<DWORD>(MAKELPARAM(user::last_message.pt.x, user::last_message.pt.y));
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (msg == nullptr || (msg->hwnd == nullptr && msg->message != WM_TIMER)) return 0;
  if (msg->message == WM_TIMER && msg->lParam != 0) {
    reinterpret_cast<TIMERPROC>(msg->lParam)(msg->hwnd, WM_TIMER, msg->wParam, user::MessageTime());
    return 0;
  }
  user::Window* w = user::Find(msg->hwnd);
  if (w == nullptr) return 0;
  user::Spy(msg->hwnd, msg->message, msg->wParam, msg->lParam);
  return CallWindowProcA(w->proc, msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc) {
  if (window != nullptr && user::Find(window) == nullptr) {
    SetLastError(1400);
    return 0;
  }
  elapse = std::max<UINT>(elapse, 10);
  const DWORD thread = GetCurrentThreadId();
  const std::uint64_t due = host::Current().Now() + elapse;
  for (user::Timer& t : user::Timers()) {
    if (t.window == window && t.id == id && t.thread == thread) {
      t.elapse = elapse;
      t.proc = proc;
      t.due = due;
      return window != nullptr ? 1 : id;
    }
  }
  if (window == nullptr) id = user::next_thread_timer++;
  user::Timers().push_back({window, id, elapse, proc, due, thread});
  host::Current().Wake();
  return window != nullptr ? 1 : id;
}

BOOL KillTimer(HWND window, UINT_PTR id) {
  const auto before = user::Timers().size();
  user::Timers().remove_if([&](const user::Timer& t) { return t.window == window && t.id == id; });
  return user::Timers().size() != before ? TRUE : FALSE;
}

HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if (kind != WH_GETMESSAGE || proc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const DWORD thread = threadId != 0 ? threadId : GetCurrentThreadId();
  const auto handle = reinterpret_cast<HHOOK>(user::next_hook);
  user::next_hook += 4;
  user::Hooks().push_front({handle, proc, thread});
  return handle;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  // The chain goes on from the hook being called, whatever handle it names;
  // null is accepted for it, a stale or made-up one is not.
  if (hook != nullptr && user::FindHook(hook) == user::Hooks().end()) return 0;
  const HHOOK from = user::calling_hook != nullptr ? user::calling_hook : hook;
  auto it = user::FindHook(from);
  if (it == user::Hooks().end()) return 0;
  const user::Hook* next = user::NextHook(std::next(it), it->thread);
  return next != nullptr ? user::CallHook(*next, code, wParam, lParam) : 0;
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  const auto it = user::FindHook(hook);
  if (it == user::Hooks().end()) {
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
  }
  user::Hooks().erase(it);
  return TRUE;
}
