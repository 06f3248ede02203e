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
constexpr UINT DI_COMPAT = 0x0004;
constexpr UINT DI_DEFAULTSIZE = 0x0008;

// Copies the bitmaps: the caller keeps and deletes its own.
HICON CreateIconIndirect(const ICONINFO* info);
BOOL DestroyIcon(HICON icon);
// The mask is drawn with SRCAND, then the image with SRCINVERT, each
// stretched to cx x cy (0: the icon's own size, or SM_CXICON x SM_CYICON with
// DI_DEFAULTSIZE). A handle that is no icon fails with
// ERROR_INVALID_CURSOR_HANDLE.
BOOL DrawIconEx(HDC dc, int x, int y, HICON icon, int cx, int cy, UINT step, HBRUSH flicker_free,
                UINT flags);
// DrawIconEx at the system's icon size.
BOOL DrawIcon(HDC dc, int x, int y, HICON icon);
// The icon's hot spot (an icon's centre) and copies of its mask and image,
// which the caller deletes; hbmColor is null for a monochrome icon, whose
// mask holds both halves.
BOOL GetIconInfo(HICON icon, ICONINFO* info);
