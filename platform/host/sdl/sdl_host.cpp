#include "sdl_host.h"

#include <SDL.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "sdl_cursors.h"
#include "sdl_window.h"

namespace host {

std::unique_ptr<SdlHost> SdlHost::Create(std::unique_ptr<AudioOutput> audio, std::string& reason) {
  // Ctrl+C in the terminal ends the program as usual instead of becoming a
  // quit event that nothing here reads.
  SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
  // A click on an inactive window activates it and reaches it too, as on the
  // desktop the program is written for.
  SDL_SetHint(SDL_HINT_MOUSE_FOCUS_CLICKTHROUGH, "1");
  // The program is an ordinary window: leave the compositor alone.
  SDL_SetHint(SDL_HINT_VIDEO_X11_NET_WM_BYPASS_COMPOSITOR, "0");
  // Our pixels are drawn by the platform: the window system's own shared
  // memory image shows them. A texture through OpenGL would load a whole
  // software renderer (some 60 MB resident) where there is no GPU.
  SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
  // Only the drivers that show windows to a person; SDL would otherwise fall
  // back to drawing off the screen. Wayland is tried only where there is a
  // compositor, so a terminal without a display hears just our one line. An
  // SDL_VIDEODRIVER in the environment overrides this.
  SDL_SetHint(SDL_HINT_VIDEODRIVER,
              std::getenv("WAYLAND_DISPLAY") != nullptr ? "x11,wayland" : "x11");
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    reason = SDL_GetError();
    return nullptr;
  }
  if (std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) sdl::ReportX11ErrorsAndGoOn();
  const Uint32 wake_event = SDL_RegisterEvents(1);
  if (wake_event == static_cast<Uint32>(-1)) {
    reason = "no room for SDL user events";
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return nullptr;
  }
  return std::unique_ptr<SdlHost>(new SdlHost(std::move(audio), wake_event));
}

SdlHost::SdlHost(std::unique_ptr<AudioOutput> audio, Uint32 wake_event)
    : RealTimeHost(std::move(audio)),
      wake_event_(wake_event),
      on_x11_(std::strcmp(SDL_GetCurrentVideoDriver(), "x11") == 0) {
  if (on_x11_) wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
  SDL_DisplayMode mode{};
  screen_ = SDL_GetDesktopDisplayMode(0, &mode) == 0 ? SIZE{mode.w, mode.h} : SIZE{1024, 768};
  SDL_StartTextInput();
  int x = 0;
  int y = 0;
  SDL_GetGlobalMouseState(&x, &y);
  cursor_ = {x, y};
}

SdlHost::~SdlHost() {
  for (sdl::SdlWindow* window : windows_) window->Detach();
  for (auto& [id, cursor] : cursors_) SDL_FreeCursor(cursor);
  if (picture_cursor_ != nullptr) SDL_FreeCursor(picture_cursor_);
  if (wake_fd_ >= 0) close(wake_fd_);
  // SDL's video stays up until the process ends: quitting it unloads the X
  // libraries, and what they keep for the life of the process would then be
  // reported as leaks from code nobody can name.
}

void SdlHost::WaitForWork(std::uint64_t deadline) {
  Gather();
  {
    std::lock_guard lock(input_mutex_);
    if (!input_.empty()) return;
  }
  if (wake_fd_ >= 0) {
    WaitOnX11(deadline);
    Gather();
    return;
  }
  SDL_Event event;
  int got = 0;
  if (deadline == kForever) {
    got = SDL_WaitEvent(&event);
  } else {
    const std::uint64_t now = Now();
    if (deadline <= now) return;
    const std::uint64_t wait = std::min<std::uint64_t>(deadline - now, INT_MAX);
    got = SDL_WaitEventTimeout(&event, static_cast<int>(wait));
  }
  if (got != 0) Translate(event);
  Gather();
}

void SdlHost::WaitOnX11(std::uint64_t deadline) {
  int timeout = -1;
  if (deadline != kForever) {
    const std::uint64_t now = Now();
    if (deadline <= now) return;
    timeout = static_cast<int>(std::min<std::uint64_t>(deadline - now, INT_MAX));
  }
  // Gather has just read everything the server had sent, so the socket
  // turning readable is the next news.
  const sdl::X11Connection* x11 = X11();
  pollfd watched[2] = {{wake_fd_, POLLIN, 0}, {x11 != nullptr ? x11->fd() : -1, POLLIN, 0}};
  if (poll(watched, 2, timeout) > 0 && (watched[0].revents & POLLIN) != 0) {
    std::uint64_t count = 0;
    [[maybe_unused]] const ssize_t read_bytes = read(wake_fd_, &count, sizeof count);
  }
}

const sdl::X11Connection* SdlHost::X11() {
  if (!x11_) {
    for (sdl::SdlWindow* window : windows_) {
      if ((x11_ = sdl::X11Connection::Of(window->window()))) break;
    }
  }
  return x11_ ? &*x11_ : nullptr;
}

