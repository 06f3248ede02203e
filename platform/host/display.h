// The display side of the host: one object per top-level window, the input
// that happens in them, the cursor, the capture, the clipboard and the beep.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <platform/types.h>

namespace gdi {
class Surface;
}

namespace host {

// One piece of input as a person gives it, or news from the window manager.
struct InputEvent {
  enum Kind {
    kMouseMove,
    kButtonDown,
    kButtonUp,
    kWheel,
    kKeyDown,
    kKeyUp,
    kText,
    kClose,       // the close box, or the window manager's close command
    kActivate,    // the window manager gave the window the focus
    kDeactivate,  // ... and took it away
    kMoved,       // the window manager moved it: `position`
    kResized,     // ... or resized it: `size`
    kExposed,     // what was shown of it is lost and must be shown again
  };
  Kind kind;
  // The top-level window the event happened in. Null only for mouse and key
  // events of a host without windows of its own (the headless host), whose
  // positions are then screen coordinates.
  HWND window = nullptr;
  // Mouse events: the client coordinates of `window` (screen coordinates
  // without one). kMoved: where the client area's top-left corner is now, in
  // screen coordinates.
  POINT position{};
  SIZE size{};           // kResized: the new client size
  int button = 0;        // 0 left, 1 right, 2 middle
  int wheel_delta = 0;   // multiples of 120
  UINT virtual_key = 0;  // VK_ code for keys
  char text = 0;         // code page 1251 character for kText
};

inline bool operator==(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// What the host is told of a top-level window: all of it, whenever any of it
// changes.
struct WindowState {
  RECT frame{};       // the whole window on the screen, frame included
  RECT client{};      // the client area on the screen
  std::string title;  // UTF-8
  bool visible = false;
  bool enabled = true;
  bool active = false;   // the platform's active window
  bool topmost = false;  // WS_EX_TOPMOST
  // Showing it may take the focus; false for pop-ups such as hints.
  bool takes_focus = true;
  // A title bar. A window with one shows its client area in a frame the
  // desktop draws; one without shows its whole surface, the borders the
  // platform painted included, as a borderless window at `frame`.
  bool caption = false;
  bool resizable = false;  // a sizing border
  HWND owner = nullptr;    // the top-level window that owns it
  // Among the visible top-level windows, 0 for the one on top.
  int z_index = 0;
  // The window's icon drawn at 32 x 32; null for none.
  std::shared_ptr<const gdi::Surface> icon;

  bool operator==(const WindowState&) const = default;
};

// The host's side of one top-level window. It owns the surface the platform
// draws the window into (frame included), which the platform keeps at the
// window's size.
class HostWindow {
 public:
  HostWindow();
  virtual ~HostWindow();
  HostWindow(const HostWindow&) = delete;
  HostWindow& operator=(const HostWindow&) = delete;

  const std::shared_ptr<gdi::Surface>& surface() const { return surface_; }

  // The window as it stands now; called whenever any of it changed.
  virtual void Update(const WindowState& /* state */) {}
  // Shows the `damaged` rectangles (surface coordinates) of `picture`: the
  // surface itself, or a copy with the carets laid over it.
  virtual void Present(const gdi::Surface& /* picture */, const std::vector<RECT>& /* damaged */) {}

 private:
  std::shared_ptr<gdi::Surface> surface_;
};

// A cursor of the program's own as the host shows it.
struct CursorPicture {
  int width = 0;
  int height = 0;
  POINT hotspot{};
  std::vector<std::uint32_t> argb;  // rows top down; alpha 0 (clear) or 255
};

class Display {
 public:
  virtual ~Display() = default;

  virtual SIZE ScreenSize() = 0;

  // A new top-level window; the platform drops the object when the window
  // is destroyed. `handle` names the window in the events.
  virtual std::unique_ptr<HostWindow> OpenWindow(HWND /* handle */,
                                                 const WindowState& /* state */) {
    return std::make_unique<HostWindow>();
  }

  // Whether the host shows the windows to someone, so that the caret's
  // blinking must wake the user-interface thread to present it.
  virtual bool ShowsCaretBlinks() const { return false; }

  // The next piece of input gathered, if any.
  virtual bool NextInput(InputEvent& event) = 0;

  // The user-interface thread presented while busy (a long handler, or a
  // loop that keeps finding work). A host answers meanwhile what the desktop
  // asks that needs nothing from the program, such as showing an uncovered
  // window again from what was last presented; the input it meets waits
  // for NextInput.
  virtual void WhileBusy() {}

  // The mouse cursor's position in screen coordinates. Any thread.
  virtual POINT CursorPos() = 0;
  virtual void SetCursorPos(POINT position) = 0;
  // The cursor shown over the program's windows: a system cursor's number
  // (IDC_ARROW ...), or 0 for none.
  virtual void SetCursorShape(WORD /* system_cursor */) {}
  // A cursor of the program's own; a host that cannot show pictures shows
  // the arrow.
  virtual void SetCursorPicture(const CursorPicture& /* picture */) { SetCursorShape(32512); }
  // The mouse stays with this top-level window (null: it is free again) even
  // outside it, as long as a button is down.
  virtual void SetMouseCapture(HWND /* top_level */) {}

  // MessageBeep: the sound of a MessageBeep type (MB_ICONHAND ...), if the
  // host has any.
  virtual void Beep(UINT /* type */) {}

  // The clipboard's text, UTF-8 at this seam. A host without a clipboard of
  // its own keeps nothing and has none to give.
  virtual void SetClipboardText(const std::string& /* utf8 */) {}
  virtual std::optional<std::string> ClipboardText() { return std::nullopt; }
  virtual void ClearClipboard() {}
};

}  // namespace host
