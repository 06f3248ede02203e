// The host's side of the top-level windows: each has a host window object,
// opened when the window is first drawn or presented, which owns the
// surface it is drawn into. Drawing marks damage; PresentWindows tells the
// host what changed of the windows and shows the damaged parts.
#pragma once

#include <cstdint>
#include <memory>

#include <platform/windows.h>

#include "../gdi/surface.h"

namespace user {

// Tells the host what changed of this thread's top-level windows and
// presents what was drawn since the last time, carets included. Run by the
// user-interface thread before it waits, and while it stays busy at most
// every kPresentInterval milliseconds (PresentIfDue): when a peek finds
// work, and when painting ends (EndPaint, ReleaseDC), so that what a long
// handler draws reaches the screen without a turn of the message loop.
void PresentWindows();
inline constexpr std::uint64_t kPresentInterval = 16;
void PresentIfDue();

// The host's window of a top-level window, opened now if it has none yet,
// and its surface at the window's size; null for a window that is gone or
// is not top-level.
std::shared_ptr<gdi::Surface> OpenHostWindow(HWND top_level);

// The host's window of a top-level window that goes is closed.
void CloseHostWindow(HWND top_level);

}  // namespace user
