// For tests: sees every message a window procedure receives, sent or
// dispatched, before the procedure runs. Not part of the desktop API.
#pragma once

#include <functional>

#include <platform/types.h>

namespace platform {

using MessageSpy = std::function<void(HWND window, UINT message, WPARAM wParam, LPARAM lParam)>;
// Installs the spy (an empty one removes it).
void SetMessageSpy(MessageSpy spy);

}  // namespace platform
