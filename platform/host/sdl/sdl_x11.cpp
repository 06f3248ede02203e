#include "sdl_x11.h"

#include <SDL_syswm.h>
#include <X11/Xlib.h>

#include <cstdio>
#include <mutex>
#include <set>
#include <string>
#include <utility>

namespace host::sdl {

namespace {

int ReportError(Display* display, XErrorEvent* error) {
  // Each kind once: a fault that repeats would otherwise fill the terminal.
  static auto& lock = *new std::mutex;
  static auto& seen = *new std::set<std::pair<int, int>>;
  {
    std::lock_guard guard(lock);
    if (!seen.emplace(error->request_code, error->error_code).second) return 0;
  }
  char what[128] = "";
  XGetErrorText(display, error->error_code, what, sizeof what);
  char request[128] = "";
  const std::string number = std::to_string(error->request_code);
  XGetErrorDatabaseText(display, "XRequest", number.c_str(), number.c_str(), request,
                        sizeof request);
  std::fprintf(
      stderr,
      "tavrion: the X server refused a request (%s, request %s, resource 0x%lx); going on\n", what,
      request, error->resourceid);
  std::fflush(stderr);
  return 0;
}

}  // namespace

void ReportX11ErrorsAndGoOn() {
  XSetErrorHandler(ReportError);
}

X11Connection::X11Connection(void* display)
    : display_(display), fd_(ConnectionNumber(static_cast<Display*>(display))) {}

std::optional<X11Connection> X11Connection::Of(SDL_Window* window) {
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (window == nullptr || SDL_GetWindowWMInfo(window, &info) != SDL_TRUE ||
      info.subsystem != SDL_SYSWM_X11) {
    return std::nullopt;
  }
  return X11Connection(info.info.x11.display);
}

std::optional<POINT> X11Connection::PointerPosition() const {
  auto* display = static_cast<Display*>(display_);
  Window root = 0;
  Window child = 0;
  int x = 0;
  int y = 0;
  int window_x = 0;
  int window_y = 0;
  unsigned int buttons = 0;
  if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &x, &y, &window_x,
                     &window_y, &buttons)) {
    return std::nullopt;
  }
  return POINT{x, y};
}

}  // namespace host::sdl
