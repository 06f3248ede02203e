// The window manager's state: registered classes and live windows. One
// user-interface thread uses it; the few calls other threads may make
// (posting, GetParent, GetPropA, WindowFromPoint) take the lock.
#pragma once

#include <map>
#include <memory>
#include <mutex>
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
  std::string text;
  std::map<std::string, HANDLE> props;  // keys upper-cased atom names
  std::vector<RECT> update;             // invalid parts, client coordinates
  bool erase = false;                   // WM_ERASEBKGND owed with the next paint
  bool ncpaint = false;
  bool destroying = false;
  bool created = false;  // WM_NCCREATE answered
  DWORD thread = 0;
};

// Guards the table for the calls other threads may make.
std::recursive_mutex& Lock();

Window* Find(HWND handle);
// The desktop: the parent of every top-level window.
Window* Desktop();
HWND AddWindow(std::unique_ptr<Window> window);
void RemoveWindow(HWND handle);

WindowClass* FindClass(const std::string& name, HINSTANCE instance);
// A class named by a text or by its atom in the pointer.
WindowClass* FindClassByArgument(LPCSTR name, HINSTANCE instance);
// ASCII letters folded, for class names, props and atoms.
std::string Upper(const std::string& text);

// Children of `parent` (the desktop for top-level windows) in z-order.
std::vector<Window*>& SiblingsOf(Window* window);

// A window's top-left corner on the screen, and its client area's.
POINT ScreenOrigin(const Window* window);
POINT ClientOrigin(const Window* window);

// Every message a window procedure gets passes here first (see <platform/spy.h>).
void Spy(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Sends WM_DESTROY and WM_NCDESTROY and frees the window and its children.
void Destroy(Window* window);

}  // namespace user
