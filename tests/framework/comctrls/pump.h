// Runs the queued messages of the headless host as the message loop would.
#pragma once

#include "platform/api.h"

inline void Pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
  }
}

// Moves the mouse to a client point of `window`.
inline void MoveTo(HWND window, int x, int y) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  host::Headless().MoveMouse(at.x, at.y);
  Pump();
}
