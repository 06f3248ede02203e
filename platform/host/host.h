// The one seam between the platform and the outside world. Everything above
// it is the same code whichever host runs: the headless host (tests,
// benchmarks; the default), the SDL host (real windows and sound) or the
// console host (sound for the command line).
#pragma once

#include "audio_output.h"
#include "display.h"
#include "scheduler.h"

namespace host {

// A host is the three sides together; see scheduler.h, display.h and
// audio_output.h.
class Host : public Scheduler, public Display, public AudioOutput {};

// The host in use: the headless one unless another was installed.
Host& Current();
void Install(Host* host);

// The platform's own state above the host (focus, input, queues, timers ...)
// registers how it is put back to the start; the headless host's Reset does
// it, so that tests cannot leak into each other.
using StateReset = void (*)();
bool SetStateReset(StateReset reset);
void ResetPlatformState();

}  // namespace host
