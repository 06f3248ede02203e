// The default handling of messages.
#include <algorithm>
#include <cstring>

#include <platform/gdi.h>

#include "../gdi/rect_list.h"
#include "delivery.h"
#include "frame.h"
#include "window_table.h"

namespace {

LRESULT HitTest(user::Window* w, POINT screen) {
  const RECT rect = user::ScreenRect(w);
  if (!gdi::Contains(rect, screen)) return HTNOWHERE;
  const RECT client = user::ClientScreenRect(w);
  if (gdi::Contains(client, screen)) return HTCLIENT;
  const user::Insets frame = user::FrameInsets(w->style, w->ex_style);
  const int border = frame.left;
  if (screen.y >= rect.top + border && screen.y < client.top && screen.x >= rect.left + border &&
      screen.x < rect.right - border) {
    // The caption: close, maximise and minimise buttons sit at its right end.
    const int button = GetSystemMetrics(SM_CXSIZE);
    const int from_right = rect.right - border - screen.x;
    if ((w->style & WS_SYSMENU) != 0 && from_right <= button + 2) return HTCLOSE;
    return HTCAPTION;
  }
  return HTBORDER;
}

bool IsButtonDown(UINT message) {
  return message == WM_LBUTTONDOWN || message == WM_RBUTTONDOWN || message == WM_MBUTTONDOWN ||
         message == WM_XBUTTONDOWN;
}

LPCSTR SizingCursor(LRESULT hit) {
  switch (hit) {
    case HTLEFT:
    case HTRIGHT:
      return IDC_SIZEWE;
    case HTTOP:
    case HTBOTTOM:
      return IDC_SIZENS;
    case HTTOPLEFT:
    case HTBOTTOMRIGHT:
      return IDC_SIZENWSE;
    case HTTOPRIGHT:
    case HTBOTTOMLEFT:
      return IDC_SIZENESW;
    default:
      return IDC_ARROW;
  }
}

// wParam is the window under the mouse, lParam the hit code and the mouse
// message. TRUE once a cursor is set, so that nobody sets another.
LRESULT SetCursorDefault(user::Window* w, WPARAM wParam, LPARAM lParam) {
  const auto hit = static_cast<SHORT>(LOWORD(static_cast<std::uintptr_t>(lParam)));
  const UINT mouse = HIWORD(static_cast<std::uintptr_t>(lParam));
  // A child's parent is asked first and may settle it.
  if ((w->style & WS_CHILD) != 0 && w->parent != nullptr &&
      SendMessageA(w->parent->handle, WM_SETCURSOR, wParam, lParam) != 0) {
    return TRUE;
  }
  if (hit == HTCLIENT) {
    const user::Window* under = user::Find(reinterpret_cast<HWND>(wParam));
    if (under == nullptr || under->cls == nullptr) under = w;
    if (under->cls == nullptr || under->cls->info.hCursor == nullptr) return FALSE;
    SetCursor(under->cls->info.hCursor);
    return TRUE;
  }
  // A click on a disabled window, one under a modal window for instance.
  if (hit == HTERROR && IsButtonDown(mouse)) MessageBeep(0);
  SetCursor(LoadCursorA(nullptr, SizingCursor(hit)));
  return TRUE;
}

// The caption shows the window's text and icon: it is drawn again with the
// frame's next painting.
void RepaintCaption(user::Window* w) {
  if ((w->style & WS_CAPTION) != WS_CAPTION) return;
  std::lock_guard guard(user::Lock());
  w->ncpaint = true;
}

}  // namespace

