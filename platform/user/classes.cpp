// Window classes.
#include <list>

#include <platform/kernel.h>
#include <platform/resources.h>

#include "window_table.h"

namespace user {

namespace {

std::list<WindowClass>& Classes() {
  static std::list<WindowClass> classes;
  return classes;
}

ATOM next_class_atom = 0xC100;

// A class name given as a text or as an atom in the pointer.
std::string ClassNameOf(LPCSTR name) {
  if ((reinterpret_cast<std::uintptr_t>(name) >> 16) == 0) {
    const auto atom = static_cast<ATOM>(reinterpret_cast<std::uintptr_t>(name));
    for (const WindowClass& c : Classes()) {
      if (c.atom == atom) return c.name;
    }
    return {};
  }
  return name;
}

}  // namespace

WindowClass* FindClass(const std::string& name, HINSTANCE instance, bool own_classes) {
  const std::string wanted = Upper(name);
  WindowClass* global = nullptr;
  for (WindowClass& c : Classes()) {
    if (Upper(c.name) != wanted) continue;
    const bool is_global = (c.info.style & CS_GLOBALCLASS) != 0;
    if (!is_global && own_classes && (instance == nullptr || c.info.hInstance == instance)) {
      return &c;
    }
    if (is_global && global == nullptr) global = &c;
  }
  return global;
}

WindowClass* FindClassByArgument(LPCSTR name, HINSTANCE instance, bool own_classes) {
  if (name == nullptr) return nullptr;
  return FindClass(ClassNameOf(name), instance, own_classes);
}

}  // namespace user

ATOM RegisterClassA(const WNDCLASSA* wndClass) {
  if (wndClass == nullptr || wndClass->lpszClassName == nullptr ||
      wndClass->lpfnWndProc == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WNDCLASSA info = *wndClass;
  if (info.hInstance == nullptr) info.hInstance = GetModuleHandleA(nullptr);
  const bool global = (info.style & CS_GLOBALCLASS) != 0;
  const std::string name = user::ClassNameOf(wndClass->lpszClassName);
  // A name may stand once among the global classes and once among each
  // module's own.
  for (const user::WindowClass& c : user::Classes()) {
    if (user::Upper(c.name) != user::Upper(name)) continue;
    const bool other_global = (c.info.style & CS_GLOBALCLASS) != 0;
    if (global == other_global && (global || c.info.hInstance == info.hInstance)) {
      SetLastError(ERROR_CLASS_ALREADY_EXISTS);
      return 0;
    }
  }
  user::WindowClass& c = user::Classes().emplace_back();
  c.info = info;
  c.name = name;
  c.info.lpszClassName = c.name.c_str();
  c.atom = user::next_class_atom++;
  return c.atom;
}

BOOL UnregisterClassA(LPCSTR className, HINSTANCE instance) {
  if (instance == nullptr) instance = GetModuleHandleA(nullptr);
  auto& classes = user::Classes();
  const std::string name = user::Upper(user::ClassNameOf(className));
  for (auto it = classes.begin(); it != classes.end(); ++it) {
    if (user::Upper(it->name) != name) continue;
    if ((it->info.style & CS_GLOBALCLASS) == 0 && it->info.hInstance != instance) continue;
    if (user::HasWindows(&*it)) {
      SetLastError(ERROR_CLASS_HAS_WINDOWS);
      return FALSE;
    }
    classes.erase(it);
    return TRUE;
  }
  SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
  return FALSE;
}

BOOL GetClassInfoA(HINSTANCE instance, LPCSTR className, WNDCLASSA* wndClass) {
  // No module asks for the global classes, the system's among them.
  user::WindowClass* c = user::FindClassByArgument(className, instance, instance != nullptr);
  if (c == nullptr) {
    SetLastError(ERROR_CLASS_DOES_NOT_EXIST);
    return FALSE;
  }
  if (wndClass != nullptr) *wndClass = c->info;
  return TRUE;
}

int GetClassNameA(HWND window, LPSTR className, int maxCount) {
  user::Window* w = user::Find(window);
  if (w == nullptr || w->cls == nullptr || maxCount <= 0) return 0;
  const std::string& name = w->cls->name;
  const int n = std::min<int>(static_cast<int>(name.size()), maxCount - 1);
  name.copy(className, static_cast<std::size_t>(n));
  className[n] = '\0';
  return n;
}

DWORD GetClassLongA(HWND window, int index) {
  user::Window* w = user::Find(window);
  if (w == nullptr || w->cls == nullptr) return 0;
  const WNDCLASSA& info = w->cls->info;
  switch (index) {
    case GCL_STYLE:
      return info.style;
    case GCL_HICON:
      return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(info.hIcon));
    case GCL_HCURSOR:
      return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(info.hCursor));
    case GCL_HBRBACKGROUND:
      return static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(info.hbrBackground));
    case GCL_CBWNDEXTRA:
      return static_cast<DWORD>(info.cbWndExtra);
    case GCL_CBCLSEXTRA:
      return static_cast<DWORD>(info.cbClsExtra);
    default:
      return 0;
  }
}

DWORD SetClassLongA(HWND window, int index, LONG value) {
  user::Window* w = user::Find(window);
  if (w == nullptr || w->cls == nullptr) return 0;
  WNDCLASSA& info = w->cls->info;
  const DWORD old = GetClassLongA(window, index);
  const auto as_pointer = [&] {
    return reinterpret_cast<void*>(static_cast<std::intptr_t>(value));
  };
  switch (index) {
    case GCL_STYLE:
      info.style = static_cast<UINT>(value);
      break;
    case GCL_HICON:
      info.hIcon = static_cast<HICON>(as_pointer());
      break;
    case GCL_HCURSOR:
      info.hCursor = static_cast<HCURSOR>(as_pointer());
      break;
    case GCL_HBRBACKGROUND:
      info.hbrBackground = static_cast<HBRUSH>(as_pointer());
      break;
    default:
      break;
  }
  return old;
}
