// Cursors and icons. The system ones are drawn at first use and live as long
// as the process; a program's own cursors come from its resources (one-bit
// pictures) and are icon objects that DestroyCursor destroys.
#include "cursors.h"

#include <atomic>
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

std::uint32_t Read32(const unsigned char* at) {
  return Read16(at) | static_cast<std::uint32_t>(Read16(at + 2)) << 16;
}

const unsigned char* ResourceBytes(HINSTANCE instance, LPCSTR name, LPCSTR type, DWORD& size) {
  HRSRC resource = FindResourceA(instance, name, type);
  if (resource == nullptr) return nullptr;
  size = SizeofResource(instance, resource);
  return static_cast<const unsigned char*>(LockResource(LoadResource(instance, resource)));
}

// A cursor of the program: the first picture its group lists, which holds
// its hot spot and then a one-bit bitmap of both halves (colour, then mask,
// rows from the bottom up).
HCURSOR LoadProgramCursor(HINSTANCE instance, LPCSTR name) {
  DWORD size = 0;
  const unsigned char* group = ResourceBytes(instance, name, RT_GROUP_CURSOR, size);
  if (group == nullptr) return nullptr;
  if (size < 6 + 14 || Read16(group + 4) == 0) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  const unsigned char* image = ResourceBytes(
      instance, MAKEINTRESOURCEA(static_cast<WORD>(Read16(group + 6 + 12))), RT_CURSOR, size);
  if (image == nullptr) return nullptr;
  const unsigned char* header = image + 4;
  const auto width = static_cast<int>(Read32(header + 4));
  const auto height = static_cast<int>(Read32(header + 8)) / 2;
  const int dib_row = (width + 31) / 32 * 4;
  const int mask_row = (width + 15) / 16 * 2;
  const std::size_t needed = 4 + 40 + 8 + 2 * static_cast<std::size_t>(dib_row) * height;
  if (size < needed || Read32(header) != 40 || Read16(header + 14) != 1 || width <= 0 ||
      height <= 0) {
    SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
    return nullptr;
  }
  // The colour of index 1 decides whether a set bit is white or black.
  const bool one_is_white = (Read32(header + 40 + 4) & 0xFFFFFF) != 0;
  const unsigned char* colour = header + 40 + 8;
  const unsigned char* and_mask = colour + static_cast<std::size_t>(dib_row) * height;
  // A monochrome mask holds both: the AND half above the XOR half.
  std::vector<unsigned char> bits(static_cast<std::size_t>(mask_row) * 2 * height);
  for (int y = 0; y < height; ++y) {
    const std::size_t from = static_cast<std::size_t>(dib_row) * (height - 1 - y);
    unsigned char* and_row = &bits[static_cast<std::size_t>(mask_row) * y];
    unsigned char* xor_row = &bits[static_cast<std::size_t>(mask_row) * (height + y)];
    for (int i = 0; i < (width + 7) / 8; ++i) {
      and_row[i] = and_mask[from + i];
      xor_row[i] = one_is_white ? colour[from + i] : static_cast<unsigned char>(~colour[from + i]);
    }
  }
  ICONINFO info{FALSE, Read16(image), Read16(image + 2), nullptr, nullptr};
  info.hbmMask = CreateBitmap(width, 2 * height, 1, 1, bits.data());
  HCURSOR cursor = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  return cursor;
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
  if (instance != nullptr) return user::LoadProgramCursor(instance, name);
  WORD number = user::SystemNumber(instance, name);
  if (number == 32640) number = 32646;  // IDC_SIZE, long obsolete, is the size-all cursor
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
