// What a window carries: longs, properties, text; and the global atoms.
#include <cstring>
#include <map>

#include <platform/kernel.h>

#include "extra_bytes.h"
#include "window_table.h"

namespace {

struct Atom {
  std::string name;
  int references;
};

std::map<ATOM, Atom>& Atoms() {
  static auto& atoms = *new std::map<ATOM, Atom>;
  return atoms;
}

// The integer atom a name stands for: an atom below 0xC000 in the pointer,
// or a text "#1234"; 0 for a string atom's name.
ATOM IntegerAtom(LPCSTR name) {
  const auto value = reinterpret_cast<std::uintptr_t>(name);
  if ((value >> 16) == 0) return value < 0xC000 ? static_cast<ATOM>(value) : 0;
  if (name[0] != '#' || name[1] == '\0') return 0;
  unsigned long number = 0;
  for (const char* c = name + 1; *c != '\0'; ++c) {
    if (*c < '0' || *c > '9') return 0;
    number = number * 10 + static_cast<unsigned long>(*c - '0');
    if (number >= 0xC000) return 0;
  }
  return static_cast<ATOM>(number);
}

// A property or atom name: a text, or an atom in the pointer.
std::string PropKey(LPCSTR name) {
  if (const ATOM integer = IntegerAtom(name)) return "#" + std::to_string(integer);
  const auto value = reinterpret_cast<std::uintptr_t>(name);
  if ((value >> 16) == 0) {
    const auto it = Atoms().find(static_cast<ATOM>(value));
    return it != Atoms().end() ? user::Upper(it->second.name) : "#" + std::to_string(value);
  }
  return user::Upper(name);
}

}  // namespace

ATOM GlobalAddAtomA(LPCSTR name) {
  std::lock_guard guard(user::Lock());
  if (const ATOM integer = IntegerAtom(name)) return integer;
  for (auto& [atom, entry] : Atoms()) {
    if (user::Upper(entry.name) == user::Upper(name)) {
      ++entry.references;
      return atom;
    }
  }
  ATOM atom = 0xC000;
  while (Atoms().count(atom) != 0) ++atom;
  Atoms()[atom] = {name, 1};
  return atom;
}

ATOM GlobalFindAtomA(LPCSTR name) {
  std::lock_guard guard(user::Lock());
  if (const ATOM integer = IntegerAtom(name)) return integer;
  for (const auto& [atom, entry] : Atoms()) {
    if (user::Upper(entry.name) == user::Upper(name)) return atom;
  }
  return 0;
}

ATOM GlobalDeleteAtom(ATOM atom) {
  std::lock_guard guard(user::Lock());
  const auto it = Atoms().find(atom);
  if (it != Atoms().end() && --it->second.references == 0) Atoms().erase(it);
  return 0;
}

BOOL SetPropA(HWND window, LPCSTR name, HANDLE data) {
  std::lock_guard guard(user::Lock());
  user::Window* w = user::Find(window);
  if (w == nullptr || name == nullptr) return FALSE;
  w->props[PropKey(name)] = data;
  return TRUE;
}

HANDLE GetPropA(HWND window, LPCSTR name) {
  std::lock_guard guard(user::Lock());
  user::Window* w = user::Find(window);
  if (w == nullptr || name == nullptr) return nullptr;
  const auto it = w->props.find(PropKey(name));
  return it == w->props.end() ? nullptr : it->second;
}

HANDLE RemovePropA(HWND window, LPCSTR name) {
  std::lock_guard guard(user::Lock());
  user::Window* w = user::Find(window);
  if (w == nullptr || name == nullptr) return nullptr;
  const auto it = w->props.find(PropKey(name));
  if (it == w->props.end()) return nullptr;
  HANDLE data = it->second;
  w->props.erase(it);
  return data;
}

namespace {

user::Window* Valid(HWND window) {
  user::Window* w = user::Find(window);
  if (w == nullptr) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return w;
}

// A value of the window's extra bytes at a non-negative offset.
template <typename T>
T GetExtra(HWND window, int offset) {
  std::lock_guard guard(user::Lock());
  user::Window* w = Valid(window);
  return w != nullptr ? user::ReadExtra<T>(w->extra, offset).value_or(0) : 0;
}

template <typename T>
T SetExtra(HWND window, int offset, T value) {
  std::lock_guard guard(user::Lock());
  user::Window* w = Valid(window);
  return w != nullptr ? user::SwapExtra<T>(w->extra, offset, value).value_or(0) : 0;
}

}  // namespace

