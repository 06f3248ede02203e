// MessageBoxA: a modal box with an icon, wrapped text and a row of "BUTTON"
// windows, running its own message loop until a button, Enter or Escape
// ends it.
//
// Left out: MB_HELP (the Help button and WM_HELP), MB_USERICON, MB_NOFOCUS,
// mnemonics of the buttons and the Ctrl+C copy of the box's text.
#include <algorithm>
#include <cstring>
#include <mutex>
#include <string>
#include <vector>

#include <platform/api.h>

#include "system_classes.h"

namespace {

// Clients find a message box by the class name of the desktop's dialogs.
constexpr char kClassName[] = "#32770";
constexpr int kBoxOffset = 0;  // the Box pointer in the extra bytes
constexpr int kMargin = 12;
constexpr int kIconGap = 12;  // between the icon and the text
constexpr int kIconSize = 32;
constexpr int kButtonWidth = 75;  // at least; a longer caption widens every button
constexpr int kButtonHeight = 23;
constexpr int kButtonGap = 6;
constexpr int kCaptionPadding = 16;  // around a button's caption
constexpr UINT kTextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;

struct ButtonSpec {
  int id;
  const char* caption;
};

struct Box {
  std::string text;
  UINT format = kTextFormat;
  HICON icon = nullptr;
  HFONT font = nullptr;
  RECT text_rect{};
  std::vector<HWND> buttons;
  int default_id = IDOK;
  int escape_id = 0;  // what Escape and the close box answer; 0: nothing
  int result = 0;
  bool done = false;
};

// FIXME: MB_HELP adds no Help button.
std::vector<ButtonSpec> ButtonsOf(UINT type) {
  switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
      return {{IDOK, "OK"}, {IDCANCEL, "Cancel"}};
    case MB_ABORTRETRYIGNORE:
      return {{IDABORT, "&Abort"}, {IDRETRY, "&Retry"}, {IDIGNORE, "&Ignore"}};
    case MB_YESNOCANCEL:
      return {{IDYES, "&Yes"}, {IDNO, "&No"}, {IDCANCEL, "Cancel"}};
    case MB_YESNO:
      return {{IDYES, "&Yes"}, {IDNO, "&No"}};
    case MB_RETRYCANCEL:
      return {{IDRETRY, "&Retry"}, {IDCANCEL, "Cancel"}};
    case MB_CANCELTRYCONTINUE:
      return {{IDCANCEL, "Cancel"}, {IDTRYAGAIN, "&Try Again"}, {IDCONTINUE, "&Continue"}};
    default:
      return {{IDOK, "OK"}};
  }
}

// FIXME: MB_USERICON shows no icon.
LPCSTR IconOf(UINT type) {
  switch (type & MB_ICONMASK) {
    case MB_ICONHAND:
      return IDI_HAND;
    case MB_ICONQUESTION:
      return IDI_QUESTION;
    case MB_ICONEXCLAMATION:
      return IDI_EXCLAMATION;
    case MB_ICONASTERISK:
      return IDI_ASTERISK;
    default:
      return nullptr;
  }
}

// Escape answers Cancel where there is one, and OK in a box with OK alone.
int EscapeId(const std::vector<ButtonSpec>& buttons) {
  for (const ButtonSpec& b : buttons) {
    if (b.id == IDCANCEL) return IDCANCEL;
  }
  return buttons.size() == 1 && buttons.front().id == IDOK ? IDOK : 0;
}

Box* BoxOf(HWND window) {
  return reinterpret_cast<Box*>(GetWindowLongPtrA(window, kBoxOffset));
}

bool HasButton(const Box& box, int id) {
  return std::any_of(box.buttons.begin(), box.buttons.end(),
                     [&](HWND b) { return GetWindowLongA(b, GWL_ID) == id; });
}

// The focused push button is the one Enter presses, and looks it.
void FollowFocus(const Box& box) {
  HWND focus = GetFocus();
  const bool on_button =
      std::find(box.buttons.begin(), box.buttons.end(), focus) != box.buttons.end();
  for (HWND b : box.buttons) {
    const bool is_default = on_button ? b == focus : GetWindowLongA(b, GWL_ID) == box.default_id;
    const DWORD kind = is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    if ((static_cast<DWORD>(GetWindowLongA(b, GWL_STYLE)) & BS_TYPEMASK) != kind) {
      SendMessageA(b, BM_SETSTYLE, kind, TRUE);
    }
  }
}

