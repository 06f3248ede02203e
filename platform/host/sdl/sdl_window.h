// One top-level window of the program as a real SDL window.
#pragma once

#include <SDL_video.h>

#include <platform/types.h>

#include "../display.h"

namespace host {

class SdlHost;

namespace sdl {

// The SDL window shows the client area of a window with a caption (the
// desktop's window manager draws its frame) and the whole window otherwise
// (nobody else draws the border of a pop-up). It is made, hidden, when the
// window is first shown, and made again when what SDL fixes at creation
// changes (the caption, whether it takes the focus).
class SdlWindow : public HostWindow {
 public:
  SdlWindow(SdlHost& host, HWND handle, const WindowState& state);
  ~SdlWindow() override;

  void Update(const WindowState& state) override;
  void Present(const gdi::Surface& picture, const std::vector<RECT>& damaged) override;

  HWND handle() const { return handle_; }
  const WindowState& state() const { return state_; }
  // Null while the window has never been shown.
  SDL_Window* window() const { return window_; }

  // The SDL window of an event, and whose it is (null: none of ours).
  static SdlWindow* FromId(Uint32 window_id);

  // Where the SDL window's content starts, seen from the client area's
  // top-left corner: (0, 0), or minus the border of a window without a caption.
  POINT ContentOffset() const;
  // Makes this window modal for `owner`'s SDL window (once).
  void SetModalFor(const SdlWindow& owner);
  // Shows again what was last presented, after the desktop lost it.
  void Refresh();
  // The host goes before the window does: the SDL window goes now.
  void Detach();

 private:
  void Create();
  void Destroy();
  void ApplyIcon();

  SdlHost* host_;
  HWND handle_;
  WindowState state_;
  SDL_Window* window_ = nullptr;
  bool shown_ = false;
  const SdlWindow* modal_for_ = nullptr;
};

}  // namespace sdl
}  // namespace host
