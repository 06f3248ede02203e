// The thread message queue: posted messages, the quit flag, timers and
// message hooks. Input and paint messages come from input.cpp and paint.cpp.
#pragma once

#include <platform/windows.h>

namespace user {

// Milliseconds on the host clock, as message times are.
DWORD MessageTime();

// Input that arrived from the host, routed to its window; false when none
// matches the filter. PM_REMOVE takes it off the input queue.
bool TakeInputMessage(MSG& msg, HWND filter, UINT min, UINT max, bool remove);

// A WM_PAINT for a window of this thread whose update region is not empty.
bool TakePaintMessage(MSG& msg, HWND filter);

// Whether a message passes a GetMessage/PeekMessage filter.
bool PassesFilter(HWND window, UINT message, HWND filter, UINT min, UINT max);

}  // namespace user
