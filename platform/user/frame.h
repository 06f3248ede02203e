// The non-client frame of a window: its borders and caption, from its style.
#pragma once

#include <platform/windows.h>

namespace user {

struct Insets {
  int left, top, right, bottom;
};

// What the frame takes from each side of the window rectangle.
Insets FrameInsets(DWORD style, DWORD ex_style);

// Set on WM_WINDOWPOSCHANGED when the client area did not resize or move, so
// that the default handling sends no WM_SIZE or WM_MOVE.
constexpr UINT kNoClientSize = 0x0800;
constexpr UINT kNoClientMove = 0x1000;

// HWND_TOP .. HWND_NOTOPMOST and windows: moves `window` in its siblings.
void PlaceInZOrder(struct Window* window, HWND insert_after);

// Moves a window being restored to the rectangle SetWindowPlacement gave it
// while it was minimised or maximised, if any.
void MoveToRestored(HWND window);

// Draws a window's frame and caption into its whole-window surface.
void PaintFrame(HWND window);

}  // namespace user
