// Classes, windows and messages. The system holds only UTF-16 procedures:
// each procedure of the program (code page 1251) is given to it as a stand-in
// that translates the messages for it, and each procedure of the system the
// program asks for (a control's, to subclass or superclass it) comes back as a
// stand-in that translates the other way. Both are kept for good, so the
// same procedure always has the same stand-in and a procedure read back is
// the one that was set.
#include <platform/cp1251_bridge.h>

#include <array>
#include <atomic>
#include <mutex>
#include <utility>

#include "cp1251_messages.h"

namespace cp1251 {

namespace {

constexpr std::size_t kStandIns = 32;

// The procedures stood in for, each side's slots taken in turn.
std::array<std::atomic<WNDPROC>, kStandIns> program_procs;
std::array<std::atomic<WNDPROC>, kStandIns> system_procs;

// What the system calls for the program's procedure in slot N.
template <std::size_t N>
LRESULT CALLBACK SystemStandIn(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const WNDPROC proc = program_procs[N].load(std::memory_order_acquire);
  return Translate<wchar_t, char>(message, wparam, lparam,
                                  [&](WPARAM w, LPARAM l) { return proc(window, message, w, l); });
}

// What the program calls for the system's procedure in slot N.
template <std::size_t N>
LRESULT CALLBACK ProgramStandIn(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const WNDPROC proc = system_procs[N].load(std::memory_order_acquire);
  return Translate<char, wchar_t>(message, wparam, lparam, [&](WPARAM w, LPARAM l) {
    return CallWindowProcW(proc, window, message, w, l);
  });
}

template <std::size_t... N>
constexpr std::array<WNDPROC, kStandIns> SystemStandIns(std::index_sequence<N...>) {
  return {&SystemStandIn<N>...};
}

template <std::size_t... N>
constexpr std::array<WNDPROC, kStandIns> ProgramStandIns(std::index_sequence<N...>) {
  return {&ProgramStandIn<N>...};
}

constexpr auto kSystemStandIns = SystemStandIns(std::make_index_sequence<kStandIns>());
constexpr auto kProgramStandIns = ProgramStandIns(std::make_index_sequence<kStandIns>());

struct Side {
  std::array<std::atomic<WNDPROC>, kStandIns>& procs;
  const std::array<WNDPROC, kStandIns>& stand_ins;
};

const Side kProgram{program_procs, kSystemStandIns};
const Side kSystem{system_procs, kProgramStandIns};

// The stand-in for a procedure of `own`'s side, or the procedure itself when
// it is a stand-in for one of `other`'s. Null when the stand-ins ran out.
WNDPROC StandInFor(const Side& own, const Side& other, WNDPROC proc) {
  if (proc == nullptr) return nullptr;
  for (std::size_t i = 0; i < kStandIns; ++i) {
    if (other.stand_ins[i] == proc) return other.procs[i].load(std::memory_order_acquire);
  }
  static std::mutex taking;
  const std::lock_guard lock(taking);
  for (std::size_t i = 0; i < kStandIns; ++i) {
    const WNDPROC held = own.procs[i].load(std::memory_order_acquire);
    if (held == proc) return own.stand_ins[i];
    if (held == nullptr) {
      own.procs[i].store(proc, std::memory_order_release);
      return own.stand_ins[i];
    }
  }
  SetLastError(ERROR_NOT_ENOUGH_MEMORY);
  return nullptr;
}

WNDPROC SystemProc(WNDPROC program_proc) {
  return StandInFor(kProgram, kSystem, program_proc);
}

WNDPROC ProgramProc(WNDPROC system_proc) {
  return StandInFor(kSystem, kProgram, system_proc);
}

}  // namespace

}  // namespace cp1251

using cp1251::Translate;
using cp1251::WideName;

ATOM WINAPI Cp1251RegisterClassA(const WNDCLASSA* c) {
  const WNDPROC proc = cp1251::SystemProc(c->lpfnWndProc);
  if (proc == nullptr && c->lpfnWndProc != nullptr) return 0;
  const WideName menu(c->lpszMenuName);
  const WideName name(c->lpszClassName);
  const WNDCLASSW wide{c->style, proc,       c->cbClsExtra,    c->cbWndExtra, c->hInstance,
                       c->hIcon, c->hCursor, c->hbrBackground, menu.get(),    name.get()};
  return RegisterClassW(&wide);
}

