// Putting the window manager's lasting state back to the start.
#include "state.h"

#include "../host/host.h"
#include "../sound/play_sound.h"

namespace user {

void ResetState() {
  ResetFocus();
  ResetInput();
  ResetCarets();
  ResetQueues();
  ResetHooks();
  ResetTimers();
  ResetClipboard();
  ResetParameters();
  sound::ResetSound();
}

}  // namespace user
