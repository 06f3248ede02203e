// Focus and activation as the rest of the window manager moves them.
#pragma once

#include <platform/windows.h>

namespace user {

struct Window;

// Activation with the WM_ACTIVATE state to report (WA_ACTIVE or WA_CLICKACTIVE).
HWND Activate(HWND window, WPARAM how);

// Hands the activation on from `leaving`, when it is the active window, to
// the next visible, enabled top-level window (none when there is none).
void ActivateOther(HWND leaving);

// Moves the keyboard focus without activating anything: WM_KILLFOCUS to the
// old window, then WM_SETFOCUS to the new one unless the first handler moved
// the focus on. Returns the window that had the focus.
HWND MoveFocus(HWND window);

// Drops what focus, activation, capture and timers knew of a window that goes.
void ForgetWindow(Window* window);

}  // namespace user
