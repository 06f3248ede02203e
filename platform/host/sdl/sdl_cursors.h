// The desktop's system cursors (IDC_ARROW ...) as SDL's system cursors.
#pragma once

#include <SDL_mouse.h>

#include <optional>

#include <platform/types.h>

namespace host::sdl {

// SDL's cursor for a system cursor's number; the arrow for a number SDL has
// no likeness of, none for 0 (no cursor shown).
std::optional<SDL_SystemCursor> SystemCursorFor(WORD system_cursor);

}  // namespace host::sdl
