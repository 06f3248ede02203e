// Included right after the system's headers: the 8-bit names the program
// calls reach the code page 1251 bridge (see cp1251_bridge.h) instead of the
// system, which would read the bytes in its own code page.
#pragma once

#include <platform/cp1251_bridge.h>

#define RegisterClassA Cp1251RegisterClassA
#define GetClassInfoA Cp1251GetClassInfoA
#define UnregisterClassA Cp1251UnregisterClassA
#define CreateWindowExA Cp1251CreateWindowExA
#define DefWindowProcA Cp1251DefWindowProcA
#define SendMessageA Cp1251SendMessageA
#define PostMessageA Cp1251PostMessageA
#define PeekMessageA Cp1251PeekMessageA
#define DispatchMessageA Cp1251DispatchMessageA
#define GetWindowLongPtrA Cp1251GetWindowLongPtrA
#define SetWindowLongPtrA Cp1251SetWindowLongPtrA
#define SetWindowTextA Cp1251SetWindowTextA
#define GetWindowTextA Cp1251GetWindowTextA
#define MessageBoxA Cp1251MessageBoxA
#define SetWindowsHookExA Cp1251SetWindowsHookExA

#define DrawTextA Cp1251DrawTextA
#define ExtTextOutA Cp1251ExtTextOutA
#define GetTextExtentPointA Cp1251GetTextExtentPointA
#define GetTextExtentPoint32A Cp1251GetTextExtentPoint32A
#define CreateFontIndirectA Cp1251CreateFontIndirectA
#define GetObjectA Cp1251GetObjectA
#define SystemParametersInfoA Cp1251SystemParametersInfoA

#define LoadStringA Cp1251LoadStringA
#define FormatMessageA Cp1251FormatMessageA
#define GetModuleFileNameA Cp1251GetModuleFileNameA
#define CreateFileA Cp1251CreateFileA
#define GetFileAttributesA Cp1251GetFileAttributesA
#define PlaySoundA Cp1251PlaySoundA
