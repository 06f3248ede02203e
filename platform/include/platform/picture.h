// Pictures of what was drawn, as PNG files: for tests, for the headless host
// to save a window, and for tavrion-wav's preview. Ours, not the desktop
// API's; the paths are UTF-8, as a command line gives them.
#pragma once

#include <platform/gdi.h>

// The window's pixels as they are shown (on Linux only): its top-level
// window's surface with the caret over it when the caret is "on" now; the
// client area, or with `whole_window` the window with its frame.
BOOL SaveWindowPicture(HWND window, LPCSTR path, BOOL whole_window);

// A bitmap's pixels.
BOOL SaveBitmapPicture(HBITMAP bitmap, LPCSTR path);
