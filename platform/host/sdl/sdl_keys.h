// What SDL's keyboard gives, as the desktop API's keys and characters: the
// virtual-key code of a physical key, and typed UTF-8 text as code page 1251.
// (The characters of keys that type no text, Enter or Ctrl+C, the platform
// works out itself, as the desktop's key translation does.)
#pragma once

#include <SDL_scancode.h>

#include <optional>

#include <platform/types.h>

namespace host::sdl {

// The VK_ code of a key by its position on the keyboard (US layout names),
// left and right modifiers told apart (VK_LSHIFT ...); none for a key the
// program has no code for.
std::optional<UINT> VirtualKeyFor(SDL_Scancode scancode);

}  // namespace host::sdl
