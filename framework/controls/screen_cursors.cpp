// The screen's cursor list and the cursor it shows over all windows.
#include <iterator>

#include "framework/controls/forms.h"
#include "platform/kernel.h"

namespace {

struct CursorSource {
  TCursor index;
  WORD resource;
  bool own;  // the program's resource, not the system's
};

// In the order they are inserted; the list keeps the newest first.
constexpr CursorSource kCursorSources[] = {
    {crSizeAll, 32646, false},  {crHandPoint, 32761, true}, {crHelp, 32651, false},
    {crAppStart, 32650, false}, {crNo, 32648, false},       {crSQLWait, 32762, true},
    {crMultiDrag, 32763, true}, {crVSplit, 32764, true},    {crHSplit, 32765, true},
    {crNoDrop, 32767, true},    {crDrag, 32766, true},      {crHourGlass, 32514, false},
    {crUpArrow, 32516, false},  {crSizeWE, 32644, false},   {crSizeNWSE, 32642, false},
    {crSizeNS, 32645, false},   {crSizeNESW, 32643, false}, {crSize, 32640, false},
    {crIBeam, 32513, false},    {crCross, 32515, false},    {crArrow, 32512, false},
};
static_assert(std::size(kCursorSources) == 21);

bool IsOwnCursor(int index) {
  for (const CursorSource& source : kCursorSources) {
    if (source.index == index) return source.own;
  }
  return false;
}

}  // namespace

void TScreen::SetCursor(TCursor value) {
  if (value == cursor_) return;
  cursor_ = value;
  if (value == crDefault) {
    // The window under the mouse picks its own cursor now rather than at
    // the next move.
    POINT at{};
    GetCursorPos(&at);
    const HWND window = WindowFromPoint(at);
    if (window != nullptr && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
      const LRESULT hit = SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
      SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                   MAKELPARAM(static_cast<int>(hit), WM_MOUSEMOVE));
      return;
    }
  }
  ::SetCursor(Cursors(value));
}

HCURSOR TScreen::Cursors(int n) const {
  if (n == crNone) return nullptr;
  for (const CursorRec& entry : cursors_) {
    if (entry.index == n) return entry.handle;
  }
  return default_cursor_;
}

void TScreen::InsertCursor(int n, HCURSOR handle) {
  cursors_.push_front({n, handle});
}

void TScreen::CreateCursors() {
  default_cursor_ = LoadCursorA(nullptr, IDC_ARROW);
  const HINSTANCE program = GetModuleHandleA(nullptr);
  for (const CursorSource& source : kCursorSources) {
    InsertCursor(source.index,
                 LoadCursorA(source.own ? program : nullptr, MAKEINTRESOURCEA(source.resource)));
  }
}

void TScreen::DestroyCursors() {
  for (const CursorRec& entry : cursors_) {
    if (entry.handle != nullptr && (entry.index >= 1 || IsOwnCursor(entry.index)))
      DestroyCursor(entry.handle);
  }
  cursors_.clear();
  if (default_cursor_ != LoadCursorA(nullptr, IDC_ARROW)) DestroyCursor(default_cursor_);
}

void TWinControl::WMSetCursor(TMessage& message) {
  if (Screen != nullptr && reinterpret_cast<HWND>(message.WParam) == handle_ &&
      static_cast<short>(LOWORD(message.LParam)) == HTCLIENT) {
    TCursor cursor = Screen->Cursor();
    if (cursor == crDefault) {
      POINT at{};
      GetCursorPos(&at);
      ScreenToClient(handle_, &at);
      if (const TControl* child = ControlAtPos(at)) cursor = child->Cursor();
      if (cursor == crDefault) cursor = cursor_;
    }
    if (cursor != crDefault) {
      ::SetCursor(Screen->Cursors(cursor));
      message.Result = TRUE;
      return;
    }
  }
  DefaultHandler(message);
}
