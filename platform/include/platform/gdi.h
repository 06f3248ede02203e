// Drawing: device contexts, colours and the calls the window manager's
// default handling makes. The drawing itself arrives with the drawing layer.
#pragma once

#include <platform/types.h>

using COLORREF = DWORD;

inline constexpr COLORREF RGB(BYTE r, BYTE g, BYTE b) {
  return static_cast<COLORREF>(r) | static_cast<COLORREF>(g) << 8 | static_cast<COLORREF>(b) << 16;
}

COLORREF SetTextColor(HDC dc, COLORREF color);
COLORREF SetBkColor(HDC dc, COLORREF color);
int FillRect(HDC dc, const RECT* rect, HBRUSH brush);
