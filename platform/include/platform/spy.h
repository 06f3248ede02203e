// For tests: sees every message a window procedure receives, sent or
// dispatched, before the procedure runs. Not part of the desktop API.
#pragma once

#include <functional>

#include <platform/types.h>

namespace platform {

// How a message reached the window procedure.
enum class Delivery {
  kSent,           // SendMessageA from the program or from a call of the platform
  kPosted,         // taken from the queue and dispatched
  kSentByDefault,  // sent from inside DefWindowProcA's handling of another message
};

using MessageSpy =
    std::function<void(HWND window, UINT message, WPARAM wParam, LPARAM lParam, Delivery how)>;
// Installs the spy (an empty one removes it).
void SetMessageSpy(MessageSpy spy);

}  // namespace platform
