// Which key a person presses to type a character, so that typed text arrives
// as the key strokes and characters a real keyboard would give.
#pragma once

#include <optional>

#include <platform/types.h>

namespace host {

inline constexpr UINT kShiftKey = 0x10;  // VK_SHIFT

struct KeyStroke {
  UINT virtual_key;
  bool shift;  // Shift is held around the stroke
  char text;   // the character the stroke gives
};

// The key stroke for a code page 1251 character: Latin letters, digits and
// punctuation on the US layout, Cyrillic letters on the Russian one, and
// Enter, Backspace, Tab and Escape for their control characters ('\n' is
// typed as Enter and gives '\r', as that key does). None for a character
// that has no key of its own.
std::optional<KeyStroke> KeyFor(char c);

}  // namespace host
