// The window manager's state: registered classes and live windows. A window
// is changed only by its own thread, and only under the lock, so that the
// calls other threads may make (posting, sending, GetParent, GetPropA,
// WindowFromPoint) read it safely under the lock. The fields marked below as
// the thread's own are read by no other thread, and change without the lock.
#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include <platform/windows.h>

namespace user {

struct WindowClass {
  WNDCLASSA info{};
  std::string name;  // as registered
  ATOM atom = 0;
  std::vector<BYTE> extra;  // cbClsExtra bytes
};

struct Window {
  HWND handle = nullptr;
  WindowClass* cls = nullptr;
  WNDPROC proc = nullptr;
  HINSTANCE instance = nullptr;
  DWORD style = 0;
  DWORD ex_style = 0;
  LONG_PTR id = 0;
  LONG_PTR user_data = 0;
  std::vector<BYTE> extra;   // the class's cbWndExtra bytes, zeroed at creation
  Window* parent = nullptr;  // the window this one is a child of
  Window* owner = nullptr;   // top-level windows only
  // Children in z-order, topmost first.
  std::vector<Window*> children;
  // The frame in the parent's client coordinates (screen coordinates for a
  // top-level window) and the client area inside the frame.
  RECT rect{};
  RECT client{};  // relative to rect's top-left corner
  // Where a minimised or maximised window goes when it is restored, when
  // that was set while it was so; else it keeps `rect`.
  std::optional<RECT> restored;
  std::map<std::string, HANDLE> props;  // keys upper-cased atom names
  bool hidden_by_owner = false;         // by ShowOwnedPopups, which may show it again
  DWORD thread = 0;
  // Any thread may mark a window for painting: these change under the lock
  // on any thread, and are read under it.
  std::vector<RECT> update;  // invalid parts, client coordinates
  bool erase = false;        // WM_ERASEBKGND owed with the next paint
  bool ncpaint = false;
  bool internal_paint = false;  // RDW_INTERNALPAINT: one WM_PAINT owed, valid or not

  // The thread's own: other threads reach them only through messages (text,
  // icons) or not at all.
  std::string text;
  HICON big_icon = nullptr;  // WM_SETICON's
  HICON small_icon = nullptr;
  bool destroying = false;
  bool created = false;  // WM_NCCREATE answered
};

// Guards the table for the calls other threads may make.
std::recursive_mutex& Lock();

Window* Find(HWND handle);
// Any thread: the thread a window belongs to, and its procedure; 0 and null
// for a window that is gone (or the desktop).
DWORD ThreadOf(HWND handle);
WNDPROC ProcOf(HWND handle);
// Whether the window belongs to the calling thread; if not, the last error
// says why (ERROR_INVALID_WINDOW_HANDLE, or ERROR_ACCESS_DENIED for another
// thread's window).
bool IsOwnWindow(HWND handle);
// The desktop: the parent of every top-level window.
Window* Desktop();
HWND AddWindow(std::unique_ptr<Window> window);
void RemoveWindow(HWND handle);

// A module's own class (with a null instance, any of the program's own
// classes), else a global class; only global ones without `own_classes`.
WindowClass* FindClass(const std::string& name, HINSTANCE instance, bool own_classes = true);
// A class named by a text or by its atom in the pointer.
WindowClass* FindClassByArgument(LPCSTR name, HINSTANCE instance, bool own_classes = true);
// Whether a live window is of the class.
bool HasWindows(const WindowClass* cls);
// ASCII letters folded, for class names, props and atoms.
std::string Upper(const std::string& text);

// Children of `parent` (the desktop for top-level windows) in z-order.
std::vector<Window*>& SiblingsOf(Window* window);

// A window's top-left corner on the screen, and its client area's.
POINT ScreenOrigin(const Window* window);
POINT ClientOrigin(const Window* window);
// The window's frame on the screen, and its client area's.
RECT ScreenRect(const Window* window);
RECT ClientScreenRect(const Window* window);

// The top-level window a window lies in (itself for a top-level one).
Window* TopLevelOf(Window* window);
// Whether the window or one of its ancestors is disabled.
bool InDisabled(const Window* window);

// Sends a message to a window of this thread, then finds the window again:
// null when a handler destroyed it. `answer` receives what the window said.
Window* SendAndFind(HWND handle, UINT message, WPARAM wParam, LPARAM lParam,
                    LRESULT* answer = nullptr);

// Sends WM_DESTROY and WM_NCDESTROY and frees the window and its children.
void Destroy(Window* window);

}  // namespace user