void Paint(HWND window, const Box& box) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (box.icon != nullptr) {
    DrawIconEx(dc, kMargin, kMargin, box.icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  }
  HGDIOBJ old = SelectObject(dc, box.font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  RECT rect = box.text_rect;
  DrawTextA(dc, box.text.c_str(), -1, &rect, box.format);
  SelectObject(dc, old);
  EndPaint(window, &paint);
}

LRESULT BoxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    SetWindowLongPtrA(window, kBoxOffset, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  Box* box = BoxOf(window);
  if (box == nullptr) return DefWindowProcA(window, message, wParam, lParam);
  switch (message) {
    case WM_PAINT:
      Paint(window, *box);
      return 0;
    case WM_COMMAND: {
      if (HIWORD(wParam) != BN_CLICKED) return 0;
      int id = LOWORD(wParam);
      if (id == IDCANCEL && !HasButton(*box, IDCANCEL)) id = box->escape_id;
      if (id != 0 && HasButton(*box, id)) {
        box->result = id;
        box->done = true;
      }
      return 0;
    }
    case DM_GETDEFID:
      return MAKELPARAM(box->default_id, DC_HASDEFID);
    case WM_CLOSE:
      SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
      return 0;
    default:
      return DefWindowProcA(window, message, wParam, lParam);
  }
}

void RegisterBoxClass() {
  controls::RegisterSystemClass(kClassName, CS_SAVEBITS, BoxProc, IDC_ARROW,
                                GetSysColorBrush(COLOR_BTNFACE));
}

std::string WithoutAccelerator(const char* caption) {
  std::string s(caption);
  std::erase(s, '&');
  return s;
}

struct Layout {
  SIZE client;
  int button_width;
};

// Places the text beside the icon and measures the buttons' row, with the
// box's font, the text wrapped at five eighths of the work area's width.
Layout Measure(Box& box, const std::vector<ButtonSpec>& specs, const RECT& work) {
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, box.font);
  const int text_left = kMargin + (box.icon != nullptr ? kIconSize + kIconGap : 0);
  RECT text{0, 0, (work.right - work.left) * 5 / 8 - text_left - kMargin, 0};
  DrawTextA(dc, box.text.c_str(), -1, &text, box.format | DT_CALCRECT);
  int button_width = kButtonWidth;
  for (const ButtonSpec& b : specs) {
    const std::string caption = WithoutAccelerator(b.caption);
    SIZE size{};
    GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &size);
    button_width = std::max<int>(button_width, size.cx + kCaptionPadding);
  }
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);

  const int text_width = text.right - text.left;
  const int text_height = text.bottom - text.top;
  const int content = std::max(text_height, box.icon != nullptr ? kIconSize : 0);
  const int text_top = kMargin + (content - text_height) / 2;
  box.text_rect = {text_left, text_top, text_left + text_width, text_top + text_height};
  const int count = static_cast<int>(specs.size());
  const int row = count * button_width + (count - 1) * kButtonGap;
  return {{std::max(text_left + text_width, kMargin + row) + kMargin,
           kMargin + content + kMargin + kButtonHeight + kMargin},
          button_width};
}

// The thread's visible, enabled top-level windows, which the box disables.
BOOL CollectEnabled(HWND window, LPARAM list) {
  if (IsWindowVisible(window) && IsWindowEnabled(window)) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
  }
  return TRUE;
}

}  // namespace

