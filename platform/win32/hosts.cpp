// The system itself is the desktop and plays the sounds: the programs have
// no host to install.
#include "../host/console_host.h"
#include "../host/desktop_session.h"

namespace host {

void Install(Host*) {}

std::unique_ptr<Host> MakeConsoleHost() {
  return nullptr;
}

std::unique_ptr<DesktopSession> OpenDesktop(std::string&) {
  return std::make_unique<DesktopSession>();
}

}  // namespace host
