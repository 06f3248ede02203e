// The sound that plays, as the platform's lasting state.
#pragma once

namespace sound {

// Stops what plays; the headless host's Reset calls it.
void ResetSound();

}  // namespace sound
