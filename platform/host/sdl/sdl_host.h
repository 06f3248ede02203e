// The desktop host: real windows, the keyboard and mouse, the cursor, the
// clipboard and the clock, through SDL2 (on X11 or Wayland). Sound goes to
// the output it is given.
#pragma once

#include <SDL_events.h>
#include <SDL_mouse.h>

#include <atomic>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "../real_time_host.h"
#include "sdl_x11.h"

namespace host {

namespace sdl {
class SdlWindow;
}

class SdlHost : public RealTimeHost {
 public:
  // Starts SDL's video on the calling thread, which becomes the
  // user-interface thread. Null, with SDL's reason in `reason`, when there is
  // no display to show windows on.
  static std::unique_ptr<SdlHost> Create(std::unique_ptr<AudioOutput> audio, std::string& reason);
  ~SdlHost() override;

  // Sleeps until an event comes, Wake is called or the deadline passes; the
  // events that came are queued as input.
  void WaitForWork(std::uint64_t deadline) override;
  // Any thread. On X11 it touches no window: SDL's own wake-up sends an event
  // to its newest window from the waking thread, on a connection of its own,
  // and a dialog closing meanwhile made that a request for a window that
  // had gone.
  void Wake() override;

  SIZE ScreenSize() override;
  bool ShowsCaretBlinks() const override { return true; }
  std::unique_ptr<HostWindow> OpenWindow(HWND handle, const WindowState& state) override;
  bool NextInput(InputEvent& event) override;
  // Takes SDL's events as input, refreshing the windows they expose.
  void WhileBusy() override { Gather(); }
  // On the user-interface thread the desktop is asked; other threads (the
  // hint's mouse watcher) get where the cursor was when the user-interface
  // thread last took events, which is outside our windows once it left them.
  POINT CursorPos() override;
  void SetCursorPos(POINT position) override;
  void SetCursorShape(WORD system_cursor) override;
  void SetCursorPicture(const CursorPicture& picture) override;
  void SetMouseCapture(HWND top_level) override;

  void SetClipboardText(const std::string& utf8) override;
  std::optional<std::string> ClipboardText() override;
  void ClearClipboard() override;

  // The windows tell the host that they are there; see sdl_window.h.
  void Attach(sdl::SdlWindow* window);
  void Detach(sdl::SdlWindow* window);
  // An owned window whose owner is disabled is modal for it.
  void ApplyOwners();

 private:
  SdlHost(std::unique_ptr<AudioOutput> audio, Uint32 wake_event);

  // Takes every event SDL has (user-interface thread only).
  void Gather();
  // The wait on X11: the server's connection and our own wake-up counter.
  void WaitOnX11(std::uint64_t deadline);
  // The X connection, known once SDL has made a window.
  const sdl::X11Connection* X11();
  void Translate(const SDL_Event& event);
  void TranslateWindowEvent(sdl::SdlWindow& window, const SDL_WindowEvent& event);
  void Queue(const InputEvent& event);
  // The window a key or text event belongs to: SDL's, else the active one.
  sdl::SdlWindow* KeyboardWindow(Uint32 window_id) const;
  // The shown window the platform has active, if any.
  sdl::SdlWindow* ActiveWindow() const;
  void NoteCursor(POINT screen);

  const Uint32 wake_event_;
  std::atomic<bool> wake_pending_{false};
  // On X11 a wake is a count on this eventfd, not an SDL event.
  const bool on_x11_;
  int wake_fd_ = -1;
  std::optional<sdl::X11Connection> x11_;
  SIZE screen_{};

  std::mutex input_mutex_;
  std::deque<InputEvent> input_;

  std::mutex cursor_mutex_;
  POINT cursor_{};

  std::vector<sdl::SdlWindow*> windows_;
  // A window that lost the focus in the events being taken; it is told so
  // once they are all taken, unless another of ours gained it.
  HWND focus_lost_ = nullptr;
  std::map<WORD, SDL_Cursor*> cursors_;
  // The program's own cursor shown last; SDL keeps no copy of the picture.
  SDL_Cursor* picture_cursor_ = nullptr;
};

}  // namespace host
