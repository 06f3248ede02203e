// The system "EDIT" class, single line: its window procedure (messages,
// keys, mouse, clipboard) and its registration.
#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include <platform/kernel.h>

#include "edit_state.h"
#include "system_classes.h"

namespace controls {
namespace {

using edit::State;

// The control characters the keys give with Ctrl (and Backspace).
constexpr char kBackspace = '\b';
constexpr char kCtrlC = 'C' - '@';
constexpr char kCtrlV = 'V' - '@';
constexpr char kCtrlX = 'X' - '@';
constexpr char kCtrlZ = 'Z' - '@';
constexpr unsigned char kFirstPrintable = ' ';
constexpr unsigned char kCtrlBackspace = 0x7F;
// The bit of a key message's lParam that says Alt is down.
constexpr LPARAM kAltDown = LPARAM{1} << 29;

bool IsDown(UINT key) {
  return GetKeyState(static_cast<int>(key)) < 0;
}

bool IsReadOnly(HWND window) {
  return (edit::StyleOf(window) & ES_READONLY) != 0;
}

void SetStyleBit(HWND window, DWORD bit, bool on) {
  const DWORD style = edit::StyleOf(window);
  SetWindowLongA(window, GWL_STYLE, static_cast<LONG>(on ? style | bit : style & ~bit));
}

// Moves the caret; with `extend` the anchor stays and the selection follows.
void MoveCaret(HWND window, State& state, int to, bool extend) {
  state.caret = to;
  if (!extend) state.anchor = to;
  state.typing_at = -1;
  edit::Refresh(window, state);
}

void Select(HWND window, State& state, int anchor, int caret) {
  state.anchor = anchor;
  MoveCaret(window, state, caret, true);
}

// Takes out the selection, or the character before (Backspace) or after
// (Delete) the caret.
void DeleteAround(HWND window, State& state, bool before) {
  if (IsReadOnly(window)) {
    MessageBeep(MB_OK);
    return;
  }
  if (!state.HasSelection()) {
    const int n = static_cast<int>(state.text.size());
    if (before ? state.caret == 0 : state.caret == n) return;
    state.anchor = state.caret + (before ? -1 : 1);
  }
  edit::ReplaceSelection(window, {}, true, false);
}

void Copy(HWND window, const State& state) {
  if (!state.HasSelection() || (edit::StyleOf(window) & ES_PASSWORD) != 0) return;
  if (!OpenClipboard(window)) return;
  EmptyClipboard();
  const auto length = static_cast<std::size_t>(state.SelEnd() - state.SelStart());
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, length + 1);
  auto* bytes = static_cast<char*>(GlobalLock(data));
  std::memcpy(bytes, state.text.data() + state.SelStart(), length);
  bytes[length] = '\0';
  GlobalUnlock(data);
  SetClipboardData(CF_TEXT, data);
  CloseClipboard();
}

void Paste(HWND window) {
  if (IsReadOnly(window) || !OpenClipboard(window)) return;
  std::string text;
  HANDLE data = GetClipboardData(CF_TEXT);
  const bool has_text = data != nullptr;
  if (has_text) {
    text = static_cast<const char*>(GlobalLock(data));
    GlobalUnlock(data);
  }
  CloseClipboard();
  if (has_text) edit::ReplaceSelection(window, text, true, false);
}

// Keys that edit: refused with a beep in a read-only edit, else sent as the
// clipboard message so that a subclass sees it.
void EditingKey(HWND window, UINT message) {
  if (IsReadOnly(window) && message != WM_COPY) {
    MessageBeep(MB_OK);
    return;
  }
  SendMessageA(window, message, 0, 0);
}

void KeyDown(HWND window, State& state, UINT key) {
  const bool shift = IsDown(VK_SHIFT);
  const bool ctrl = IsDown(VK_CONTROL);
  const int n = static_cast<int>(state.text.size());
  switch (key) {
    case VK_LEFT:
      MoveCaret(
          window, state,
          ctrl ? edit::PreviousWordStart(state.text, state.caret) : std::max(0, state.caret - 1),
          shift);
      break;
    case VK_RIGHT:
      MoveCaret(window, state,
                ctrl ? edit::NextWordStart(state.text, state.caret) : std::min(n, state.caret + 1),
                shift);
      break;
    case VK_HOME:
      MoveCaret(window, state, 0, shift);
      break;
    case VK_END:
      MoveCaret(window, state, n, shift);
      break;
    case VK_DELETE:
      if (shift) {
        EditingKey(window, WM_CUT);
      } else {
        DeleteAround(window, state, false);
      }
      break;
    case VK_INSERT:
      if (shift) {
        EditingKey(window, WM_PASTE);
      } else if (ctrl) {
        EditingKey(window, WM_COPY);
      }
      break;
    default:
      break;
  }
}

void Char(HWND window, State& state, char c) {
  switch (c) {
    case kBackspace:
      DeleteAround(window, state, true);
      return;
    case kCtrlC:
      EditingKey(window, WM_COPY);
      return;
    case kCtrlX:
      EditingKey(window, WM_CUT);
      return;
    case kCtrlV:
      EditingKey(window, WM_PASTE);
      return;
    case kCtrlZ:
      EditingKey(window, WM_UNDO);
      return;
    default:
      break;
  }
  const auto byte = static_cast<unsigned char>(c);
  // Enter, Tab, Escape and the other control characters type nothing.
  if (byte < kFirstPrintable || byte == kCtrlBackspace) return;
  const bool digit = c >= '0' && c <= '9';
  if (IsReadOnly(window) || ((edit::StyleOf(window) & ES_NUMBER) != 0 && !digit)) {
    MessageBeep(MB_OK);
    return;
  }
  edit::ReplaceSelection(window, std::string_view(&c, 1), true, true);
}

void ButtonDown(HWND window, LPARAM lParam, bool shift) {
  if (GetFocus() != window) SetFocus(window);
  State* state = edit::StateOf(window);
  if (state == nullptr || !state->focused) return;
  SetCapture(window);
  state->selecting = true;
  MoveCaret(window, *state, edit::CharFromX(window, *state, GET_X_LPARAM(lParam)), shift);
}

void DoubleClick(HWND window, State& state, LPARAM lParam) {
  int start = 0;
  int end = 0;
  edit::WordAt(state.text, edit::CharFromX(window, state, GET_X_LPARAM(lParam)), start, end);
  Select(window, state, start, end);
}

// EM_SETSEL: -1 as the start drops the selection, -1 (or any position past
// the text) as the end is the end of the text.
void SetSelection(HWND window, State& state, WPARAM wParam, LPARAM lParam) {
  const int n = static_cast<int>(state.text.size());
  const auto start = static_cast<LONG>(wParam);
  const auto end = static_cast<LONG>(lParam);
  if (start < 0) {
    Select(window, state, state.caret, state.caret);
    return;
  }
  Select(window, state, std::min<int>(start, n), end < 0 ? n : std::min<int>(end, n));
}

int FontMargin(const State& state) {
  int height = 0;
  int average_width = 0;
  edit::FontMetrics(
      state.font != nullptr ? state.font : static_cast<HFONT>(GetStockObject(SYSTEM_FONT)), height,
      average_width);
  return average_width / 2;
}

void SetMargins(HWND window, State& state, WPARAM flags, LPARAM lParam) {
  const auto pick = [&](WORD value) {
    return flags == EC_USEFONTINFO || value == EC_USEFONTINFO ? FontMargin(state) : int{value};
  };
  const auto value = static_cast<std::uintptr_t>(lParam);
  if (flags == EC_USEFONTINFO || (flags & EC_LEFTMARGIN) != 0) {
    state.left_margin = pick(LOWORD(value));
  }
  if (flags == EC_USEFONTINFO || (flags & EC_RIGHTMARGIN) != 0) {
    state.right_margin = pick(HIWORD(value));
  }
  edit::Refresh(window, state);
}

LRESULT Create(HWND window, State& state, const CREATESTRUCTA* create) {
  const DWORD style = edit::StyleOf(window);
  if ((style & ES_PASSWORD) != 0) state.password = edit::kDefaultPasswordChar;
  if (create != nullptr && create->lpszName != nullptr &&
      (reinterpret_cast<std::uintptr_t>(create->lpszName) >> 16) != 0) {
    state.text = edit::Cased(style, create->lpszName);
  }
  // FIXME: ES_MULTILINE is taken as a single-line edit.
  edit::Refresh(window, state);
  return 0;
}

// Messages that need the state; the rest go to DefWindowProcA.
bool Handle(HWND window, State& state, UINT message, WPARAM wParam, LPARAM lParam,
            LRESULT& result) {
  result = 0;
  switch (message) {
    case WM_CREATE:
      result = Create(window, state, reinterpret_cast<const CREATESTRUCTA*>(lParam));
      return true;
    case WM_SETTEXT:
      edit::SetText(window, reinterpret_cast<const char*>(lParam));
      result = TRUE;
      return true;
    case WM_GETTEXT: {
      if (wParam == 0) return true;
      const std::size_t n = std::min<std::size_t>(state.text.size(), wParam - 1);
      char* out = reinterpret_cast<char*>(lParam);
      state.text.copy(out, n);
      out[n] = '\0';
      result = static_cast<LRESULT>(n);
      return true;
    }
    case WM_GETTEXTLENGTH:
      result = static_cast<LRESULT>(state.text.size());
      return true;
    case WM_SETFONT:
      state.font = reinterpret_cast<HFONT>(wParam);
      state.measured = false;
      if (state.focused) edit::MakeCaret(window, state);
      edit::Refresh(window, state);
      return true;
    case WM_GETFONT:
      result = reinterpret_cast<LRESULT>(state.font);
      return true;
    case WM_GETDLGCODE:
      result = DLGC_WANTCHARS | DLGC_HASSETSEL | DLGC_WANTARROWS;
      return true;
    case WM_ERASEBKGND:
      result = 1;  // the background is painted with the text
      return true;
    case WM_PAINT:
      edit::Paint(window);
      return true;
    case WM_SIZE:
    case WM_STYLECHANGED:
      state.measured = false;
      edit::Refresh(window, state);
      return true;
    case WM_ENABLE:
      InvalidateRect(window, nullptr, FALSE);
      return true;
    case WM_SETFOCUS:
      state.focused = true;
      edit::MakeCaret(window, state);
      InvalidateRect(window, nullptr, FALSE);
      edit::Notify(window, EN_SETFOCUS);
      return true;
    case WM_KILLFOCUS:
      state.focused = false;
      DestroyCaret();
      InvalidateRect(window, nullptr, FALSE);
      edit::Notify(window, EN_KILLFOCUS);
      return true;
    case WM_KEYDOWN:
      KeyDown(window, state, static_cast<UINT>(wParam));
      return true;
    case WM_CHAR:
      Char(window, state, static_cast<char>(wParam));
      return true;
    case WM_SYSKEYDOWN:
      // Alt+Backspace undoes, as Ctrl+Z does.
      if (wParam != VK_BACK || (lParam & kAltDown) == 0) return false;
      EditingKey(window, WM_UNDO);
      return true;
    case WM_LBUTTONDOWN:
      ButtonDown(window, lParam, (wParam & MK_SHIFT) != 0);
      return true;
    case WM_LBUTTONDBLCLK:
      DoubleClick(window, state, lParam);
      return true;
    case WM_MOUSEMOVE:
      // FIXME: no timer scrolls on while the mouse is held still outside.
      if (state.selecting) {
        MoveCaret(window, state, edit::CharFromX(window, state, GET_X_LPARAM(lParam)), true);
      }
      return true;
    case WM_LBUTTONUP:
      if (state.selecting) {
        state.selecting = false;
        ReleaseCapture();
      }
      return true;
    case WM_CAPTURECHANGED:
      state.selecting = false;
      return true;
    case WM_COPY:
      Copy(window, state);
      return true;
    case WM_CUT:
      if ((edit::StyleOf(window) & ES_PASSWORD) != 0 || IsReadOnly(window)) return true;
      Copy(window, state);
      [[fallthrough]];
    case WM_CLEAR:
      if (!IsReadOnly(window) && state.HasSelection()) {
        edit::ReplaceSelection(window, {}, true, false);
      }
      return true;
    case WM_PASTE:
      Paste(window);
      return true;
    case WM_UNDO:
    case EM_UNDO:
      result = !IsReadOnly(window) && edit::Undo(window) ? TRUE : FALSE;
      return true;
    case EM_CANUNDO:
      result = state.can_undo ? TRUE : FALSE;
      return true;
    case EM_EMPTYUNDOBUFFER:
      state.can_undo = false;
      return true;
    case EM_GETSEL: {
      const auto start = static_cast<DWORD>(state.SelStart());
      const auto end = static_cast<DWORD>(state.SelEnd());
      if (wParam != 0) *reinterpret_cast<DWORD*>(wParam) = start;
      if (lParam != 0) *reinterpret_cast<DWORD*>(lParam) = end;
      result = start > 0xFFFF || end > 0xFFFF ? -1 : MAKELPARAM(start, end);
      return true;
    }
    case EM_SETSEL:
      SetSelection(window, state, wParam, lParam);
      return true;
    case EM_SCROLLCARET:
      edit::Refresh(window, state);
      result = TRUE;
      return true;
    case EM_REPLACESEL:
      edit::ReplaceSelection(window, lParam != 0 ? reinterpret_cast<const char*>(lParam) : "",
                             wParam != 0, false);
      return true;
    case EM_GETMODIFY:
      result = state.modified ? TRUE : FALSE;
      return true;
    case EM_SETMODIFY:
      state.modified = wParam != 0;
      return true;
    case EM_LIMITTEXT:
      state.limit = wParam == 0 ? edit::kLargestLimit
                                : static_cast<int>(std::min<WPARAM>(wParam, edit::kLargestLimit));
      return true;
    case EM_GETLIMITTEXT:
      result = state.limit;
      return true;
    case EM_SETREADONLY:
      SetStyleBit(window, ES_READONLY, wParam != 0);
      InvalidateRect(window, nullptr, FALSE);
      result = TRUE;
      return true;
    case EM_SETPASSWORDCHAR:
      state.password = static_cast<char>(wParam);
      SetStyleBit(window, ES_PASSWORD, state.password != 0);
      state.measured = false;
      edit::Refresh(window, state);
      return true;
    case EM_GETPASSWORDCHAR:
      result = static_cast<unsigned char>(state.password);
      return true;
    case EM_SETMARGINS:
      SetMargins(window, state, wParam, lParam);
      return true;
    case EM_GETMARGINS:
      result = MAKELPARAM(state.left_margin, state.right_margin);
      return true;
    case EM_GETRECT:
      if (lParam != 0) *reinterpret_cast<RECT*>(lParam) = edit::FormatRect(window, state);
      return true;
    case EM_POSFROMCHAR: {
      if (wParam > state.text.size()) {
        result = -1;
        return true;
      }
      const RECT format = edit::FormatRect(window, state);
      result = MAKELPARAM(edit::XOfChar(window, state, static_cast<int>(wParam)), format.top);
      return true;
    }
    case EM_CHARFROMPOS:
      result = MAKELPARAM(edit::CharFromX(window, state, GET_X_LPARAM(lParam)), 0);
      return true;
    default:
      // FIXME: no right-button menu, EM_SETRECT or word-break procedures.
      return false;
  }
}

LRESULT EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* state = new State;
    SetLastError(ERROR_SUCCESS);
    if (SetWindowLongPtrA(window, edit::kStateOffset, reinterpret_cast<LONG_PTR>(state)) == 0 &&
        GetLastError() == ERROR_INVALID_INDEX) {
      delete state;
      return FALSE;
    }
    return DefWindowProcA(window, message, wParam, lParam);
  }
  State* state = edit::StateOf(window);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, edit::kStateOffset, 0);
    delete state;
    return DefWindowProcA(window, message, wParam, lParam);
  }
  LRESULT result = 0;
  if (state != nullptr && Handle(window, *state, message, wParam, lParam, result)) return result;
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void RegisterEditClass() {
  RegisterSystemClass("Edit", CS_DBLCLKS | CS_PARENTDC, EditProc, IDC_IBEAM);
}

}  // namespace controls