LONG_PTR GetWindowLongPtrA(HWND window, int index) {
  if (index >= 0) return GetExtra<LONG_PTR>(window, index);
  std::lock_guard guard(user::Lock());
  user::Window* w = Valid(window);
  if (w == nullptr) return 0;
  switch (index) {
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->proc);
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->parent != nullptr  ? w->parent->handle
                                        : w->owner != nullptr ? w->owner->handle
                                                              : nullptr);
    case GWLP_USERDATA:
      return w->user_data;
    case GWLP_ID:
      return w->id;
    case GWL_STYLE:
      return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->ex_style);
    default:
      SetLastError(ERROR_INVALID_INDEX);
      return 0;
  }
}

namespace {

// The window is told before and after, as style changes are; false when it
// went while being told before.
bool ChangeStyle(HWND window, int index, DWORD old, DWORD value) {
  STYLESTRUCT change{old, value};
  const WPARAM which = static_cast<WPARAM>(index);
  user::Window* w =
      user::SendAndFind(window, WM_STYLECHANGING, which, reinterpret_cast<LPARAM>(&change));
  if (w == nullptr) return false;
  {
    std::lock_guard guard(user::Lock());
    (index == GWL_STYLE ? w->style : w->ex_style) = change.styleNew;
  }
  SendMessageA(window, WM_STYLECHANGED, which, reinterpret_cast<LPARAM>(&change));
  return true;
}

}  // namespace

LONG_PTR SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
  if (index >= 0) return SetExtra<LONG_PTR>(window, index, value);
  user::Window* w = Valid(window);
  if (w == nullptr) return 0;
  const LONG_PTR old = GetWindowLongPtrA(window, index);
  if (index == GWL_STYLE || index == GWL_EXSTYLE) {
    return ChangeStyle(window, index, static_cast<DWORD>(old), static_cast<DWORD>(value)) ? old : 0;
  }
  std::lock_guard guard(user::Lock());
  switch (index) {
    case GWLP_WNDPROC:
      w->proc = reinterpret_cast<WNDPROC>(value);
      break;
    case GWLP_HINSTANCE:
      w->instance = reinterpret_cast<HINSTANCE>(value);
      break;
    case GWLP_USERDATA:
      w->user_data = value;
      break;
    case GWLP_ID:
      w->id = value;
      break;
    case GWLP_HWNDPARENT:
      if (w->parent == nullptr) w->owner = user::Find(reinterpret_cast<HWND>(value));
      break;
    default:
      return 0;  // GetWindowLongPtrA has said why
  }
  return old;
}

LONG GetWindowLongA(HWND window, int index) {
  if (index >= 0) return GetExtra<LONG>(window, index);
  return static_cast<LONG>(GetWindowLongPtrA(window, index));
}

LONG SetWindowLongA(HWND window, int index, LONG value) {
  if (index >= 0) return SetExtra<LONG>(window, index, value);
  // A procedure or instance does not fit 32 bits here; those go through the
  // pointer-sized forms.
  return static_cast<LONG>(SetWindowLongPtrA(window, index, value));
}

WORD GetWindowWord(HWND window, int index) {
  return GetExtra<WORD>(window, index);
}

WORD SetWindowWord(HWND window, int index, WORD value) {
  return SetExtra<WORD>(window, index, value);
}

BOOL SetWindowTextA(HWND window, LPCSTR text) {
  if (user::Find(window) == nullptr) return FALSE;
  return SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)) != 0 ? TRUE : FALSE;
}

int GetWindowTextA(HWND window, LPSTR text, int maxCount) {
  if (user::Find(window) == nullptr || text == nullptr || maxCount <= 0) return 0;
  return static_cast<int>(SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(maxCount),
                                       reinterpret_cast<LPARAM>(text)));
}

int GetWindowTextLengthA(HWND window) {
  if (user::Find(window) == nullptr) return 0;
  return static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
}
