// Icons made from a colour bitmap and a monochrome mask, and drawn.
#pragma once

#include <platform/gdi.h>

struct ICONINFO {
  BOOL fIcon;
  DWORD xHotspot;
  DWORD yHotspot;
  HBITMAP hbmMask;
  HBITMAP hbmColor;
};

constexpr UINT DI_MASK = 0x0001;
constexpr UINT DI_IMAGE = 0x0002;
constexpr UINT DI_NORMAL = 0x0003;

// Copies the bitmaps: the caller keeps and deletes its own.
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);
// The mask is drawn with SRCAND, then the image with SRCINVERT, each
// stretched to cx x cy (0: the icon's own size). System icons have no
// picture here and draw nothing.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker_free,
                UINT flags);
