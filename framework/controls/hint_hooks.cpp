// The hint hooks. The watcher never touches the hint window, the hint control
// or the timer: it only reads the cursor and the window tree and posts
// CM_HINTMOUSEGONE, which the user-interface thread answers.
#include "framework/controls/hint_hooks.h"

#include "framework/controls/application.h"

LRESULT HintGetMessageHook(int code, WPARAM wparam, LPARAM lparam) {
  const LRESULT result = CallNextHookEx(nullptr, code, wparam, lparam);
  if (code == HC_ACTION && Application != nullptr) {
    Application->IsHintMsg(*reinterpret_cast<const MSG*>(lparam));
  }
  return result;
}

DWORD WatchHintMouse(LPVOID data) {
  auto& watch = *static_cast<HintWatch*>(data);
  while (WaitForSingleObject(watch.event, 100) == WAIT_TIMEOUT) {
    if (!watch.control_set.load()) continue;
    POINT cursor{};
    GetCursorPos(&cursor);
    if (WindowControlAt(cursor) == nullptr) {
      PostMessageA(watch.application, CM_HINTMOUSEGONE, 0, 0);
    }
  }
  return 0;
}

void TApplication::HookHintHooks() {
  if (hint_hook_ == nullptr) {
    hint_hook_ =
        SetWindowsHookExA(WH_GETMESSAGE, &HintGetMessageHook, nullptr, GetCurrentThreadId());
  }
  if (hint_watch_.event == nullptr) {
    hint_watch_.application = handle_;
    hint_watch_.event = CreateEventA(nullptr, FALSE, FALSE, nullptr);
  }
  if (hint_thread_ == nullptr && hint_watch_.event != nullptr) {
    hint_thread_ = CreateThread(nullptr, 1000, &WatchHintMouse, &hint_watch_, 0, &hint_thread_id_);
  }
}

void TApplication::UnhookHintHooks() {
  if (hint_hook_ != nullptr) {
    UnhookWindowsHookEx(hint_hook_);
    hint_hook_ = nullptr;
  }
  if (hint_thread_ == nullptr) return;
  SetEvent(hint_watch_.event);
  if (GetCurrentThreadId() != hint_thread_id_) WaitForSingleObject(hint_thread_, INFINITE);
  CloseHandle(hint_thread_);
  hint_thread_ = nullptr;
}
