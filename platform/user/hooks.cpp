// WH_GETMESSAGE hooks: newest first, called with every retrieval, nested
// loops included; WH_CALLWNDPROC hooks: newest first, called with every
// message a procedure gets by a send. Any thread may hook, so the list is kept under the window
// manager's lock; a procedure is never called with the lock held.
#include <algorithm>
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

// Hook handles are never reused, so a stale one is refused.
std::uintptr_t next_hook = 0x60000;

// The hook this thread is calling now: CallNextHookEx goes on from it.
thread_local HHOOK calling_hook = nullptr;

std::list<Hook>::iterator FindHook(HHOOK handle) {
  return std::find_if(Hooks().begin(), Hooks().end(),
                      [&](const Hook& h) { return h.handle == handle; });
}

// The first hook of the thread and kind after the one `after` names, or the
// newest of the calling thread and `kind` when `after` is null; none at the
// end of the chain.
std::optional<Hook> NextHook(HHOOK after, int kind = 0) {
  std::lock_guard guard(Lock());
  auto from = Hooks().begin();
  DWORD thread = GetCurrentThreadId();
  if (after != nullptr) {
    from = FindHook(after);
    if (from == Hooks().end()) return std::nullopt;
    thread = from->thread;
    kind = from->kind;
    ++from;
  }
  for (; from != Hooks().end(); ++from) {
    if (from->thread == thread && from->kind == kind) return *from;
  }
  return std::nullopt;
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
  CallHook(NextHook(nullptr, WH_GETMESSAGE), HC_ACTION, remove ? PM_REMOVE : PM_NOREMOVE,
           reinterpret_cast<LPARAM>(&msg));
}

// The hooks see a copy: what they change does not reach the procedure.
void CallWndProcHooks(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool this_thread) {
  const std::optional<Hook> newest = NextHook(nullptr, WH_CALLWNDPROC);
  if (!newest) return;
  CWPSTRUCT seen{lParam, wParam, message, window};
  CallHook(newest, HC_ACTION, this_thread ? 1 : 0, reinterpret_cast<LPARAM>(&seen));
}

void ResetHooks() {
  std::lock_guard guard(Lock());
  Hooks().clear();
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
  user::Hooks().erase(it);
  return TRUE;
}
