// Where an input event goes: the message it becomes and its window.
#pragma once

#include "input_queue.h"

namespace user {

// What an event becomes.
struct Routed {
  enum Kind { kMessage, kNobody, kRefused } kind = kNobody;
  HWND window = nullptr;
  UINT message = 0;
  WPARAM wParam = 0;
  LPARAM lParam = 0;
  // Mouse events: the hit-test code, the client-area message number for
  // WM_SETCURSOR and WM_MOUSEACTIVATE, and whether WM_SETCURSOR is sent.
  LRESULT hit = HTCLIENT;
  UINT mouse_message = 0;
  bool captured = false;
  bool double_click = false;
};

// mouse_routing.cpp
Routed RouteMouse(const Pending& item);
// Takes a routed mouse event off the queue with what a press brings about;
// false when the press was swallowed or its window is gone.
bool DeliverMouse(const Pending& item, Routed& r);

// key_messages.cpp
Routed RouteKey(const Pending& item);

}  // namespace user