// Ctrl+C in a box puts its caption, text and buttons on the clipboard, each
// part between lines of dashes, the buttons one after another.
void CopyBox(const std::string& caption, const Box& box, const std::vector<ButtonSpec>& specs) {
  const std::string rule = "---------------------------\r\n";
  std::string copy = rule + caption + "\r\n" + rule + box.text + "\r\n" + rule;
  for (const ButtonSpec& b : specs) copy += WithoutAccelerator(b.caption) + "   ";
  copy += "\r\n" + rule;
  if (OpenClipboard(nullptr) == 0) return;
  EmptyClipboard();
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, copy.size() + 1);
  if (memory != nullptr) {
    auto* bytes = static_cast<char*>(GlobalLock(memory));
    std::memcpy(bytes, copy.c_str(), copy.size() + 1);
    GlobalUnlock(memory);
    if (SetClipboardData(CF_TEXT, memory) == nullptr) GlobalFree(memory);
  }
  CloseClipboard();
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT type) {
  if (owner != nullptr && !IsWindow(owner)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  static std::once_flag registered;
  std::call_once(registered, RegisterBoxClass);

  HWND owner_top = owner != nullptr ? GetAncestor(owner, GA_ROOT) : nullptr;
  HWND was_active = GetActiveWindow();
  const std::vector<ButtonSpec> specs = ButtonsOf(type);
  Box box;
  box.text = text != nullptr ? text : "";
  if ((type & MB_RIGHT) != 0) box.format |= DT_RIGHT;
  if ((type & MB_RTLREADING) != 0) box.format |= DT_RTLREADING;
  if (LPCSTR icon = IconOf(type)) box.icon = LoadIconA(nullptr, icon);
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof(metrics);
  box.font = SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0)
                 ? CreateFontIndirectA(&metrics.lfMessageFont)
                 : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  const std::size_t default_index = (type & MB_DEFMASK) / MB_DEFBUTTON2;
  box.default_id = specs[default_index < specs.size() ? default_index : 0].id;
  box.escape_id = EscapeId(specs);

  RECT work;
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  const Layout layout = Measure(box, specs, work);
  const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  const DWORD ex_style = WS_EX_DLGMODALFRAME | ((type & MB_TOPMOST) != 0 ? WS_EX_TOPMOST : 0);
  RECT frame{0, 0, layout.client.cx, layout.client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, ex_style);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  HWND window = CreateWindowExA(ex_style, kClassName, caption != nullptr ? caption : "Error", style,
                                work.left + (work.right - work.left - width) / 2,
                                work.top + (work.bottom - work.top - height) / 2, width, height,
                                owner_top, nullptr, nullptr, &box);
  if (window == nullptr) {
    DeleteObject(box.font);
    return 0;
  }
  const int count = static_cast<int>(specs.size());
  int x = (layout.client.cx - (count * layout.button_width + (count - 1) * kButtonGap)) / 2;
  const int y = layout.client.cy - kMargin - kButtonHeight;
  for (const ButtonSpec& b : specs) {
    const DWORD kind = b.id == box.default_id ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    HWND button = CreateWindowExA(0, "BUTTON", b.caption, WS_CHILD | WS_VISIBLE | WS_TABSTOP | kind,
                                  x, y, layout.button_width, kButtonHeight, window,
                                  reinterpret_cast<HMENU>(static_cast<std::intptr_t>(b.id)),
                                  nullptr, nullptr);
    SendMessageA(button, WM_SETFONT, reinterpret_cast<WPARAM>(box.font), FALSE);
    box.buttons.push_back(button);
    x += layout.button_width + kButtonGap;
  }

  // Modal to the whole thread: every other window waits for the answer.
  // FIXME: MB_APPLMODAL, MB_TASKMODAL and MB_SYSTEMMODAL are not told apart.
  std::vector<HWND> disabled;
  EnumThreadWindows(GetCurrentThreadId(), CollectEnabled, reinterpret_cast<LPARAM>(&disabled));
  std::erase(disabled, window);
  // The owner waits even while hidden, as an application's own window may be.
  if (owner_top != nullptr && IsWindowEnabled(owner_top) &&
      std::find(disabled.begin(), disabled.end(), owner_top) == disabled.end()) {
    disabled.push_back(owner_top);
  }
  for (HWND w : disabled) EnableWindow(w, FALSE);

  ShowWindow(window, SW_SHOW);
  if ((type & MB_SETFOREGROUND) != 0) SetForegroundWindow(window);
  for (HWND b : box.buttons) {
    if (GetWindowLongA(b, GWL_ID) == box.default_id) SetFocus(b);
  }
  if (box.icon != nullptr) MessageBeep(type & MB_ICONMASK);

  MSG msg;
  while (!box.done) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE) && owner_top != nullptr) {
      SendMessageA(owner_top, WM_ENTERIDLE, MSGF_DIALOGBOX, reinterpret_cast<LPARAM>(window));
    }
    if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
      // The quit is for the loop outside, which must see it too.
      PostQuitMessage(static_cast<int>(msg.wParam));
      box.result = box.escape_id;
      break;
    }
    // FIXME: no mnemonics (Alt+Y).
    if (msg.message == WM_KEYDOWN && msg.wParam == 'C' && GetKeyState(VK_CONTROL) < 0) {
      CopyBox(caption != nullptr ? caption : "Error", box, specs);
      continue;
    }
    if (!IsDialogMessageA(window, &msg)) {
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    FollowFocus(box);
  }

  // The owner is enabled before the box goes, so the activation returns to it.
  for (HWND w : disabled) EnableWindow(w, TRUE);
  DestroyWindow(window);
  HWND reactivate = owner_top != nullptr ? owner_top : was_active;
  if (reactivate != nullptr && IsWindow(reactivate) && GetActiveWindow() != reactivate) {
    SetActiveWindow(reactivate);
  }
  DeleteObject(box.font);
  return box.result;
}
