// What the "BUTTON" window procedure and its drawing share: the state a
// button keeps behind its extra bytes.
#pragma once

#include <platform/windows.h>

namespace controls {

struct ButtonState {
  WPARAM state = BST_UNCHECKED;  // the check in the low bits, BST_PUSHED, BST_FOCUS
  HFONT font = nullptr;          // null: the context's own, as WM_GETFONT answers
  bool mouse_down = false;       // pressed by the left button, which has the capture
  bool space_down = false;       // pressed by the space bar
};

// Draws the whole button on `dc`, asking its parent for colours first.
void PaintButton(HWND button, HDC dc, const ButtonState& state);

}  // namespace controls
