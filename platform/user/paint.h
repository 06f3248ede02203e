// What the painting code offers the rest of the window manager and the hosts.
#pragma once

#include "../gdi/rect_list.h"
#include "window_table.h"

namespace user {

// The parts of a window that can be seen and drawn on, in screen coordinates:
// its client area (or the whole window), cut to every ancestor's client area,
// without the visible siblings above it where it or an ancestor has
// WS_CLIPSIBLINGS, and without its visible children under WS_CLIPCHILDREN.
// Top-level windows do not clip each other: each has a surface of its own on
// the host. Empty for a window that is not visible.
gdi::RectList VisibleArea(const Window* window, bool whole_window);

}  // namespace user
