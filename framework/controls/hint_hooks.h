// The hint hooks: a message hook that lets every loop of the user-interface
// thread end a hint, and a mouse watcher thread that has the hint cancelled
// once the cursor leaves the program's windows.
#pragma once

#include <atomic>

#include "framework/controls/messages.h"
#include "platform/kernel.h"

// Posted by the watcher to the application window: the cursor was seen
// outside the program's windows while a hint control was set.
inline constexpr UINT CM_HINTMOUSEGONE = CM_BASE + 0xF0;

// What the user-interface thread shares with the watcher. The window and
// the event are set before the watcher starts and stay while it runs.
struct HintWatch {
  HWND application = nullptr;
  HANDLE event = nullptr;  // auto-reset; set to end the watcher
  std::atomic<bool> control_set{false};
};

// The message hook: passes each message on, then to the application.
LRESULT HintGetMessageHook(int code, WPARAM wparam, LPARAM lparam);
// The watcher's body; `watch` is its HintWatch.
DWORD WatchHintMouse(LPVOID watch);