void SdlHost::Wake() {
  if (wake_fd_ >= 0) {
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = write(wake_fd_, &one, sizeof one);
    return;
  }
  // One wake event at a time is enough: whoever waits looks at everything
  // once it returns.
  if (wake_pending_.exchange(true)) return;
  SDL_Event event{};
  event.type = wake_event_;
  if (SDL_PushEvent(&event) != 1) wake_pending_.store(false);
}

SIZE SdlHost::ScreenSize() {
  return screen_;
}

std::unique_ptr<HostWindow> SdlHost::OpenWindow(HWND handle, const WindowState& state) {
  auto window = std::make_unique<sdl::SdlWindow>(*this, handle, state);
  ApplyOwners();
  return window;
}

void SdlHost::Attach(sdl::SdlWindow* window) {
  windows_.push_back(window);
}

void SdlHost::Detach(sdl::SdlWindow* window) {
  std::erase(windows_, window);
}

void SdlHost::ApplyOwners() {
  for (sdl::SdlWindow* window : windows_) {
    const HWND owner = window->state().owner;
    if (owner == nullptr || !window->state().visible) continue;
    const auto found = std::find_if(windows_.begin(), windows_.end(),
                                    [&](sdl::SdlWindow* w) { return w->handle() == owner; });
    if (found != windows_.end() && !(*found)->state().enabled) window->SetModalFor(**found);
  }
}

bool SdlHost::NextInput(InputEvent& event) {
  if (IsUserInterfaceThread()) {
    std::unique_lock lock(input_mutex_);
    if (input_.empty()) {
      lock.unlock();
      Gather();
    }
  }
  std::lock_guard lock(input_mutex_);
  if (input_.empty()) return false;
  event = input_.front();
  input_.pop_front();
  return true;
}

void SdlHost::Queue(const InputEvent& event) {
  std::lock_guard lock(input_mutex_);
  input_.push_back(event);
}

void SdlHost::NoteCursor(POINT screen) {
  std::lock_guard lock(cursor_mutex_);
  cursor_ = screen;
}

POINT SdlHost::CursorPos() {
  if (IsUserInterfaceThread()) {
    // SDL's global mouse state on X11 is a copy refreshed only by button
    // presses: the server is asked instead.
    const sdl::X11Connection* x11 = X11();
    if (const auto at = x11 != nullptr ? x11->PointerPosition() : std::nullopt) {
      NoteCursor(*at);
    } else if (x11 == nullptr) {
      int x = 0;
      int y = 0;
      SDL_GetGlobalMouseState(&x, &y);
      NoteCursor({x, y});
    }
  }
  std::lock_guard lock(cursor_mutex_);
  return cursor_;
}

void SdlHost::SetCursorPos(POINT position) {
  if (IsUserInterfaceThread()) SDL_WarpMouseGlobal(position.x, position.y);
  NoteCursor(position);
}

void SdlHost::SetCursorShape(WORD system_cursor) {
  const auto shape = sdl::SystemCursorFor(system_cursor);
  if (!shape) {
    SDL_ShowCursor(SDL_DISABLE);
    return;
  }
  SDL_Cursor*& cursor = cursors_[system_cursor];
  if (cursor == nullptr) cursor = SDL_CreateSystemCursor(*shape);
  if (cursor != nullptr) SDL_SetCursor(cursor);
  SDL_ShowCursor(SDL_ENABLE);
}

void SdlHost::SetCursorPicture(const CursorPicture& picture) {
  std::vector<std::uint32_t> pixels = picture.argb;
  SDL_Surface* surface =
      SDL_CreateRGBSurfaceWithFormatFrom(pixels.data(), picture.width, picture.height, 32,
                                         picture.width * 4, SDL_PIXELFORMAT_ARGB8888);
  SDL_Cursor* cursor = surface != nullptr
                           ? SDL_CreateColorCursor(surface, picture.hotspot.x, picture.hotspot.y)
                           : nullptr;
  if (surface != nullptr) SDL_FreeSurface(surface);
  if (cursor == nullptr) return SetCursorShape(32512);
  SDL_SetCursor(cursor);
  SDL_ShowCursor(SDL_ENABLE);
  if (picture_cursor_ != nullptr) SDL_FreeCursor(picture_cursor_);
  picture_cursor_ = cursor;
}

void SdlHost::SetMouseCapture(HWND top_level) {
  SDL_CaptureMouse(top_level != nullptr ? SDL_TRUE : SDL_FALSE);
}

void SdlHost::SetClipboardText(const std::string& utf8) {
  SDL_SetClipboardText(utf8.c_str());
}

std::optional<std::string> SdlHost::ClipboardText() {
  if (!SDL_HasClipboardText()) return std::nullopt;
  char* text = SDL_GetClipboardText();
  if (text == nullptr) return std::nullopt;
  std::string out(text);
  SDL_free(text);
  return out;
}

void SdlHost::ClearClipboard() {
  SDL_SetClipboardText("");
}

}  // namespace host
