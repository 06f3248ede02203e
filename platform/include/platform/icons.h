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

constexpr UINT LR_DEFAULTCOLOR = 0x0000;
constexpr UINT LR_DEFAULTSIZE = 0x0040;

// Copies the bitmaps: the caller keeps and deletes its own.
HICON CreateIconIndirect(const ICONINFO* info);
// An icon (or, with `icon` FALSE, a cursor, whose picture starts with its hot
// spot as two 16-bit numbers) from one picture of an icon or cursor file: a
// BITMAPINFOHEADER of twice the height, the colours, the pixels and the AND
// mask, rows from the bottom up, of 1, 4, 8, 24 or 32 bits. `version` is
// 0x00030000 (or 0x00020000). The icon is cx x cy, the picture's own size for
// 0, SM_CXICON x SM_CYICON for 0 with LR_DEFAULTSIZE. A one-bit picture of
// black and white makes a monochrome icon. Null with ERROR_INVALID_PARAMETER for a
// picture that is cut short or of another format (a PNG picture inside) and for
// another version.
HICON CreateIconFromResourceEx(PBYTE bits, DWORD size, BOOL icon, DWORD version, int cx, int cy,
                               UINT flags);
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
