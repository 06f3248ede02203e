// Input as a person gives it, through SendInput; the caller pumps after.
#pragma once

#include <string_view>

#include <platform/windows.h>

namespace conf {

enum class Button { kLeft, kRight };

// Moves the mouse to a point of the screen.
void MoveMouseTo(POINT screen);
// Moves to a client point of the window, waits (pumping) until the cursor
// is there, presses and releases.
void ClickAt(HWND window, POINT client, Button button = Button::kLeft);
void KeyDown(WORD virtual_key);
void KeyUp(WORD virtual_key);
// Down and up.
void PressKey(WORD virtual_key);
// Each character (ASCII) as a stroke of its own (KEYEVENTF_UNICODE).
void TypeText(std::string_view text);

}  // namespace conf
