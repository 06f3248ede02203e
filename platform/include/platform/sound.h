// Sound services: the flags of PlaySoundA.
#pragma once

#include <platform/types.h>

constexpr DWORD SND_SYNC = 0x0000;
constexpr DWORD SND_ASYNC = 0x0001;
constexpr DWORD SND_NODEFAULT = 0x0002;
constexpr DWORD SND_LOOP = 0x0008;
constexpr DWORD SND_PURGE = 0x0040;
constexpr DWORD SND_FILENAME = 0x00020000;

// Plays a sound file (`module` is unused: no sound resources). A null name
// stops what plays. See docs/platform.md, "Sound".
BOOL PlaySoundA(LPCSTR name, HMODULE module, DWORD flags);
