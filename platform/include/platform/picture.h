// Pictures of what was drawn, as PNG files: for tests and for the headless
// host to save a window. Ours, not the desktop API's.
#pragma once

#include <platform/gdi.h>

// The window's pixels as they are shown: its top-level window's surface with
// the caret over it when the caret is "on" now; the client area, or with
// `whole_window` the window with its frame.
BOOL SaveWindowPicture(HWND window, LPCSTR path, BOOL whole_window);

// A bitmap's pixels.
BOOL SaveBitmapPicture(HBITMAP bitmap, LPCSTR path);
