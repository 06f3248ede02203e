// The frame of a window, drawn by the default handling of WM_NCPAINT: the
// border, the caption with the window's small icon and text, and the caption
// buttons, in the plain light scheme. A host that shows real windows lets the
// desktop draw its own frame; this one is what a saved whole-window picture
// shows.
#include <algorithm>
#include <cstring>

#include <platform/gdi.h>
#include <platform/icons.h>
#include <platform/text.h>

#include "frame.h"
#include "window_table.h"

namespace user {

namespace {

void Fill(HDC dc, RECT r, int color) {
  FillRect(dc, &r, GetSysColorBrush(color));
}

// A caption button: a raised square with its glyph drawn by `glyph`.
template <typename Glyph>
void Button(HDC dc, RECT r, Glyph glyph) {
  Fill(dc, r, COLOR_BTNFACE);
  RECT edge = r;
  DrawEdge(dc, &edge, EDGE_RAISED, BF_RECT);
  HPEN pen = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_BTNTEXT));
  HGDIOBJ old = SelectObject(dc, pen);
  glyph(r);
  SelectObject(dc, old);
  DeleteObject(pen);
}

void Line(HDC dc, int x0, int y0, int x1, int y1) {
  MoveToEx(dc, x0, y0, nullptr);
  LineTo(dc, x1, y1);
}

void Caption(HDC dc, const Window* w, RECT bar, bool active) {
  Fill(dc, bar, active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION);
  const int size = bar.bottom - bar.top - 4;
  RECT button{bar.right - 2 - size, bar.top + 2, bar.right - 2, bar.bottom - 2};
  int text_right = bar.right - 2;
  if ((w->style & WS_SYSMENU) != 0) {
    Button(dc, button, [&](RECT r) {
      const int inset = size / 4;
      Line(dc, r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
      Line(dc, r.right - inset - 1, r.top + inset, r.left + inset - 1, r.bottom - inset);
    });
    text_right = button.left - 2;
    if ((w->style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0) {
      OffsetRect(&button, -(size + 2), 0);
      Button(dc, button, [&](RECT r) {
        const int inset = size / 4;
        RECT box{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
        FrameRect(dc, &box, GetSysColorBrush(COLOR_BTNTEXT));
        Line(dc, box.left, box.top + 1, box.right, box.top + 1);
      });
      OffsetRect(&button, -size, 0);
      Button(dc, button, [&](RECT r) {
        const int inset = size / 4;
        Line(dc, r.left + inset, r.bottom - inset - 1, r.right - inset, r.bottom - inset - 1);
        Line(dc, r.left + inset, r.bottom - inset - 2, r.right - inset, r.bottom - inset - 2);
      });
      text_right = button.left - 2;
    }
  }
  int text_left = bar.left + 4;
  // A window with a system menu shows its icon at the caption's left, a
  // dialog frame or a tool window none.
  HICON icon = IconOf(w, ICON_SMALL);
  if ((w->style & WS_SYSMENU) != 0 &&
      (w->ex_style & (WS_EX_DLGMODALFRAME | WS_EX_TOOLWINDOW)) == 0 && icon != nullptr) {
    const int side = GetSystemMetrics(SM_CXSMICON);
    DrawIconEx(dc, bar.left + 2, bar.top + (bar.bottom - bar.top - side) / 2, icon, side, side, 0,
               nullptr, DI_NORMAL);
    text_left = bar.left + 2 + side + 2;
  }
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectA(&metrics.lfCaptionFont);
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
  RECT text{text_left, bar.top, text_right, bar.bottom};
  DrawTextA(dc, w->text.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old_font);
  DeleteObject(font);
}

}  // namespace

void PaintFrame(HWND handle) {
  Window* w = Find(handle);
  if (w == nullptr) return;
  const Insets insets = FrameInsets(w->style, w->ex_style);
  if (insets.left == 0 && insets.top == 0) return;
  HDC dc = GetWindowDC(handle);
  if (dc == nullptr) return;
  RECT r{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
  if ((w->style & (WS_THICKFRAME | WS_DLGFRAME)) != 0 || (w->ex_style & WS_EX_DLGMODALFRAME) != 0) {
    // A raised edge, then the rest of the frame in the face colour.
    DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
    const int rest = insets.left - 2 - ((w->ex_style & WS_EX_CLIENTEDGE) != 0 ? 2 : 0);
    for (int i = 0; i < rest; ++i) {
      FrameRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
      InflateRect(&r, -1, -1);
    }
  } else if ((w->style & WS_BORDER) != 0) {
    FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
    InflateRect(&r, -1, -1);
  }
  if ((w->style & WS_CAPTION) == WS_CAPTION) {
    const int height = insets.top - insets.left;
    Caption(dc, w, {r.left, r.top, r.right, r.top + height - 1}, GetActiveWindow() == handle);
    Fill(dc, {r.left, r.top + height - 1, r.right, r.top + height}, COLOR_BTNFACE);
  }
  if ((w->ex_style & WS_EX_CLIENTEDGE) != 0) {
    RECT edge{w->client.left - 2, w->client.top - 2, w->client.right + 2, w->client.bottom + 2};
    DrawEdge(dc, &edge, EDGE_SUNKEN, BF_RECT);
  }
  ReleaseDC(handle, dc);
}

}  // namespace user
