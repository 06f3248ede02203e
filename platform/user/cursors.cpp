// Cursors and icons. The system ones are drawn at first use and live as long
// as the process; a program's own cursors and icons come from its resources,
// which are not read yet, so loading them gives null for now.
#include "cursors.h"

#include <atomic>

#include <platform/kernel.h>

#include "../gdi/system_icons.h"
#include "../host/host.h"

namespace user {

namespace {

// The number of a system image (MAKEINTRESOURCE), or 0 for a name.
WORD SystemNumber(HINSTANCE instance, LPCSTR name) {
  const auto value = reinterpret_cast<std::uintptr_t>(name);
  return instance == nullptr && (value >> 16) == 0 ? static_cast<WORD>(value) : 0;
}

// The cursor shown; other threads may ask for it.
std::atomic<HCURSOR> current{nullptr};

}  // namespace

WORD SystemCursorId(HCURSOR cursor) {
  const WORD id = gdi::SystemCursorId(cursor);
  return id != 0 ? id : gdi::SystemIconId(cursor);
}

}  // namespace user

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  const WORD number = user::SystemNumber(instance, name);
  HCURSOR cursor = number != 0 ? gdi::SystemCursor(number) : nullptr;
  if (cursor == nullptr) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return cursor;
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
  return gdi::SystemCursorId(cursor) != 0 ? TRUE : FALSE;
}
