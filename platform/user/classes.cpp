// Window classes.
#include <list>

#include <platform/kernel.h>
#include <platform/resources.h>

#include "../controls/system_classes.h"
#include "extra_bytes.h"
#include "window_table.h"

namespace user {

namespace {

std::list<WindowClass>& Classes() {
  static auto& classes = *new std::list<WindowClass>;
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
  // The system classes exist before the program asks for any class.
  controls::RegisterSystemClasses();
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
      wndClass->lpfnWndProc == nullptr || wndClass->cbWndExtra < 0 || wndClass->cbClsExtra < 0) {
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
  c.extra.assign(static_cast<std::size_t>(wndClass->cbClsExtra), 0);
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

namespace {

WNDCLASSA* ClassOf(HWND window, user::WindowClass** cls) {
  user::Window* w = user::Find(window);
  if (w == nullptr || w->cls == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  *cls = w->cls;
  return &w->cls->info;
}

// Handles and procedures as class longs: all 64 bits of them.
template <typename P>
ULONG_PTR Long(P pointer) {
  return reinterpret_cast<ULONG_PTR>(pointer);
}

}  // namespace

ULONG_PTR GetClassLongPtrA(HWND window, int index) {
  user::WindowClass* cls = nullptr;
  const WNDCLASSA* info = ClassOf(window, &cls);
  if (info == nullptr) return 0;
  if (index >= 0) {
    return static_cast<ULONG_PTR>(user::ReadExtra<LONG_PTR>(cls->extra, index).value_or(0));
  }
  switch (index) {
    case GCL_STYLE:
      return info->style;
    case GCLP_WNDPROC:
      return Long(info->lpfnWndProc);
    case GCLP_HMODULE:
      return Long(info->hInstance);
    case GCLP_HICON:
      return Long(info->hIcon);
    case GCLP_HCURSOR:
      return Long(info->hCursor);
    case GCLP_HBRBACKGROUND:
      return Long(info->hbrBackground);
    case GCLP_MENUNAME:
      return Long(info->lpszMenuName);
    case GCL_CBWNDEXTRA:
      return static_cast<ULONG_PTR>(info->cbWndExtra);
    case GCL_CBCLSEXTRA:
      return static_cast<ULONG_PTR>(info->cbClsExtra);
    case GCW_ATOM:
      return cls->atom;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

ULONG_PTR SetClassLongPtrA(HWND window, int index, LONG_PTR value) {
  user::WindowClass* cls = nullptr;
  WNDCLASSA* info = ClassOf(window, &cls);
  if (info == nullptr) return 0;
  if (index >= 0) {
    return static_cast<ULONG_PTR>(user::SwapExtra<LONG_PTR>(cls->extra, index, value).value_or(0));
  }
  const ULONG_PTR old = GetClassLongPtrA(window, index);
  switch (index) {
    case GCL_STYLE:
      info->style = static_cast<UINT>(value);
      break;
    case GCLP_WNDPROC:
      info->lpfnWndProc = reinterpret_cast<WNDPROC>(value);
      break;
    case GCLP_HMODULE:
      info->hInstance = reinterpret_cast<HINSTANCE>(value);
      break;
    case GCLP_HICON:
      info->hIcon = reinterpret_cast<HICON>(value);
      break;
    case GCLP_HCURSOR:
      info->hCursor = reinterpret_cast<HCURSOR>(value);
      break;
    case GCLP_HBRBACKGROUND:
      info->hbrBackground = reinterpret_cast<HBRUSH>(value);
      break;
    case GCLP_MENUNAME:
      info->lpszMenuName = reinterpret_cast<LPCSTR>(value);
      break;
    case GCL_CBWNDEXTRA:
    case GCL_CBCLSEXTRA:
      // Only windows made later get the new count; the class's own bytes stay.
      if (value < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
      }
      (index == GCL_CBWNDEXTRA ? info->cbWndExtra : info->cbClsExtra) = static_cast<int>(value);
      break;
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
  return old;
}

DWORD GetClassLongA(HWND window, int index) {
  if (index < 0) return static_cast<DWORD>(GetClassLongPtrA(window, index));
  user::WindowClass* cls = nullptr;
  if (ClassOf(window, &cls) == nullptr) return 0;
  return user::ReadExtra<DWORD>(cls->extra, index).value_or(0);
}

DWORD SetClassLongA(HWND window, int index, LONG value) {
  if (index < 0) return static_cast<DWORD>(SetClassLongPtrA(window, index, value));
  user::WindowClass* cls = nullptr;
  if (ClassOf(window, &cls) == nullptr) return 0;
  return user::SwapExtra<DWORD>(cls->extra, index, static_cast<DWORD>(value)).value_or(0);
}
