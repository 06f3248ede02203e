// framework-demo: the framework's demo form on the desktop, through the SDL
// host. Without a display it says so and ends with status 1.
#include <cstdio>
#include <memory>
#include <string>

#include "platform/host/sdl/sdl_host.h"
#include "tools/framework-demo/demo_form.h"

int main() {
  std::string reason;
  std::unique_ptr<host::SdlHost> desktop = host::SdlHost::Create(nullptr, reason);
  if (desktop == nullptr) {
    std::fprintf(stderr, "framework-demo: no display: %s; set DISPLAY\n", reason.c_str());
    return 1;
  }
  host::Install(desktop.get());
  StartApplication();
  Application->SetTitle("Framework demo");
  TDemoForm* form = nullptr;
  try {
    Application->CreateForm(form);
    Application->Run();
  } catch (const Exception& error) {
    Application->ShowException(error);
  }
  StopApplication();
  return 0;
}
