// SDL's events as the host's input: mouse positions in client coordinates,
// keys as VK_ codes, typed text in code page 1251, and the window manager's
// news about each window.
#include <SDL.h>

#include <platform/codepage.h>

#include "sdl_host.h"
#include "sdl_keys.h"
#include "sdl_window.h"

namespace host {

namespace {

constexpr int kWheelNotch = 120;

// SDL's buttons as the seam's: 0 left, 1 right, 2 middle; -1 for the rest.
int ButtonOf(Uint8 button) {
  switch (button) {
    case SDL_BUTTON_LEFT:
      return 0;
    case SDL_BUTTON_RIGHT:
      return 1;
    case SDL_BUTTON_MIDDLE:
      return 2;
    default:
      return -1;
  }
}

}  // namespace

void SdlHost::Gather() {
  if (!IsUserInterfaceThread()) return;
  SDL_Event event;
  while (SDL_PollEvent(&event) != 0) Translate(event);
  // The focus left our windows for good only if none of them took it.
  if (focus_lost_ != nullptr) {
    InputEvent input{};
    input.kind = InputEvent::kDeactivate;
    input.window = focus_lost_;
    focus_lost_ = nullptr;
    Queue(input);
  }
}

sdl::SdlWindow* SdlHost::ActiveWindow() const {
  for (sdl::SdlWindow* window : windows_) {
    if (window->state().active && window->state().visible) return window;
  }
  return nullptr;
}

sdl::SdlWindow* SdlHost::KeyboardWindow(Uint32 window_id) const {
  sdl::SdlWindow* window = sdl::SdlWindow::FromId(window_id);
  if (window != nullptr && window->state().takes_focus && window->state().enabled) return window;
  // With no window manager the keyboard follows the pointer, SDL gave a hint
  // the focus, or SDL still names the owner a new dialog has disabled (a
  // focus change not reported yet, a hint's hand-back): the program's active
  // window takes the keys.
  return ActiveWindow();
}

void SdlHost::Translate(const SDL_Event& event) {
  InputEvent input{};
  // A mouse position in the SDL window as client coordinates of `window`,
  // noting where the cursor is on the screen.
  const auto mouse_at = [&](sdl::SdlWindow& window, int x, int y) {
    const POINT offset = window.ContentOffset();
    input.window = window.handle();
    input.position = {x + offset.x, y + offset.y};
    NoteCursor({window.state().client.left + input.position.x,
                window.state().client.top + input.position.y});
  };
  if (event.type == wake_event_) {
    wake_pending_.store(false);
    return;
  }
  switch (event.type) {
    case SDL_WINDOWEVENT:
      if (sdl::SdlWindow* window = sdl::SdlWindow::FromId(event.window.windowID)) {
        TranslateWindowEvent(*window, event.window);
      }
      return;
    case SDL_MOUSEMOTION: {
      sdl::SdlWindow* window = sdl::SdlWindow::FromId(event.motion.windowID);
      if (window == nullptr) return;
      input.kind = InputEvent::kMouseMove;
      mouse_at(*window, event.motion.x, event.motion.y);
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      sdl::SdlWindow* window = sdl::SdlWindow::FromId(event.button.windowID);
      input.button = ButtonOf(event.button.button);
      if (window == nullptr || input.button < 0) return;
      input.kind =
          event.type == SDL_MOUSEBUTTONDOWN ? InputEvent::kButtonDown : InputEvent::kButtonUp;
      mouse_at(*window, event.button.x, event.button.y);
      break;
    }
    case SDL_MOUSEWHEEL: {
      sdl::SdlWindow* window = sdl::SdlWindow::FromId(event.wheel.windowID);
      if (window == nullptr || event.wheel.y == 0) return;
      input.kind = InputEvent::kWheel;
      const int notches =
          event.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -event.wheel.y : event.wheel.y;
      input.wheel_delta = notches * kWheelNotch;
      mouse_at(*window, event.wheel.mouseX, event.wheel.mouseY);
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
      sdl::SdlWindow* window = KeyboardWindow(event.key.windowID);
      const auto key = sdl::VirtualKeyFor(event.key.keysym.scancode);
      if (window == nullptr || !key) return;
      input.kind = event.type == SDL_KEYDOWN ? InputEvent::kKeyDown : InputEvent::kKeyUp;
      input.window = window->handle();
      input.virtual_key = *key;
      break;
    }
    case SDL_TEXTINPUT: {
      sdl::SdlWindow* window = KeyboardWindow(event.text.windowID);
      if (window == nullptr) return;
      input.kind = InputEvent::kText;
      input.window = window->handle();
      for (const char c : codepage::Utf8ToCp1251Lossy(event.text.text)) {
        input.text = c;
        Queue(input);
      }
      return;
    }
    default:
      return;
  }
  Queue(input);
}

void SdlHost::TranslateWindowEvent(sdl::SdlWindow& window, const SDL_WindowEvent& event) {
  InputEvent input{};
  input.window = window.handle();
  const WindowState& state = window.state();
  const POINT offset = window.ContentOffset();
  switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
      input.kind = InputEvent::kClose;
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      // Focus moving between our windows is one activation, not a
      // deactivation with nothing active in between.
      focus_lost_ = nullptr;
      if (!state.takes_focus) {
        // SDL focuses every window it shows when there is no window
        // manager; a hint hands the focus back at once.
        if (sdl::SdlWindow* active = ActiveWindow(); active != nullptr && active->window()) {
          SDL_SetWindowInputFocus(active->window());
        }
        return;
      }
      input.kind = InputEvent::kActivate;
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      if (state.takes_focus) focus_lost_ = window.handle();
      return;
    case SDL_WINDOWEVENT_MOVED:
      input.kind = InputEvent::kMoved;
      input.position = {event.data1 - offset.x, event.data2 - offset.y};
      // Our own moves come back from SDL; only the window manager's are news.
      if (input.position.x == state.client.left && input.position.y == state.client.top) return;
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED: {
      input.kind = InputEvent::kResized;
      // The border of a window without a caption is ours, inside SDL's size.
      const int border_x =
          (state.frame.right - state.frame.left) - (state.client.right - state.client.left);
      const int border_y =
          (state.frame.bottom - state.frame.top) - (state.client.bottom - state.client.top);
      input.size = state.caption ? SIZE{event.data1, event.data2}
                                 : SIZE{event.data1 - border_x, event.data2 - border_y};
      if (input.size.cx == state.client.right - state.client.left &&
          input.size.cy == state.client.bottom - state.client.top) {
        return;
      }
      break;
    }
    case SDL_WINDOWEVENT_EXPOSED:
      window.Refresh();
      input.kind = InputEvent::kExposed;
      break;
    default:
      return;
  }
  Queue(input);
}

}  // namespace host
