// The system window classes: "EDIT", "BUTTON" and the common controls. They
// are global classes that exist from the program's start, as on the desktop:
// the window manager registers them before it first looks a class up.
#pragma once

#include <platform/windows.h>

namespace controls {

// Registers every system class, once; any later call does nothing.
void RegisterSystemClasses();

// Registers one global system class whose windows keep a pointer to their
// state in their extra bytes.
void RegisterSystemClass(const char* name, UINT style, WNDPROC proc, LPCSTR cursor,
                         HBRUSH background = nullptr);

// Each control's own registration, in its file.
void RegisterEditClass();       // edit.cpp
void RegisterButtonClass();     // button.cpp
void RegisterCommonControls();  // common_controls.cpp: track bar, progress bar, up-down

}  // namespace controls
