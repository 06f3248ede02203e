// On Windows the desktop API is the system's own: each of our API headers
// gives the real declarations.
#pragma once

// windows.h first: the others build on it.
#include <windows.h>

#include <commctrl.h>
#include <mmsystem.h>
#include <windowsx.h>

// The program calls the API by its 8-bit names (MessageBoxA, PlaySoundA); the
// system's names without the suffix are macros that would rename the
// framework's own members of the same name.
#undef MessageBox
#undef PlaySound

// The program's texts are code page 1251 whatever the system's is: its 8-bit
// calls go through the bridge to the system's UTF-16 ones.
#include <platform/cp1251_api.h>
#undef PlaySoundA

// The system's PlaySoundA reports an asynchronous sound as started before any
// device is asked for it, so without a sound device it succeeds and nothing
// plays. The program's PlaySoundA fails at once then, as ours on Linux does.
namespace platform {
BOOL PlaySoundOnDevice(LPCSTR name, HMODULE module, DWORD flags);
}  // namespace platform
#define PlaySoundA platform::PlaySoundOnDevice
