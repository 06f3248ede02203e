// What SDL's keyboard gives, as the desktop API's keys and characters: the
// virtual-key code of a physical key, the character a key stroke types when
// SDL gives no text for it, and typed UTF-8 text as code page 1251.
#pragma once

#include <SDL_keycode.h>
#include <SDL_scancode.h>

#include <optional>
#include <string>
#include <string_view>

#include <platform/types.h>

namespace host::sdl {

// The VK_ code of a key by its position on the keyboard (US layout names),
// left and right modifiers told apart (VK_LSHIFT ...); none for a key the
// program has no code for.
std::optional<UINT> VirtualKeyFor(SDL_Scancode scancode);

// The character a key stroke types although SDL sends no text for it: Enter,
// Backspace, Tab and Escape, and Ctrl with a letter (Ctrl+C is 0x03), as the
// desktop's translation of key strokes gives them. None for the rest, and for
// any key with Alt held.
std::optional<char> ControlCharacterFor(UINT virtual_key, SDL_Keymod modifiers);

// Typed UTF-8 text in code page 1251; characters the code page lacks, and
// malformed sequences, are dropped.
std::string TypedText(std::string_view utf8);

}  // namespace host::sdl
