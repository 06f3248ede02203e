// Creating and destroying windows, with the messages each sends.
#include <algorithm>

#include <platform/kernel.h>

#include "caret.h"
#include "focus.h"
#include "frame.h"
#include "host_windows.h"
#include "window_table.h"

namespace user {

namespace {

void Detach(Window* window) {
  std::lock_guard guard(Lock());
  auto& siblings = SiblingsOf(window);
  siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
}

void SendDestroy(Window* window) {
  window->destroying = true;
  SendMessageA(window->handle, WM_DESTROY, 0, 0);
  // A child may be destroyed by its parent's WM_DESTROY handler.
  const std::vector<HWND> children = [&] {
    std::vector<HWND> handles;
    if (Find(window->handle) == nullptr) return handles;
    for (Window* child : window->children) handles.push_back(child->handle);
    return handles;
  }();
  for (HWND child : children) {
    if (Window* c = Find(child)) SendDestroy(c);
  }
}

void SendNcDestroy(HWND handle) {
  Window* window = Find(handle);
  if (window == nullptr) return;
  const std::vector<Window*> children = window->children;
  for (Window* child : children) SendNcDestroy(child->handle);
  window = user::SendAndFind(handle, WM_NCDESTROY, 0, 0);
  if (window == nullptr) return;
  ForgetWindow(window);
  ForgetCaret(handle);
  CloseHostWindow(handle);
  Detach(window);
  RemoveWindow(handle);
}

}  // namespace

void Destroy(Window* window) {
  const HWND handle = window->handle;
  SendDestroy(window);
  SendNcDestroy(handle);
}

}  // namespace user

HWND CreateWindowExA(DWORD exStyle, LPCSTR className, LPCSTR windowName, DWORD style, int x, int y,
                     int width, int height, HWND parentHandle, HMENU menu, HINSTANCE instance,
                     LPVOID param) {
  user::WindowClass* cls = user::FindClassByArgument(className, instance);
  if (cls == nullptr) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return nullptr;
  }
  user::Window* parent = parentHandle != nullptr ? user::Find(parentHandle) : nullptr;
  if (parentHandle != nullptr && parent == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if ((style & WS_CHILD) != 0 && parent == nullptr) {
    SetLastError(ERROR_TLW_WITH_WSCHILD);
    return nullptr;
  }

  auto owned = std::make_unique<user::Window>();
  user::Window* w = owned.get();
  w->cls = cls;
  w->extra.assign(static_cast<std::size_t>(cls->info.cbWndExtra), 0);
  w->proc = cls->info.lpfnWndProc;
  w->instance = instance;
  w->ex_style = exStyle;
  w->style = style & ~WS_VISIBLE;
  w->thread = GetCurrentThreadId();
  if ((style & WS_CHILD) != 0) {
    w->parent = parent;
    w->id = reinterpret_cast<LONG_PTR>(menu);
  } else {
    // A top-level window's "parent" is its owner, the owner's top-level window.
    while (parent != nullptr && parent->parent != nullptr) parent = parent->parent;
    w->owner = parent;
    if ((style & WS_POPUP) == 0) w->style |= WS_CLIPSIBLINGS | WS_CAPTION;
  }
  if (x == CW_USEDEFAULT) x = y = 26;
  if (width == CW_USEDEFAULT) {
    const SIZE screen = {GetSystemMetrics(0), GetSystemMetrics(1)};
    width = screen.cx * 3 / 4;
    height = screen.cy * 3 / 4;
  }
  w->rect = {x, y, x + width, y + height};
  w->text = windowName != nullptr ? windowName : "";
  const HWND handle = user::AddWindow(std::move(owned));
  {
    std::lock_guard guard(user::Lock());
    // A new top-level window goes on top (below top-most ones); a new child
    // goes below its siblings, so children stack in the order they were made.
    user::PlaceInZOrder(w, w->parent != nullptr             ? HWND_BOTTOM
                           : (exStyle & WS_EX_TOPMOST) != 0 ? HWND_TOPMOST
                                                            : HWND_TOP);
  }

  CREATESTRUCTA create{
      param,      instance,  menu,   parentHandle, height, width, y, x, static_cast<LONG>(w->style),
      windowName, className, exStyle};
  const auto fail = [&] {
    if (user::Window* alive = user::Find(handle)) user::Destroy(alive);
    return nullptr;
  };
  // Only a window that can be sized by its frame, or an overlapped one, is
  // asked its limits: a plain pop-up or child has none to give.
  if ((w->style & WS_THICKFRAME) != 0 || (w->style & (WS_POPUP | WS_CHILD)) == 0) {
    MINMAXINFO limits{};
    SendMessageA(handle, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  }
  LRESULT answer = 0;
  w = user::SendAndFind(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create), &answer);
  if (answer == 0) return fail();
  if (w == nullptr) return nullptr;
  w->created = true;
  RECT client = w->rect;
  w = user::SendAndFind(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  if (w == nullptr) return nullptr;
  {
    std::lock_guard guard(user::Lock());
    w->client = {client.left - w->rect.left, client.top - w->rect.top, client.right - w->rect.left,
                 client.bottom - w->rect.top};
  }
  if (w->parent == nullptr) user::OpenHostWindow(handle);
  w = user::SendAndFind(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create), &answer);
  if (answer == -1) return fail();
  if (w == nullptr) return nullptr;
  w = user::SendAndFind(
      handle, WM_SIZE, SIZE_RESTORED,
      MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
  if (w == nullptr) return nullptr;
  w = user::SendAndFind(handle, WM_MOVE, 0,
                        MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
  if (w == nullptr) return nullptr;
  if (w->parent != nullptr && (w->ex_style & WS_EX_NOPARENTNOTIFY) == 0) {
    SendMessageA(w->parent->handle, WM_PARENTNOTIFY, MAKELPARAM(WM_CREATE, static_cast<int>(w->id)),
                 reinterpret_cast<LPARAM>(handle));
  }
  if ((style & WS_VISIBLE) != 0 && IsWindow(handle)) ShowWindow(handle, SW_SHOW);
  return IsWindow(handle) ? handle : nullptr;
}

BOOL DestroyWindow(HWND handle) {
  if (!user::IsOwnWindow(handle)) return FALSE;
  user::Window* w = user::Find(handle);
  if (w->destroying) return TRUE;
  if (w->parent != nullptr && (w->ex_style & WS_EX_NOPARENTNOTIFY) == 0) {
    SendMessageA(w->parent->handle, WM_PARENTNOTIFY,
                 MAKELPARAM(WM_DESTROY, static_cast<int>(w->id)), reinterpret_cast<LPARAM>(handle));
    w = user::Find(handle);
    if (w == nullptr) return TRUE;
  }
  // A child hides as ShowWindow hides it, handing its focus to the parent; a
  // top-level window hides without WM_SHOWWINDOW.
  if ((w->style & WS_VISIBLE) != 0) {
    if (w->parent != nullptr) {
      ShowWindow(handle, SW_HIDE);
    } else {
      SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    w = user::Find(handle);
    if (w == nullptr) return TRUE;
  }
  // Windows this one owns go first.
  std::vector<HWND> owned;
  for (user::Window* top : user::Desktop()->children) {
    if (top->owner == w) owned.push_back(top->handle);
  }
  for (HWND o : owned) DestroyWindow(o);
  user::ActivateOther(handle);
  w = user::Find(handle);
  if (w == nullptr) return TRUE;
  user::Destroy(w);
  return TRUE;
}

BOOL IsWindow(HWND handle) {
  user::Window* w = user::Find(handle);
  return w != nullptr && w != user::Desktop() ? TRUE : FALSE;
}
