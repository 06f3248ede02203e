// WH_GETMESSAGE hooks: newest first, called with every retrieval, nested
// loops included; WH_CALLWNDPROC hooks: newest first, called with every
// message a procedure gets by a send. Any thread may hook, so the list is
// kept under the window manager's lock; a procedure is never called with the
// lock held.
#include <algorithm>
#include <atomic>
#include <iterator>
#include <list>
#include <optional>

#include <platform/kernel.h>

#include "message_queue.h"
#include "state.h"
#include "window_table.h"

namespace user {

namespace {

struct Hook {
  HHOOK handle;
  HOOKPROC proc;
  DWORD thread;
  int kind;
};

// Newest first, as hooks are called.
std::list<Hook>& Hooks() {
  static auto& hooks = *new std::list<Hook>;
  return hooks;
}

// How many WH_CALLWNDPROC hooks are set: every sent message asks, and most
// programs set none.
std::atomic<int> call_wnd_proc_hooks = 0;

// Hook handles are never reused, so a stale one is refused.
std::uintptr_t next_hook = 0x60000;

// The hook this thread is calling now: CallNextHookEx goes on from it.
thread_local HHOOK calling_hook = nullptr;

std::list<Hook>::iterator FindHook(HHOOK handle) {
  return std::find_if(Hooks().begin(), Hooks().end(),
                      [&](const Hook& h) { return h.handle == handle; });
}

// The first hook of `thread` and `kind` from `from` on; none at the end of
// the chain. With the lock held.
std::optional<Hook> FirstHook(std::list<Hook>::iterator from, DWORD thread, int kind) {
  for (; from != Hooks().end(); ++from) {
    if (from->thread == thread && from->kind == kind) return *from;
  }
  return std::nullopt;
}

// The newest hook of the calling thread of `kind`.
std::optional<Hook> NewestHook(int kind) {
  std::lock_guard guard(Lock());
  return FirstHook(Hooks().begin(), GetCurrentThreadId(), kind);
}

// The hook after `after` in its own thread's chain of its kind.
std::optional<Hook> NextHook(HHOOK after) {
  std::lock_guard guard(Lock());
  const auto it = FindHook(after);
  if (it == Hooks().end()) return std::nullopt;
  return FirstHook(std::next(it), it->thread, it->kind);
}

// By value: the procedure may unhook itself.
LRESULT CallHook(const std::optional<Hook>& hook, int code, WPARAM wParam, LPARAM lParam) {
  if (!hook) return 0;
  const HHOOK outer = calling_hook;
  calling_hook = hook->handle;
  const LRESULT result = hook->proc(code, wParam, lParam);
  calling_hook = outer;
  return result;
}

}  // namespace

// The newest hook passes the message on with CallNextHookEx.
void CallGetMessageHooks(MSG& msg, bool remove) {
  CallHook(NewestHook(WH_GETMESSAGE), HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE,
           reinterpret_cast<LPARAM>(&msg));
}

// The hooks see a copy: what they change does not reach the procedure.
void CallWndProcHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool this_thread) {
  if (call_wnd_proc_hooks.load(std::memory_order_relaxed) == 0) return;
  const std::optional<Hook> newest = NewestHook(WH_CALLWNDPROC);
  if (!newest) return;
  CWPSTRUCT seen{lParam, wParam, message, window};
  CallHook(newest, HC_ACTION, this_thread ? 1 : 0, reinterpret_cast<LPARAM>(&seen));
}

void ResetHooks() {
  std::lock_guard guard(Lock());
  Hooks().clear();
  call_wnd_proc_hooks = 0;
}

}  // namespace user

HHOOK SetWindowsHookExA(int kind, HOOKPROC proc, HINSTANCE, DWORD threadId) {
  if ((kind != WH_GETMESSAGE && kind != WH_CALLWNDPROC) || proc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const DWORD thread = threadId != 0 ? threadId : GetCurrentThreadId();
  std::lock_guard guard(user::Lock());
  const auto handle = reinterpret_cast<HHOOK>(user::next_hook);
  user::next_hook += 4;
  user::Hooks().push_front({handle, proc, thread, kind});
  if (kind == WH_CALLWNDPROC) ++user::call_wnd_proc_hooks;
  return handle;
}

LRESULT CallNextHookEx(HHOOK hook, int code, WPARAM wParam, LPARAM lParam) {
  // The chain goes on from the hook being called, whatever handle it names;
  // null is accepted for it, a stale or made-up one is not.
  {
    std::lock_guard guard(user::Lock());
    if (hook != nullptr && user::FindHook(hook) == user::Hooks().end()) return 0;
  }
  const HHOOK from = user::calling_hook != nullptr ? user::calling_hook : hook;
  if (from == nullptr) return 0;
  return user::CallHook(user::NextHook(from), code, wParam, lParam);
}

BOOL UnhookWindowsHookEx(HHOOK hook) {
  std::lock_guard guard(user::Lock());
  const auto it = user::FindHook(hook);
  if (it == user::Hooks().end()) {
    SetLastError(ERROR_INVALID_HOOK_HANDLE);
    return FALSE;
  }
  if (it->kind == WH_CALLWNDPROC) --user::call_wnd_proc_hooks;
  user::Hooks().erase(it);
  return TRUE;
}