BOOL WINAPI Cp1251GetClassInfoA(HINSTANCE instance, LPCSTR name, LPWNDCLASSA out) {
  WNDCLASSW wide{};
  if (!GetClassInfoW(instance, WideName(name).get(), &wide)) return FALSE;
  const WNDPROC proc = cp1251::ProgramProc(wide.lpfnWndProc);
  if (proc == nullptr && wide.lpfnWndProc != nullptr) return FALSE;
  // A menu's name given as text is not kept: none of the program's classes has one.
  const LPCSTR menu =
      IS_INTRESOURCE(wide.lpszMenuName) ? reinterpret_cast<LPCSTR>(wide.lpszMenuName) : nullptr;
  *out = WNDCLASSA{wide.style,     proc,       wide.cbClsExtra, wide.cbWndExtra,
                   wide.hInstance, wide.hIcon, wide.hCursor,    wide.hbrBackground,
                   menu,           name};
  return TRUE;
}

BOOL WINAPI Cp1251UnregisterClassA(LPCSTR name, HINSTANCE instance) {
  return UnregisterClassW(WideName(name).get(), instance);
}

HWND WINAPI Cp1251CreateWindowExA(DWORD ex_style, LPCSTR class_name, LPCSTR title, DWORD style,
                                  int x, int y, int width, int height, HWND parent, HMENU menu,
                                  HINSTANCE instance, LPVOID param) {
  return CreateWindowExW(ex_style, WideName(class_name).get(), WideName(title).get(), style, x, y,
                         width, height, parent, menu, instance, param);
}

LRESULT CALLBACK Cp1251DefWindowProcA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Translate<char, wchar_t>(message, wparam, lparam, [&](WPARAM w, LPARAM l) {
    return DefWindowProcW(window, message, w, l);
  });
}

LRESULT WINAPI Cp1251SendMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  return Translate<char, wchar_t>(message, wparam, lparam, [&](WPARAM w, LPARAM l) {
    return SendMessageW(window, message, w, l);
  });
}

// Only a character travels in a posted message; the system refuses to post a
// pointer to text, which would be gone by the time it arrived.
BOOL WINAPI Cp1251PostMessageA(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (cp1251::KindOf(message) == cp1251::TextKind::kCharacter) {
    wparam = cp1251::RecodeCharacter<wchar_t>(wparam);
  }
  return PostMessageW(window, message, wparam, lparam);
}

BOOL WINAPI Cp1251PeekMessageA(LPMSG msg, HWND window, UINT first, UINT last, UINT remove) {
  if (!PeekMessageW(msg, window, first, last, remove)) return FALSE;
  if (cp1251::KindOf(msg->message) == cp1251::TextKind::kCharacter) {
    msg->wParam = cp1251::RecodeCharacter<char>(msg->wParam);
  }
  return TRUE;
}

LRESULT WINAPI Cp1251DispatchMessageA(const MSG* msg) {
  MSG wide = *msg;
  if (cp1251::KindOf(wide.message) == cp1251::TextKind::kCharacter) {
    wide.wParam = cp1251::RecodeCharacter<wchar_t>(wide.wParam);
  }
  return DispatchMessageW(&wide);
}

LONG_PTR WINAPI Cp1251GetWindowLongPtrA(HWND window, int index) {
  const LONG_PTR value = GetWindowLongPtrW(window, index);
  if (index != GWLP_WNDPROC) return value;
  return reinterpret_cast<LONG_PTR>(cp1251::ProgramProc(reinterpret_cast<WNDPROC>(value)));
}

LONG_PTR WINAPI Cp1251SetWindowLongPtrA(HWND window, int index, LONG_PTR value) {
  if (index != GWLP_WNDPROC) return SetWindowLongPtrW(window, index, value);
  const WNDPROC proc = cp1251::SystemProc(reinterpret_cast<WNDPROC>(value));
  if (proc == nullptr && value != 0) return 0;
  const LONG_PTR old = SetWindowLongPtrW(window, index, reinterpret_cast<LONG_PTR>(proc));
  return reinterpret_cast<LONG_PTR>(cp1251::ProgramProc(reinterpret_cast<WNDPROC>(old)));
}

BOOL WINAPI Cp1251SetWindowTextA(HWND window, LPCSTR text) {
  return SetWindowTextW(window, WideName(text).get());
}

int WINAPI Cp1251GetWindowTextA(HWND window, LPSTR out, int size) {
  return static_cast<int>(cp1251::FillBuffer<char, wchar_t>(
      out, static_cast<std::size_t>(std::max(size, 0)), [&](LPWSTR buffer, std::size_t n) {
        return GetWindowTextW(window, buffer, static_cast<int>(n));
      }));
}

int WINAPI Cp1251MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  return MessageBoxW(owner, WideName(text).get(), WideName(caption).get(), type);
}

// A hook set through the 8-bit entry could have the system turn the
// characters of the messages it watches into the system's code page on the
// way. The program's hooks watch the mouse only.
HHOOK WINAPI Cp1251SetWindowsHookExA(int kind, HOOKPROC hook, HINSTANCE module, DWORD thread) {
  return SetWindowsHookExW(kind, hook, module, thread);
}
