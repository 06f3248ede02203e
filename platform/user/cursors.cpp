// Cursors and icons. The system ones are drawn at first use and live as long
// as the process; a program's own come from its resources at their first load
// and are shared as well: DestroyCursor and DestroyIcon keep them.
#include "cursors.h"

#include <atomic>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include <platform/icons.h>
#include <platform/kernel.h>
#include <platform/resources.h>

#include "../gdi/surface.h"
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

unsigned Read16(const unsigned char* at) {
  return at[0] | at[1] << 8;
}

const unsigned char* ResourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type, DWORD& size) {
  HRSRC resource = FindResourceA(instance, name, type);
  if (resource == nullptr) return nullptr;
  size = SizeofResource(instance, resource);
  return static_cast<const unsigned char*>(LockResource(LoadResource(instance, resource)));
}

// The picture number of the group's entry nearest cx x cy, the deeper of two
// as near; 0 for an empty group. An icon's entry gives its width and height
// in a byte each (0 for 256), a cursor's in 16 bits with the height doubled;
// both have the bit count at 6 and the number at 12.
WORD NearestPicture(const unsigned char* group, DWORD size, bool icon, int cx, int cy) {
  const unsigned count = size >= 6 ? Read16(group + 4) : 0;
  WORD best = 0;
  int best_distance = 0;
  unsigned best_bits = 0;
  for (unsigned i = 0; i < count && 6 + 14 * (i + 1) <= size; ++i) {
    const unsigned char* entry = group + 6 + 14 * i;
    const int width = icon ? (entry[0] == 0 ? 256 : entry[0]) : static_cast<int>(Read16(entry));
    const int height =
        icon ? (entry[1] == 0 ? 256 : entry[1]) : static_cast<int>(Read16(entry + 2)) / 2;
    const int distance = std::abs(width - cx) + std::abs(height - cy);
    const unsigned bits = Read16(entry + 6);
    if (best == 0 || distance < best_distance || (distance == best_distance && bits > best_bits)) {
      best = static_cast<WORD>(Read16(entry + 12));
      best_distance = distance;
      best_bits = bits;
    }
  }
  return best;
}

// An icon or cursor of the program: the picture of its group nearest the
// system's size for it.
HICON LoadProgramImage(HINSTANCE instance, LPCSTR name, bool icon) {
  DWORD size = 0;
  const unsigned char* group =
      ResourceBytes(instance, name, icon ? RT_GROUP_ICON : RT_GROUP_CURSOR, size);
  if (group == nullptr) return nullptr;
  const int cx = GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR);
  const int cy = GetSystemMetrics(icon ? SM_CYICON : SM_CYCURSOR);
  const WORD number = NearestPicture(group, size, icon, cx, cy);
  if (number == 0) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  const unsigned char* picture =
      ResourceBytes(instance, MAKEINTRESOURCEA(number), icon ? RT_ICON : RT_CURSOR, size);
  if (picture == nullptr) return nullptr;
  return CreateIconFromResourceEx(const_cast<PBYTE>(picture), size, icon ? TRUE : FALSE, 0x00030000,
                                  cx, cy, LR_DEFAULTCOLOR);
}

// A program's icon or cursor, made at its first load; later loads of the
// same name give the same handle.
HICON LoadShared(HINSTANCE instance, LPCSTR name, bool icon) {
  static auto& lock = *new std::mutex;
  static auto& loaded = *new std::map<std::string, HICON>;
  // The module, the kind, then the name: a number, or a text in upper case.
  std::string key = std::to_string(reinterpret_cast<std::uintptr_t>(instance)) + (icon ? "I" : "C");
  if (IS_INTRESOURCE(name)) {
    key += "#" + std::to_string(reinterpret_cast<std::uintptr_t>(name));
  } else {
    for (const char* c = name; *c != '\0'; ++c) {
      key += *c >= 'a' && *c <= 'z' ? static_cast<char>(*c - 'a' + 'A') : *c;
    }
  }
  std::lock_guard guard(lock);
  const auto it = loaded.find(key);
  if (it != loaded.end()) return it->second;
  HICON made = LoadProgramImage(instance, name, icon);
  if (made != nullptr) {
    gdi::ShareIcon(made);
    loaded.emplace(key, made);
  }
  return made;
}

