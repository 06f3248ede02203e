// The accelerator of a caption: the character after a single "&".
#pragma once

#include <string>

#include "platform/windows.h"

// Whether `key` (a character code of a dialog character) is the caption's
// accelerator, compared without regard to case (code page 1251).
bool IsAccel(WPARAM key, const std::string& caption);

// The shift keys of a key message: none of Shift, Ctrl and Alt are down.
bool NoShiftKeys(LPARAM key_data);
