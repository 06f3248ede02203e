#include "sdl_window.h"

#include <SDL.h>

#include <algorithm>
#include <cstring>

#include "../../gdi/surface.h"
#include "sdl_host.h"

namespace host::sdl {

namespace {

// The name under which each SDL window keeps its SdlWindow.
constexpr const char* kWindowData = "tavrion.window";

int Width(const RECT& r) {
  return std::max(1, static_cast<int>(r.right - r.left));
}
int Height(const RECT& r) {
  return std::max(1, static_cast<int>(r.bottom - r.top));
}

// The part of the window's surface the SDL window shows, on the screen.
const RECT& ShownRect(const WindowState& state) {
  return state.caption ? state.client : state.frame;
}

// What SDL fixes when it makes a window.
Uint32 CreationFlags(const WindowState& state) {
  Uint32 flags = SDL_WINDOW_HIDDEN;
  if (!state.caption) flags |= SDL_WINDOW_BORDERLESS;
  if (state.resizable) flags |= SDL_WINDOW_RESIZABLE;
  if (state.topmost) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  // A hint: shown above the others, not in the task bar, never focused.
  if (!state.takes_focus) flags |= SDL_WINDOW_TOOLTIP | SDL_WINDOW_SKIP_TASKBAR;
  return flags;
}

bool SameIcon(const WindowState& a, const WindowState& b) {
  return a.icon == b.icon;
}

}  // namespace

SdlWindow::SdlWindow(SdlHost& host, HWND handle, const WindowState& state)
    : host_(&host), handle_(handle) {
  host.Attach(this);
  Update(state);
}

SdlWindow::~SdlWindow() {
  if (host_ != nullptr) host_->Detach(this);
  Destroy();
}

void SdlWindow::Detach() {
  Destroy();
  host_ = nullptr;
}

SdlWindow* SdlWindow::FromId(Uint32 window_id) {
  SDL_Window* window = SDL_GetWindowFromID(window_id);
  if (window == nullptr) return nullptr;
  return static_cast<SdlWindow*>(SDL_GetWindowData(window, kWindowData));
}

POINT SdlWindow::ContentOffset() const {
  const RECT& shown = ShownRect(state_);
  return {shown.left - state_.client.left, shown.top - state_.client.top};
}

void SdlWindow::Create() {
  const RECT& shown = ShownRect(state_);
  window_ = SDL_CreateWindow(state_.title.c_str(), shown.left, shown.top, Width(shown),
                             Height(shown), CreationFlags(state_));
  if (window_ == nullptr) return;
  SDL_SetWindowData(window_, kWindowData, this);
  ApplyIcon();
  shown_ = false;
  modal_for_ = nullptr;
}

void SdlWindow::Destroy() {
  if (window_ == nullptr) return;
  SDL_SetWindowData(window_, kWindowData, nullptr);
  SDL_DestroyWindow(window_);
  window_ = nullptr;
  shown_ = false;
  modal_for_ = nullptr;
}

void SdlWindow::ApplyIcon() {
  if (window_ == nullptr || state_.icon == nullptr) return;
  const gdi::Surface& icon = *state_.icon;
  SDL_Surface* copy =
      SDL_CreateRGBSurfaceWithFormat(0, icon.width(), icon.height(), 32, SDL_PIXELFORMAT_ARGB8888);
  if (copy == nullptr) return;
  for (int y = 0; y < icon.height(); ++y) {
    auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(copy->pixels) + y * copy->pitch);
    // The icon's top byte is its transparency, as ARGB8888 has it.
    for (int x = 0; x < icon.width(); ++x) row[x] = icon.At(x, y);
  }
  SDL_SetWindowIcon(window_, copy);
  SDL_FreeSurface(copy);
}

