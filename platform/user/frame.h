// The non-client frame of a window: its borders and caption, from its style.
#pragma once

#include <platform/windows.h>

namespace user {

struct Insets {
  int left, top, right, bottom;
};

// What the frame takes from each side of the window rectangle.
Insets FrameInsets(DWORD style, DWORD ex_style);

// HWND_TOP .. HWND_NOTOPMOST and windows: moves `window` in its siblings.
void PlaceInZOrder(struct Window* window, HWND insert_after);

// Draws a window's frame and caption into its whole-window surface.
void PaintFrame(HWND window);

// Activation with the WM_ACTIVATE state to report (WA_ACTIVE or WA_CLICKACTIVE).
HWND Activate(HWND window, WPARAM how);

// Hands the activation on from `leaving`, when it is the active window, to
// the next visible, enabled top-level window (none when there is none).
void ActivateOther(HWND leaving);

// Moves the keyboard focus without activating anything: WM_KILLFOCUS to the
// old window, then WM_SETFOCUS to the new one unless the first handler moved
// the focus on. Returns the window that had the focus.
HWND MoveFocus(HWND window);

}  // namespace user
