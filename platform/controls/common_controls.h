// What the track bar, progress bar and up-down share: their registrations,
// the state each window keeps in its extra bytes, and the notifications they
// send their parent.
#pragma once

#include <platform/commctrl.h>

#include "system_classes.h"

namespace controls {

void RegisterTrackbarClass();  // trackbar.cpp
void RegisterProgressClass();  // progress_bar.cpp
void RegisterUpDownClass();    // updown.cpp

// Painting as the three controls do it: all of the window in WM_PAINT, so no
// erasing, and again when the window is enabled or disabled. True when
// `message` was one of these; `result` is then its answer.
bool Painting(HWND window, UINT message, LRESULT& result,
              void (*paint)(HWND, const void* state, HDC, const RECT&), const void* state);

// The window procedure of a control whose state is a `State`: made on
// WM_NCCREATE and freed on WM_NCDESTROY, kept in the extra bytes so that a
// subclass that passes messages on still finds it. `Paint` draws the whole
// client area; `Handle` gets every other message in between.
template <typename State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM),
          void (*Paint)(HWND, const State&, HDC, const RECT&)>
LRESULT ControlProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(new State));
  auto* state = reinterpret_cast<State*>(GetWindowLongPtrA(window, 0));
  if (message == WM_NCDESTROY && state != nullptr) {
    SetWindowLongPtrA(window, 0, 0);
    delete state;
    state = nullptr;
  }
  if (state == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  LRESULT result = 0;
  const auto paint = [](HWND w, const void* s, HDC dc, const RECT& client) {
    Paint(w, *static_cast<const State*>(s), dc, client);
  };
  if (Painting(window, message, result, paint, state)) return result;
  return Handle(window, *state, message, wParam, lParam);
}

// Registers a common control whose windows run ControlProc for `State`.
template <typename State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM),
          void (*Paint)(HWND, const State&, HDC, const RECT&)>
void RegisterControl(const char* name) {
  RegisterSystemClass(name, CS_HREDRAW | CS_VREDRAW, ControlProc<State, Handle, Paint>, IDC_ARROW,
                      GetSysColorBrush(COLOR_BTNFACE));
}

// The signed 16-bit halves of a message parameter.
inline int LowShort(LPARAM value) {
  return static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(value)));
}
inline int HighShort(LPARAM value) {
  return static_cast<SHORT>(HIWORD(static_cast<std::uintptr_t>(value)));
}

// WM_VSCROLL (vertical) or WM_HSCROLL to the parent: the code in the low word,
// the position in the high word, the control in lParam.
void SendScroll(HWND control, bool vertical, WORD code, int position);

// The cursor in the window's client coordinates.
POINT CursorIn(HWND window);

// Auto-repeat of a held press: the first repeat comes later than the rest.
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatDelay = 500;
constexpr UINT kRepeatInterval = 100;

}  // namespace controls
