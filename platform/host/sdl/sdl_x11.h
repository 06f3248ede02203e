// What the desktop host does with the X server itself, under SDL: errors
// that never end the program, the connection's wait and the pointer's place.
#pragma once

#include <SDL_video.h>

#include <optional>

#include <platform/types.h>

namespace host::sdl {

// Xlib's default handler ends the process on any protocol error (a request
// naming a window that has just gone, say). Ours writes one line on standard
// error for each kind of error and the program goes on.
void ReportX11ErrorsAndGoOn();

// The X connection behind SDL's windows, found from one of them; nothing
// when SDL shows its windows some other way (Wayland).
class X11Connection {
 public:
  static std::optional<X11Connection> Of(SDL_Window* window);

  // The connection's socket: readable when the server has sent something.
  int fd() const { return fd_; }
  // Where the pointer is on the screen, asked of the server.
  std::optional<POINT> PointerPosition() const;

 private:
  explicit X11Connection(void* display);

  void* display_;
  int fd_;
};

}  // namespace host::sdl
