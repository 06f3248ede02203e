// System controls on a shown, logged parent named "parent", and the
// notifications they send it as expected-table lines.
#pragma once

#include <string>

#include <platform/commctrl.h>
#include <platform/windows.h>

namespace conf {

constexpr int kControlId = 7;

// The parent: a shown top-level window of the logged class, active.
HWND ShowParent();

// A visible child control of `cls` on the parent (made by ShowParent if
// there is none yet), with id kControlId, named `name` in the log.
HWND Control(const char* cls, DWORD style, RECT at, const char* text = "",
             const std::string& name = "control");

// "parent WM_COMMAND w=N" for a notification `code` of the control.
std::string Command(WORD code);

// "left,top,right,bottom", for comparing rectangles.
std::string RectText(const RECT& r);

// The control's text.
std::string TextOf(HWND window);

}  // namespace conf