// A cursor of the program as the host shows it: drawn on black and on white,
// a pixel that follows the background is clear and one that inverts it black.
host::CursorPicture PictureOf(HCURSOR cursor) {
  host::CursorPicture picture;
  ICONINFO info{};
  if (!GetIconInfo(cursor, &info)) return picture;
  BITMAP mask{};
  GetObjectA(info.hbmMask, sizeof mask, &mask);
  picture.width = mask.bmWidth;
  picture.height = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
  picture.hotspot = {static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
  DeleteObject(info.hbmMask);
  if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
  const std::size_t count = static_cast<std::size_t>(picture.width) * picture.height;
  std::vector<std::uint32_t> on[2];
  for (int background = 0; background < 2; ++background) {
    BITMAPINFO bitmap_info = gdi::TopDown32(picture.width, picture.height);
    void* pixels = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &bitmap_info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    PatBlt(dc, 0, 0, picture.width, picture.height, background == 0 ? BLACKNESS : WHITENESS);
    DrawIconEx(dc, 0, 0, cursor, 0, 0, 0, nullptr, DI_NORMAL);
    const auto* rgb = static_cast<const std::uint32_t*>(pixels);
    on[background].assign(rgb, rgb + count);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  picture.argb.resize(count);
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint32_t black = on[0][i] & 0xFFFFFF, white = on[1][i] & 0xFFFFFF;
    if (black == white) {
      picture.argb[i] = 0xFF000000 | black;
    } else {
      picture.argb[i] = black == 0 && white == 0xFFFFFF ? 0 : 0xFF000000;
    }
  }
  return picture;
}

}  // namespace

WORD SystemCursorId(HCURSOR cursor) {
  const WORD id = gdi::SystemCursorId(cursor);
  return id != 0 ? id : gdi::SystemIconId(cursor);
}

}  // namespace user

HCURSOR LoadCursorA(HINSTANCE instance, LPCSTR name) {
  if (instance != nullptr) return user::LoadShared(instance, name, false);
  WORD number = user::SystemNumber(instance, name);
  if (number == 32640) number = 32646;  // IDC_SIZE, long obsolete, is the size-all cursor
  HCURSOR cursor = number != 0 ? gdi::SystemCursor(number) : nullptr;
  if (cursor == nullptr) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return cursor;
}

HICON LoadIconA(HINSTANCE instance, LPCSTR name) {
  if (instance != nullptr) return user::LoadShared(instance, name, true);
  const WORD number = user::SystemNumber(instance, name);
  HICON icon = number != 0 ? gdi::SystemIcon(number) : nullptr;
  if (icon == nullptr) SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
  return icon;
}

HCURSOR SetCursor(HCURSOR cursor) {
  const HCURSOR old = user::current.exchange(cursor);
  if (old == cursor) return old;
  const WORD system = cursor != nullptr ? user::SystemCursorId(cursor) : 0;
  if (cursor != nullptr && system == 0) {
    host::Current().SetCursorPicture(user::PictureOf(cursor));
  } else {
    host::Current().SetCursorShape(system);
  }
  return old;
}

HCURSOR GetCursor() {
  return user::current.load();
}

BOOL DestroyCursor(HCURSOR cursor) {
  // The system cursors are shared and stay.
  if (gdi::SystemCursorId(cursor) != 0) return TRUE;
  // A system icon is no cursor; a program's cursor is an icon object.
  if (gdi::SystemIconId(cursor) != 0) return FALSE;
  return DestroyIcon(cursor);
}
