// Cursors and icons. The system ones have fixed handles that live as long as
// the process; a program's own cursors and icons come from its resources,
// which are not read yet, so loading them gives null for now.
#include "cursors.h"

#include <atomic>
#include <iterator>

#include <platform/kernel.h>

#include "../gdi/system_icons.h"
#include "../host/host.h"

namespace user {

namespace {

struct SystemImage {
  WORD id;
};

SystemImage kCursors[] = {{32512}, {32513}, {32514}, {32515}, {32516}, {32642}, {32643},
                          {32644}, {32645}, {32646}, {32648}, {32649}, {32650}, {32651}};

// The number of a system image (MAKEINTRESOURCE), or 0 for a name.
WORD SystemNumber(HINSTANCE instance, LPCSTR name) {
  const auto value = reinterpret_cast<std::uintptr_t>(name);
  return instance == nullptr && (value >> 16) == 0 ? static_cast<WORD>(value) : 0;
}

const SystemImage* OwnedCursor(HCURSOR handle) {
  const auto* image = reinterpret_cast<const SystemImage*>(handle);
  return image >= std::begin(kCursors) && image < std::end(kCursors) ? image : nullptr;
}

// The cursor shown; other threads may ask for it.
std::atomic<HCURSOR> current{nullptr};

}  // namespace

WORD SystemCursorId(HCURSOR cursor) {
  if (const SystemImage* image = OwnedCursor(cursor)) return image->id;
  return gdi::SystemIconId(cursor);
}

}  // namespace user

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  const WORD number = user::SystemNumber(instance, name);
  for (user::SystemImage& image : user::kCursors) {
    if (number != 0 && image.id == number) return reinterpret_cast<HCURSOR>(&image);
  }
  SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return nullptr;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  const WORD number = user::SystemNumber(instance, name);
  HICON icon = number != 0 ? gdi::SystemIcon(number) : nullptr;
  if (icon == nullptr) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return icon;
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR old = user::current.exchange(cursor);
  if (old != cursor)
    host::Current().SetCursorShape(cursor != nullptr ? user::SystemCursorId(cursor) : 0);
  return old;
}

HCURSOR GetCursor() {
  return user::current.load();
}

BOOL DestroyCursor(HCURSOR cursor) {
  // The system cursors are shared and stay.
  return user::OwnedCursor(cursor) != nullptr ? TRUE : FALSE;
}
