// Icons: two bitmaps kept in memory contexts of their own, drawn with the
// mask first (what stays of the background) and the image over it.
#include <map>
#include <memory>
#include <mutex>

#include <platform/icons.h>
#include <platform/windows.h>

#include "surface.h"

namespace {

struct Icon {
  HDC mask_dc = nullptr;
  HDC image_dc = nullptr;
  HBITMAP mask = nullptr;
  HBITMAP image = nullptr;
  int width = 0;
  int height = 0;
};

std::mutex& IconLock() {
  static std::mutex lock;
  return lock;
}

std::map<HICON, Icon>& Icons() {
  static std::map<HICON, Icon> icons;
  return icons;
}

std::uintptr_t next_icon = 0x30000;

// A copy of a monochrome bitmap in a memory context that keeps it selected.
HDC CopyMask(HBITMAP source, int width, int height, HBITMAP& copy) {
  HDC dc = CreateCompatibleDC(nullptr);
  copy = CreateBitmap(width, height, 1, 1, nullptr);
  SelectObject(dc, copy);
  HDC from = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(from, source);
  BitBlt(dc, 0, 0, width, height, from, 0, 0, SRCCOPY);
  SelectObject(from, old);
  DeleteDC(from);
  return dc;
}

// A 32-bit copy of a colour bitmap, read with GetDIBits so that the source
// may stay selected in a context of its caller.
HDC CopyImage(HBITMAP source, int width, int height, HBITMAP& copy) {
  BITMAPINFO info = gdi::TopDown32(width, height);
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  copy = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  GetDIBits(dc, source, 0, static_cast<UINT>(height), bits, &info, DIB_RGB_COLORS);
  SelectObject(dc, copy);
  return dc;
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
  if (info == nullptr || info->hbmMask == nullptr) return nullptr;
  BITMAP mask{};
  if (GetObjectA(info->hbmMask, sizeof mask, &mask) == 0) return nullptr;
  Icon icon;
  icon.width = mask.bmWidth;
  // A mask without an image holds both, the AND half above the XOR half.
  icon.height = info->hbmColor != nullptr ? mask.bmHeight : mask.bmHeight / 2;
  icon.mask_dc = CopyMask(info->hbmMask, icon.width, mask.bmHeight, icon.mask);
  if (info->hbmColor != nullptr) {
    icon.image_dc = CopyImage(info->hbmColor, icon.width, icon.height, icon.image);
  }
  std::lock_guard guard(IconLock());
  const auto handle = reinterpret_cast<HICON>(next_icon++);
  Icons()[handle] = icon;
  return handle;
}

BOOL DestroyIcon(HICON handle) {
  Icon icon;
  {
    std::lock_guard guard(IconLock());
    const auto it = Icons().find(handle);
    if (it == Icons().end()) return handle != nullptr ? TRUE : FALSE;  // system icons stay
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

BOOL DrawIconEx(HDC dc, int x, int y, HICON handle, int cx, int cy, UINT, HBRUSH, UINT flags) {
  Icon icon;
  {
    std::lock_guard guard(IconLock());
    const auto it = Icons().find(handle);
    if (it == Icons().end()) return handle != nullptr ? TRUE : FALSE;
    icon = it->second;
  }
  if (cx == 0) cx = icon.width;
  if (cy == 0) cy = icon.height;
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
