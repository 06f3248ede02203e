// How a message reaches a window procedure: the test spy sees it first, and
// the procedure learns whether it was sent from inside the default handling.
#pragma once

#include <platform/spy.h>
#include <platform/windows.h>

namespace user {

// Calls `proc` for the message, telling the spy how it came and showing a
// sent one (from this thread unless `from_other_thread`) to the WH_CALLWNDPROC
// hooks first. A message sent while DefWindowProcA runs on this thread counts
// as sent by the default handling; the procedure it reaches starts outside
// the default handling.
LRESULT Deliver(WNDPROC proc, HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                platform::Delivery how, bool from_other_thread = false);

// Marks this thread as inside DefWindowProcA for the scope's life.
class DefaultHandlingScope {
 public:
  DefaultHandlingScope();
  ~DefaultHandlingScope();
  DefaultHandlingScope(const DefaultHandlingScope&) = delete;
  DefaultHandlingScope& operator=(const DefaultHandlingScope&) = delete;

 private:
  bool was_inside_;
};

}  // namespace user
