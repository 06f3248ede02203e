// A windowed container for controls, shown in a plain top-level window, for
// the control tests and benchmarks.
#pragma once

#include "framework/controls/win_control.h"

class TSheet : public TWinControl {
  TAVRION_CLASS(TSheet, TWinControl)

 public:
  explicit TSheet(TComponent* owner);
};

// A new sheet of that size inside a new visible top-level window.
TSheet* MakeShownSheet(int width, int height);
// Frees the sheet and destroys its window.
void FreeShownSheet(TSheet* sheet);

// Handles every waiting message as the program's loop would: through the
// application (keys to their control first) when one runs.
void PumpMessages();
// Moves the headless mouse to a client point of `window`, then pumps.
void MoveMouseTo(HWND window, int x, int y);
// The centre of a track bar's thumb, in its client coordinates.
POINT ThumbCentre(HWND trackbar);
// Clicks the middle of a windowed control, then pumps.
void ClickOn(TWinControl* control);
// A key pressed and let go, with `held` (a shift key) down around it when
// given; nothing pumped, so it also serves inside another loop.
void PressKey(UINT key, UINT held = 0);
