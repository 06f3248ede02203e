// Reading what a window shows, through its device context.
#pragma once

#include <vector>

#include <platform/gdi.h>
#include <platform/windows.h>

namespace conf {

// The colour at a client point, by GetPixel.
COLORREF PixelAt(HWND window, int x, int y);

// The client area row by row, by GetDIBits of a copy (top-down, as COLORREF).
std::vector<COLORREF> ClientPixels(HWND window);

}  // namespace conf
