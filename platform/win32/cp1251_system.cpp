// Strings, the module's name, files and sounds.
#include <platform/cp1251_bridge.h>

#include <mmsystem.h>

#include "cp1251_text.h"

using cp1251::FillBuffer;
using cp1251::WideName;

int WINAPI Cp1251LoadStringA(HINSTANCE module, UINT id, LPSTR out, int size) {
  return static_cast<int>(FillBuffer<char, wchar_t>(
      out, static_cast<std::size_t>(std::max(size, 0)), [&](LPWSTR buffer, std::size_t n) {
        return LoadStringW(module, id, buffer, static_cast<int>(n));
      }));
}

// The system's own texts; what comes from the program (a text with inserts,
// a buffer the system allocates) goes to the system as it is.
DWORD WINAPI Cp1251FormatMessageA(DWORD flags, LPCVOID source, DWORD id, DWORD language, LPSTR out,
                                  DWORD size, va_list* arguments) {
  constexpr DWORD kOwnText = FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ALLOCATE_BUFFER;
  if ((flags & kOwnText) != 0 || (flags & FORMAT_MESSAGE_IGNORE_INSERTS) == 0) {
    return FormatMessageA(flags, source, id, language, out, size, arguments);
  }
  return static_cast<DWORD>(FillBuffer<char, wchar_t>(out, size, [&](LPWSTR buffer, std::size_t n) {
    return FormatMessageW(flags, source, id, language, buffer, static_cast<DWORD>(n), arguments);
  }));
}

DWORD WINAPI Cp1251GetModuleFileNameA(HMODULE module, LPSTR out, DWORD size) {
  return static_cast<DWORD>(FillBuffer<char, wchar_t>(out, size, [&](LPWSTR buffer, std::size_t n) {
    return GetModuleFileNameW(module, buffer, static_cast<DWORD>(n));
  }));
}

HANDLE WINAPI Cp1251CreateFileA(LPCSTR name, DWORD access, DWORD share,
                                LPSECURITY_ATTRIBUTES security, DWORD disposition, DWORD flags,
                                HANDLE template_file) {
  return CreateFileW(WideName(name).get(), access, share, security, disposition, flags,
                     template_file);
}

DWORD WINAPI Cp1251GetFileAttributesA(LPCSTR name) {
  return GetFileAttributesW(WideName(name).get());
}

// A sound in memory is bytes, not a name.
BOOL WINAPI Cp1251PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags) {
  if ((flags & SND_MEMORY) != 0) return PlaySoundA(sound, module, flags);
  return PlaySoundW(WideName(sound).get(), module, flags);
}
