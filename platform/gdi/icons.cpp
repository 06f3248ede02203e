// Icons: two bitmaps kept in memory contexts of their own, drawn with the
// mask first (what stays of the background) and the image over it.
#include <map>
#include <memory>
#include <mutex>

#include <platform/icons.h>
#include <platform/kernel.h>
#include <platform/windows.h>

#include "surface.h"
#include "system_icons.h"

namespace {

struct Icon {
  HDC mask_dc = nullptr;
  HDC image_dc = nullptr;
  HBITMAP mask = nullptr;
  HBITMAP image = nullptr;
  int width = 0;
  int height = 0;
  bool is_icon = true;
  POINT hotspot{};
  bool shared = false;  // a system icon or a program's loaded one: DestroyIcon keeps it
};

std::mutex& IconLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

std::map<HICON, Icon>& Icons() {
  static auto& icons = *new std::map<HICON, Icon>;
  return icons;
}

std::uintptr_t next_icon = 0x30000;

bool Find(HICON handle, Icon& icon) {
  std::lock_guard guard(IconLock());
  const auto it = Icons().find(handle);
  if (it == Icons().end()) {
    SetLastError(ERROR_INVALID_CURSOR_HANDLE);
    return false;
  }
  icon = it->second;
  return true;
}

// A memory context that keeps `bitmap` selected.
HDC Holding(HBITMAP bitmap) {
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, bitmap);
  return dc;
}

// A new monochrome bitmap with what `from` shows at its top-left corner.
HBITMAP CopyMask(HDC from, int width, int height) {
  HBITMAP copy = CreateBitmap(width, height, 1, 1, nullptr);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, copy);
  BitBlt(dc, 0, 0, width, height, from, 0, 0, SRCCOPY);
  SelectObject(dc, old);
  DeleteDC(dc);
  return copy;
}

// A 32-bit copy of a colour bitmap, read with GetDIBits so that the source
// may stay selected in a context of its caller.
HBITMAP CopyImage(HBITMAP source, int width, int height) {
  BITMAPINFO info = gdi::TopDown32(width, height);
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP copy = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  GetDIBits(dc, source, 0, static_cast<UINT>(height), bits, &info, DIB_RGB_COLORS);
  DeleteDC(dc);
  return copy;
}

}  // namespace

HICON gdi::MakeIcon(const ICONINFO& info, bool shared) {
  BITMAP mask{};
  if (info.hbmMask == nullptr || GetObjectA(info.hbmMask, sizeof mask, &mask) == 0) return nullptr;
  Icon icon;
  icon.width = mask.bmWidth;
  // A mask without an image holds both, the AND half above the XOR half.
  icon.height = info.hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
  icon.is_icon = info.fIcon != FALSE;
  // An icon's hot spot is its centre whatever was asked.
  icon.hotspot = icon.is_icon
                     ? POINT{icon.width / 2, icon.height / 2}
                     : POINT{static_cast<LONG>(info.xHotspot), static_cast<LONG>(info.yHotspot)};
  icon.shared = shared;
  HDC from = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(from, info.hbmMask);
  icon.mask = CopyMask(from, icon.width, mask.bmHeight);
  SelectObject(from, old);
  DeleteDC(from);
  icon.mask_dc = Holding(icon.mask);
  if (info.hbmColor != nullptr) {
    icon.image = CopyImage(info.hbmColor, icon.width, icon.height);
    icon.image_dc = Holding(icon.image);
  }
  std::lock_guard guard(IconLock());
  const auto handle = reinterpret_cast<HICON>(next_icon++);
  Icons()[handle] = icon;
  return handle;
}

void gdi::ShareIcon(HICON handle) {
  std::lock_guard guard(IconLock());
  const auto it = Icons().find(handle);
  if (it != Icons().end()) it->second.shared = true;
}

HICON CreateIconIndirect(const ICONINFO* info) {
  return info != nullptr ? gdi::MakeIcon(*info, false) : nullptr;
}

BOOL DestroyIcon(HICON handle) {
  Icon icon;
  {
    std::lock_guard guard(IconLock());
    const auto it = Icons().find(handle);
    if (it == Icons().end()) return handle != nullptr ? TRUE : FALSE;  // system cursors stay
    if (it->second.shared) return TRUE;
    icon = it->second;
    Icons().erase(it);
  }
  for (HDC dc : {icon.mask_dc, icon.image_dc}) {
    if (dc != nullptr) DeleteDC(dc);
  }
  for (HBITMAP b : {icon.mask, icon.image}) {
    if (b != nullptr) DeleteObject(b);
  }
  return TRUE;
}

BOOL GetIconInfo(HICON handle, ICONINFO* info) {
  Icon icon;
  if (info == nullptr || !Find(handle, icon)) return FALSE;
  BITMAP mask{};
  GetObjectA(icon.mask, sizeof mask, &mask);
  // Copies: the caller deletes them.
  *info = {icon.is_icon ? TRUE : FALSE, static_cast<DWORD>(icon.hotspot.x),
           static_cast<DWORD>(icon.hotspot.y), CopyMask(icon.mask_dc, icon.width, mask.bmHeight),
           icon.image != nullptr ? CopyImage(icon.image, icon.width, icon.height) : nullptr};
  return TRUE;
}

BOOL DrawIconEx(HDC dc, int x, int y, HICON handle, int cx, int cy, UINT, HBRUSH, UINT flags) {
  Icon icon;
  if (!Find(handle, icon)) return FALSE;
  const bool system_size = (flags & DI_DEFAULTSIZE) != 0;
  if (cx == 0) cx = system_size ? GetSystemMetrics(SM_CXICON) : icon.width;
  if (cy == 0) cy = system_size ? GetSystemMetrics(SM_CYICON) : icon.height;
  if ((flags & DI_MASK) != 0) {
    StretchBlt(dc, x, y, cx, cy, icon.mask_dc, 0, 0, icon.width, icon.height, SRCAND);
  }
  if ((flags & DI_IMAGE) != 0) {
    if (icon.image_dc != nullptr) {
      StretchBlt(dc, x, y, cx, cy, icon.image_dc, 0, 0, icon.width, icon.height, SRCINVERT);
    } else {
      StretchBlt(dc, x, y, cx, cy, icon.mask_dc, 0, icon.height, icon.width, icon.height,
                 SRCINVERT);
    }
  }
  return TRUE;
}

BOOL DrawIcon(HDC dc, int x, int y, HICON icon) {
  return DrawIconEx(dc, x, y, icon, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
}
