// Module resources: the form definitions, string table, cursors and icon
// embedded in the program at build time.
#pragma once

#include <cstdint>

#include <platform/types.h>

using HRSRC = struct ResourceEntry*;

// A resource name or type is either a text or a number below 0x10000 carried
// in the pointer, as MAKEINTRESOURCEA makes it.
inline LPCSTR MAKEINTRESOURCEA(WORD id) {
  return reinterpret_cast<LPCSTR>(static_cast<std::uintptr_t>(id));
}
inline bool IS_INTRESOURCE(LPCSTR name) {
  return (reinterpret_cast<std::uintptr_t>(name) >> 16) == 0;
}

inline const LPCSTR RT_CURSOR = MAKEINTRESOURCEA(1);
inline const LPCSTR RT_ICON = MAKEINTRESOURCEA(3);
inline const LPCSTR RT_STRING = MAKEINTRESOURCEA(6);
inline const LPCSTR RT_RCDATA = MAKEINTRESOURCEA(10);
inline const LPCSTR RT_GROUP_CURSOR = MAKEINTRESOURCEA(12);
inline const LPCSTR RT_GROUP_ICON = MAKEINTRESOURCEA(14);
inline const LPCSTR RT_VERSION = MAKEINTRESOURCEA(16);

// The program's own module; null names it too.
HMODULE GetModuleHandleA(LPCSTR moduleName);
// The path of the program's executable file, cut to `size` - 1 characters
// and always terminated; answers the characters copied (0 on failure).
DWORD GetModuleFileNameA(HMODULE module, LPSTR fileName, DWORD size);
// No module exports anything here: always null, with ERROR_PROC_NOT_FOUND.
using FARPROC = std::intptr_t (*)();
FARPROC GetProcAddress(HMODULE module, LPCSTR procName);

// Names are compared without letter case. A missing resource gives 0 with
// ERROR_RESOURCE_NAME_NOT_FOUND (or ..._TYPE_NOT_FOUND).
HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type);
HGLOBAL LoadResource(HMODULE module, HRSRC resource);
LPVOID LockResource(HGLOBAL data);
DWORD SizeofResource(HMODULE module, HRSRC resource);
BOOL FreeResource(HGLOBAL data);

// Copies string `id` of the string table into buffer (at most bufferMax - 1
// bytes and a terminating zero) and returns its length; 0 when there is no
// such string.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int bufferMax);