void SdlWindow::Update(const WindowState& next) {
  const WindowState previous = state_;
  const bool remake = window_ != nullptr && (previous.caption != next.caption ||
                                             previous.takes_focus != next.takes_focus);
  state_ = next;
  if (remake) Destroy();
  if (!next.visible) {
    if (window_ != nullptr && shown_) SDL_HideWindow(window_);
    shown_ = false;
    return;
  }
  const bool made = window_ == nullptr;
  if (made) {
    Create();
    if (window_ == nullptr) return;
  } else {
    if (previous.title != next.title) SDL_SetWindowTitle(window_, next.title.c_str());
    if (!SameIcon(previous, next)) ApplyIcon();
    const RECT& was = ShownRect(previous);
    const RECT& now = ShownRect(next);
    if (was.left != now.left || was.top != now.top) {
      SDL_SetWindowPosition(window_, now.left, now.top);
    }
    if (Width(was) != Width(now) || Height(was) != Height(now)) {
      SDL_SetWindowSize(window_, Width(now), Height(now));
    }
    if (previous.resizable != next.resizable) {
      SDL_SetWindowResizable(window_, next.resizable ? SDL_TRUE : SDL_FALSE);
    }
    if (previous.topmost != next.topmost) {
      SDL_SetWindowAlwaysOnTop(window_, next.topmost ? SDL_TRUE : SDL_FALSE);
    }
  }
  const bool showing = !shown_;
  if (showing) {
    SDL_SetHint(SDL_HINT_WINDOW_NO_ACTIVATION_WHEN_SHOWN, next.takes_focus ? "0" : "1");
    SDL_ShowWindow(window_);
    shown_ = true;
    Refresh();
  }
  if (next.active && next.takes_focus && (showing || !previous.active)) {
    SDL_RaiseWindow(window_);
    // Raising asks a window manager for the focus; without one (a bare X
    // server) the keyboard would stay with nobody once a dialog of ours has
    // gone, so a window already on the screen takes it itself.
    if (!showing) SDL_SetWindowInputFocus(window_);
  }
  if (host_ != nullptr) host_->ApplyOwners();
}

void SdlWindow::SetModalFor(const SdlWindow& owner) {
  if (window_ == nullptr || owner.window_ == nullptr || modal_for_ == &owner) return;
  if (SDL_SetWindowModalFor(window_, owner.window_) == 0) modal_for_ = &owner;
}

void SdlWindow::Refresh() {
  if (window_ != nullptr && shown_ && SDL_GetWindowSurface(window_) != nullptr) {
    SDL_UpdateWindowSurface(window_);
  }
}

void SdlWindow::Present(const gdi::Surface& picture, const std::vector<RECT>& damaged) {
  if (window_ == nullptr || !shown_ || damaged.empty()) return;
  SDL_Surface* target = SDL_GetWindowSurface(window_);
  if (target == nullptr) return;
  // The shown part in the picture's coordinates, which start at the frame.
  const RECT& shown = ShownRect(state_);
  const int origin_x = shown.left - state_.frame.left;
  const int origin_y = shown.top - state_.frame.top;
  const int right =
      std::min({origin_x + target->w, static_cast<int>(origin_x + Width(shown)), picture.width()});
  const int bottom = std::min(
      {origin_y + target->h, static_cast<int>(origin_y + Height(shown)), picture.height()});
  // Our pixels are laid out as SDL's RGB888 already; other layouts convert.
  const Uint32 format = target->format->format;
  const int bytes = target->format->BytesPerPixel;
  std::vector<SDL_Rect> updated;
  updated.reserve(damaged.size());
  if (SDL_MUSTLOCK(target) && SDL_LockSurface(target) != 0) return;
  for (const RECT& r : damaged) {
    const int left = std::max(static_cast<int>(r.left), std::max(origin_x, 0));
    const int top = std::max(static_cast<int>(r.top), std::max(origin_y, 0));
    const int r_right = std::min(static_cast<int>(r.right), right);
    const int r_bottom = std::min(static_cast<int>(r.bottom), bottom);
    if (left >= r_right || top >= r_bottom) continue;
    const int width = r_right - left;
    for (int y = top; y < r_bottom; ++y) {
      const std::uint32_t* from = picture.Row(y) + left;
      Uint8* to = static_cast<Uint8*>(target->pixels) + (y - origin_y) * target->pitch +
                  (left - origin_x) * bytes;
      if (format == SDL_PIXELFORMAT_RGB888) {
        std::memcpy(to, from, static_cast<std::size_t>(width) * 4);
      } else {
        SDL_ConvertPixels(width, 1, SDL_PIXELFORMAT_RGB888, from, width * 4, format, to,
                          target->pitch);
      }
    }
    updated.push_back({left - origin_x, top - origin_y, width, r_bottom - top});
  }
  if (SDL_MUSTLOCK(target)) SDL_UnlockSurface(target);
  if (!updated.empty()) {
    SDL_UpdateWindowSurfaceRects(window_, updated.data(), static_cast<int>(updated.size()));
  }
}

}  // namespace host::sdl
