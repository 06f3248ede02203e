#include "../console_host.h"

#include "../real_time_host.h"
#include "sdl_audio.h"

namespace host {

std::unique_ptr<Host> MakeConsoleHost() {
  return std::make_unique<RealTimeHost>(std::make_unique<SdlAudioOutput>());
}

}  // namespace host
