// The caret, for the pictures of windows and for the hosts that show them.
//
// The caret is never drawn into a window's surface: it is laid over a copy
// of the surface when the picture is read (window_picture.h), so painting
// under it never leaves stale inverted pixels behind, whenever it blinks.
#pragma once

#include <cstdint>
#include <vector>

#include "../gdi/surface.h"

namespace user {

// Inverts, on `picture` (a copy of a top-level window's surface), the carets
// inside that window that are shown and in their "on" phase now.
void LayCarets(HWND top_level, gdi::Surface& picture);

// Where the shown carets inside a top-level window lie, on or off now, in
// the coordinates of its surface.
std::vector<RECT> CaretBoxes(HWND top_level);

// When, on the host clock, a shown caret next turns on or off: the time a
// host presenting windows wakes to show it again. host::kForever when no
// caret is shown or it does not blink.
std::uint64_t NextCaretBlink();

// A destroyed window's caret goes with it.
void ForgetCaret(HWND window);

}  // namespace user
