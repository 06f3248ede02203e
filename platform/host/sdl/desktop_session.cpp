#include "../desktop_session.h"

#include "sdl_audio.h"
#include "sdl_host.h"

namespace host {

namespace {

class SdlDesktopSession : public DesktopSession {
 public:
  explicit SdlDesktopSession(std::unique_ptr<SdlHost> desktop) : desktop_(std::move(desktop)) {
    Install(desktop_.get());
  }

 private:
  std::unique_ptr<SdlHost> desktop_;
};

}  // namespace

std::unique_ptr<DesktopSession> OpenDesktop(std::string& reason) {
  std::unique_ptr<SdlHost> desktop = SdlHost::Create(std::make_unique<SdlAudioOutput>(), reason);
  if (desktop == nullptr) return nullptr;
  return std::make_unique<SdlDesktopSession>(std::move(desktop));
}

}  // namespace host
