// What a window looks like on the screen, for hosts and for saved pictures.
#pragma once

#include <memory>

#include "../gdi/surface.h"

namespace user {

// A copy of a top-level window's surface (frame included) with what is laid
// over the windows' own drawing: the caret, when it is shown and "on" now.
// Null for a window that is gone.
std::shared_ptr<gdi::Surface> WindowPicture(HWND top_level);

}  // namespace user