LRESULT DefWindowProcA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  user::Window* w = user::Find(window);
  if (w == nullptr) return 0;
  const user::DefaultHandlingScope inside_default;
  switch (message) {
    case WM_SHOWWINDOW:
      // Its owner hides or shows its pop-ups.
      if (lParam == SW_PARENTCLOSING || lParam == SW_PARENTOPENING) {
        ShowWindow(window, wParam != 0 ? SW_SHOWNOACTIVATE : SW_HIDE);
      }
      return 0;
    case WM_SETICON: {
      HICON& slot = wParam == ICON_BIG ? w->big_icon : w->small_icon;
      const HICON previous = slot;
      slot = reinterpret_cast<HICON>(lParam);
      RepaintCaption(w);
      return reinterpret_cast<LRESULT>(previous);
    }
    case WM_GETICON:
      return reinterpret_cast<LRESULT>(wParam == ICON_BIG ? w->big_icon : w->small_icon);
    case WM_NCCREATE: {
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (create != nullptr && create->lpszName != nullptr &&
          (reinterpret_cast<std::uintptr_t>(create->lpszName) >> 16) != 0) {
        w->text = create->lpszName;
      }
      return TRUE;
    }
    case WM_NCCALCSIZE: {
      RECT* rect = reinterpret_cast<RECT*>(lParam);
      if (rect == nullptr) return 0;
      const user::Insets insets = user::FrameInsets(w->style, w->ex_style);
      rect->left += insets.left;
      rect->top += insets.top;
      rect->right = std::max(rect->left, rect->right - insets.right);
      rect->bottom = std::max(rect->top, rect->bottom - insets.bottom);
      return 0;
    }
    case WM_SETTEXT:
      w->text = lParam != 0 ? reinterpret_cast<const char*>(lParam) : "";
      RepaintCaption(w);
      return TRUE;
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      const std::size_t n = std::min<std::size_t>(w->text.size(), wParam - 1);
      char* out = reinterpret_cast<char*>(lParam);
      std::memcpy(out, w->text.data(), n);
      out[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(w->text.size());
    case WM_NCHITTEST:
      return HitTest(w, {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
    case WM_SETCURSOR:
      return SetCursorDefault(w, wParam, lParam);
    case WM_SETREDRAW:
      // Drawing is off while the bit is clear: invalidation records nothing
      // and no WM_PAINT comes. Turning it on repaints nothing by itself.
      {
        std::lock_guard guard(user::Lock());
        w->style = wParam != 0 ? w->style | WS_VISIBLE : w->style & ~WS_VISIBLE;
      }
      return 0;
    case WM_MOUSEWHEEL:
      // A child that does not scroll hands the wheel to its parent.
      if ((w->style & WS_CHILD) != 0 && w->parent != nullptr) {
        return SendMessageA(w->parent->handle, WM_MOUSEWHEEL, wParam, lParam);
      }
      return 0;
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_CLOSE) SendMessageA(window, WM_CLOSE, 0, 0);
      return 0;
    case WM_CLOSE:
      DestroyWindow(window);
      return 0;
    case WM_ERASEBKGND: {
      HBRUSH brush = w->cls != nullptr ? w->cls->info.hbrBackground : nullptr;
      if (brush == nullptr) return 0;
      RECT client;
      GetClientRect(window, &client);
      return FillRect(reinterpret_cast<HDC>(wParam), &client, brush) != 0 ? 1 : 0;
    }
    case WM_PAINT: {
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    case WM_MOUSEACTIVATE:
      if (w->parent != nullptr) {
        const LRESULT parent = SendMessageA(w->parent->handle, WM_MOUSEACTIVATE, wParam, lParam);
        if (parent != 0) return parent;
      }
      return MA_ACTIVATE;
    case WM_ACTIVATE:
      if (LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) SetFocus(window);
      return 0;
    case WM_NCACTIVATE: {
      std::lock_guard guard(user::Lock());
      w->ncpaint = true;
      return TRUE;
    }
    case WM_NCPAINT:
      user::PaintFrame(window);
      return 0;
    case WM_CANCELMODE:
      if (GetCapture() == window) ReleaseCapture();
      return 0;
    case WM_WINDOWPOSCHANGED: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(lParam);
      if (pos == nullptr) return 0;
      if ((pos->flags & user::kNoClientMove) == 0) {
        SendMessageA(window, WM_MOVE, 0,
                     MAKELPARAM(w->rect.left + w->client.left, w->rect.top + w->client.top));
      }
      w = user::Find(window);
      if (w != nullptr && (pos->flags & user::kNoClientSize) == 0) {
        const WPARAM kind = (w->style & WS_MINIMIZE) != 0   ? SIZE_MINIMIZED
                            : (w->style & WS_MAXIMIZE) != 0 ? SIZE_MAXIMIZED
                                                            : SIZE_RESTORED;
        SendMessageA(
            window, WM_SIZE, kind,
            MAKELPARAM(w->client.right - w->client.left, w->client.bottom - w->client.top));
      }
      return 0;
    }
    case WM_GETMINMAXINFO: {
      auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
      if (info == nullptr) return 0;
      const int cx = GetSystemMetrics(SM_CXSCREEN);
      const int cy = GetSystemMetrics(SM_CYSCREEN);
      info->ptMaxSize = {cx, cy};
      info->ptMaxPosition = {0, 0};
      info->ptMinTrackSize = {GetSystemMetrics(SM_CXMIN), GetSystemMetrics(SM_CYMIN)};
      info->ptMaxTrackSize = {cx, cy};
      return 0;
    }
    case WM_SYSKEYDOWN:
      if (wParam == VK_F4 && (lParam & (1 << 29)) != 0) {
        HWND top = window;
        while (GetParent(top) != nullptr && (GetWindowLongA(top, GWL_STYLE) & WS_CHILD) != 0) {
          top = GetParent(top);
        }
        SendMessageA(top, WM_SYSCOMMAND, SC_CLOSE, 0);
      }
      return 0;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      const bool edit = message == WM_CTLCOLOREDIT || message == WM_CTLCOLORLISTBOX;
      HDC dc = reinterpret_cast<HDC>(wParam);
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(edit ? COLOR_WINDOW : COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(edit ? COLOR_WINDOW : COLOR_BTNFACE));
    }
    default:
      return 0;
  }
}
