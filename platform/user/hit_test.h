// The hit test the mouse's routing makes, for WindowFromPoint too.
#pragma once

#include <platform/windows.h>

namespace user {

struct Hit {
  HWND window = nullptr;
  LRESULT code = HTNOWHERE;
  bool found = false;
};

// The window under `screen` from `top` down: children before their parent,
// the topmost first, each asked WM_NCHITTEST; HTTRANSPARENT passes the point
// on, hidden and disabled children are passed over. Call it without the
// window manager's lock, on the thread of the windows.
Hit HitTestFrom(HWND top, POINT screen);

}  // namespace user
