// tavrion: the stimulator's window on the desktop. Without a display it says
// so in one line and ends with status 1.
#include <cstdio>
#include <memory>
#include <string>

#include "app/tavrion/main_form.h"
#include "platform/host/desktop_session.h"

int main() {
  std::string reason;
  const std::unique_ptr<host::DesktopSession> desktop = host::OpenDesktop(reason);
  if (desktop == nullptr) {
    std::fprintf(stderr, "tavrion: no display to open the window on (%s)\n", reason.c_str());
    return 1;
  }
  StartApplication();
  try {
    Application->Initialize();
    Application->SetTitle("Tavrion");
    Application->CreateForm(Form1);
    Application->Run();
  } catch (const Exception& error) {
    Application->ShowException(error);
  }
  StopApplication();
  return 0;
}
