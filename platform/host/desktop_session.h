// What the window program opens before its first window and keeps while it
// runs: on Linux the SDL host, installed as the host (the windows on the
// desktop, their input, the sound device); on Windows nothing, since the
// system itself is the desktop.
#pragma once

#include <memory>
#include <string>

namespace host {

class DesktopSession {
 public:
  virtual ~DesktopSession() = default;
};

// Null, with the reason, when there is no display to show windows on.
std::unique_ptr<DesktopSession> OpenDesktop(std::string& reason);

}  // namespace host
