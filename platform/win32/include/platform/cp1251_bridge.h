// The program's texts are code page 1251 whatever the system's own code page
// is. These stand in for the system's 8-bit entry points that carry text:
// each turns the text into UTF-16 with code page 1251 and calls the system's
// UTF-16 entry point, and turns what comes back into code page 1251.
// <platform/cp1251_api.h> puts them in place of the system's names.
#pragma once

#include <windows.h>

// Classes, windows and messages. Every window made through these is a
// UTF-16 window; the program's procedures are called with code page 1251.
ATOM WINAPI Cp1251RegisterClassA(const WNDCLASSA* window_class);
BOOL WINAPI Cp1251GetClassInfoA(HINSTANCE instance, LPCSTR name, LPWNDCLASSA out);
BOOL WINAPI Cp1251UnregisterClassA(LPCSTR name, HINSTANCE instance);
HWND WINAPI Cp1251CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style,
                                  int x, int y, int width, int height, HWND parent, HMENU menu,
                                  HINSTANCE instance, LPVOID param);
LRESULT CALLBACK Cp1251DefWindowProcA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
LRESULT WINAPI Cp1251SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
BOOL WINAPI Cp1251PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
BOOL WINAPI Cp1251PeekMessageA(LPMSG msg, HWND window, UINT first, UINT last, UINT remove);
LRESULT WINAPI Cp1251DispatchMessageA(const MSG* msg);
LONG_PTR WINAPI Cp1251GetWindowLongPtrA(HWND window, int index);
LONG_PTR WINAPI Cp1251SetWindowLongPtrA(HWND window, int index, LONG_PTR value);
BOOL WINAPI Cp1251SetWindowTextA(HWND window, LPCSTR text);
int WINAPI Cp1251GetWindowTextA(HWND window, LPSTR out, int size);
int WINAPI Cp1251MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type);
HHOOK WINAPI Cp1251SetWindowsHookExA(int kind, HOOKPROC hook, HINSTANCE module, DWORD thread);

// Text drawing and fonts.
int WINAPI Cp1251DrawTextA(HDC dc, LPCSTR text, int count, LPRECT rect, UINT format);
BOOL WINAPI Cp1251ExtTextOutA(HDC dc, int x, int y, UINT options, const RECT* rect, LPCSTR text,
                              UINT count, const INT* dx);
BOOL WINAPI Cp1251GetTextExtentPointA(HDC dc, LPCSTR text, int count, LPSIZE size);
BOOL WINAPI Cp1251GetTextExtentPoint32A(HDC dc, LPCSTR text, int count, LPSIZE size);
HFONT WINAPI Cp1251CreateFontIndirectA(const LOGFONTA* font);
int WINAPI Cp1251GetObjectA(HANDLE object, int size, LPVOID out);
BOOL WINAPI Cp1251SystemParametersInfoA(UINT action, UINT uparam, PVOID pparam, UINT win_ini);

// Strings, the module's name, files and sounds.
int WINAPI Cp1251LoadStringA(HINSTANCE module, UINT id, LPSTR out, int size);
DWORD WINAPI Cp1251FormatMessageA(DWORD flags, LPCVOID source, DWORD id, DWORD language, LPSTR out,
                                  DWORD size, va_list* arguments);
DWORD WINAPI Cp1251GetModuleFileNameA(HMODULE module, LPSTR out, DWORD size);
HANDLE WINAPI Cp1251CreateFileA(LPCSTR name, DWORD access, DWORD share,
                                LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                HANDLE template_file);
DWORD WINAPI Cp1251GetFileAttributesA(LPCSTR name);
BOOL WINAPI Cp1251PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);
