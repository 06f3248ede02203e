// Cursors and icons. The system ones have fixed handles that live as long as
// the process; a program's own cursors and icons come from its resources,
// which are not read yet, so loading them gives null for now.
#include "cursors.h"

#include <atomic>
#include <iterator>

#include <platform/kernel.h>

namespace user {

namespace {

struct SystemImage {
  WORD id;
};

SystemImage kCursors[] = {{32512}, {32513}, {32514}, {32515}, {32516}, {32642}, {32643},
                          {32644}, {32645}, {32646}, {32648}, {32649}, {32650}, {32651}};

SystemImage kIcons[] = {{32512}, {32513}, {32514}, {32515}, {32516}, {32517}};

template <std::size_t N>
HICON FindImage(SystemImage (&table)[N], LPCSTR name) {
  const auto value = reinterpret_cast<std::uintptr_t>(name);
  if ((value >> 16) != 0) return nullptr;  // a name, not a number
  for (SystemImage& image : table) {
    if (image.id == value) return reinterpret_cast<HICON>(&image);
  }
  return nullptr;
}

template <std::size_t N>
const SystemImage* Owned(SystemImage (&table)[N], HICON handle) {
  const auto* image = reinterpret_cast<const SystemImage*>(handle);
  return image >= std::begin(table) && image < std::end(table) ? image : nullptr;
}

// The cursor shown; other threads may ask for it.
std::atomic<HCURSOR> current{nullptr};

}  // namespace

WORD SystemCursorId(HCURSOR cursor) {
  if (const SystemImage* image = Owned(kCursors, cursor)) return image->id;
  if (const SystemImage* image = Owned(kIcons, cursor)) return image->id;
  return 0;
}

}  // namespace user

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  HCURSOR cursor = instance == nullptr ? user::FindImage(user::kCursors, name) : nullptr;
  if (cursor == nullptr)
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);  // ERROR_RESOURCE_NAME_NOT_FOUND
  return cursor;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  HICON icon = instance == nullptr ? user::FindImage(user::kIcons, name) : nullptr;
  if (icon == nullptr) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return icon;
}

HCURSOR SetCursor(HCURSOR cursor) {
  return user::current.exchange(cursor);
}

HCURSOR GetCursor() {
  return user::current.load();
}

BOOL DestroyCursor(HCURSOR cursor) {
  // The system cursors are shared and stay.
  return user::Owned(user::kCursors, cursor) != nullptr ? TRUE : FALSE;
}
