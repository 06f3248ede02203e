// Rectangles, fills, pixels, pattern blits, edges and the focus rectangle.
#include <algorithm>

#include <platform/gdi.h>
#include <platform/windows.h>

#include "device_context.h"
#include "raster.h"

using gdi::DeviceContext;

namespace {

// A solid brush of one colour, for the fills that use none of the context's.
gdi::Brush SolidBrush(COLORREF color) {
  gdi::Brush brush;
  brush.log = {BS_SOLID, color, 0};
  return brush;
}

}  // namespace

int FillRect(HDC dc, const RECT* rect, HBRUSH handle) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  std::shared_ptr<gdi::Brush> brush = gdi::LookupBrush(handle);
  if (context == nullptr || rect == nullptr || brush == nullptr) return 0;
  // The rectangle is taken as given: right and bottom edges left out, and a
  // reversed one is empty.
  if (rect->right <= rect->left || rect->bottom <= rect->top) return 1;
  gdi::Painter painter(*context);
  painter.Fill(gdi::ToDevice(*context, *rect), *brush, PATCOPY);
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH handle) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  std::shared_ptr<gdi::Brush> brush = gdi::LookupBrush(handle);
  if (context == nullptr || rect == nullptr || brush == nullptr) return 0;
  if (rect->right <= rect->left || rect->bottom <= rect->top) return 1;
  const RECT r = gdi::ToDevice(*context, *rect);
  gdi::Painter painter(*context);
  const RECT sides[] = {
      {r.left, r.top, r.right, r.top + 1},
      {r.left, r.bottom - 1, r.right, r.bottom},
      {r.left, r.top + 1, r.left + 1, r.bottom - 1},
      {r.right - 1, r.top + 1, r.right, r.bottom - 1},
  };
  for (const RECT& side : sides) {
    if (!gdi::IsEmpty(side)) painter.Fill(side, *brush, PATCOPY);
  }
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || rect == nullptr) return FALSE;
  gdi::Painter painter(*context);
  if (!painter.ready()) return TRUE;
  painter.ForEach(gdi::ToDevice(*context, *rect),
                  [&](LONG, LONG, std::uint32_t& d) { d = painter.surface().Match(~d); });
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return FALSE;
  if (gdi::Rop3UsesSource(rop)) return FALSE;
  const RECT rect = gdi::ToDevice(*context, RECT{x, y, x + width, y + height});
  gdi::Painter painter(*context);
  painter.Fill(rect, *context->state().brush, rop);
  return TRUE;
}

BOOL Rectangle(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return FALSE;
  const RECT r = gdi::ToDevice(*context, RECT{left, top, right, bottom});
  if (r.right - r.left < 2 || r.bottom - r.top < 2) return TRUE;
  const gdi::DcState& state = context->state();
  const gdi::Pen& pen = *state.pen;
  const int style = pen.style();
  gdi::Painter painter(*context);
  if (!painter.ready()) return TRUE;
  if (style == PS_NULL) {
    // Without a pen the filled area is one pixel smaller each way.
    painter.Fill({r.left, r.top, r.right - 1, r.bottom - 1}, *state.brush, 0, state.rop2);
    return TRUE;
  }
  const int w = pen.width();
  if (w > 1) {
    // A wide pen is laid along the outline's centre line, or just inside
    // the rectangle for PS_INSIDEFRAME; the corners are square.
    const bool inside = style == PS_INSIDEFRAME;
    const RECT outer = inside ? r
                              : RECT{r.left - (w - 1) / 2, r.top - (w - 1) / 2,
                                     r.right - 1 + w / 2 + 1, r.bottom - 1 + w / 2 + 1};
    const RECT inner{outer.left + w, outer.top + w, outer.right - w, outer.bottom - w};
    if (!gdi::IsEmpty(inner)) painter.Fill(inner, *state.brush, 0, state.rop2);
    const std::uint32_t color = gdi::ToPixel(pen.log.lopnColor);
    painter.ForEach(outer, [&](LONG x, LONG y, std::uint32_t& d) {
      if (x >= inner.left && x < inner.right && y >= inner.top && y < inner.bottom) return;
      d = painter.surface().Match(gdi::Rop2(state.rop2, painter.surface().Match(color), d));
    });
    return TRUE;
  }
  painter.Fill({r.left + 1, r.top + 1, r.right - 1, r.bottom - 1}, *state.brush, 0, state.rop2);
  const POINT outline[] = {{r.left, r.top},
                           {r.right - 1, r.top},
                           {r.right - 1, r.bottom - 1},
                           {r.left, r.bottom - 1},
                           {r.left, r.top}};
  gdi::StrokePolyline(*context, outline, 5);
  return TRUE;
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return CLR_INVALID;
  gdi::Painter painter(*context);
  const POINT p = context->ToDevice({x, y});
  if (!painter.ready() || !painter.Visible(p.x, p.y)) return CLR_INVALID;
  const std::uint32_t pixel = painter.surface().Match(gdi::ToPixel(color));
  painter.At(p.x, p.y) = pixel;
  return gdi::ToColor(pixel);
}

COLORREF GetPixel(HDC dc, int x, int y) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return CLR_INVALID;
  gdi::Painter painter(*context);
  const POINT p = context->ToDevice({x, y});
  if (!painter.ready() || !painter.Visible(p.x, p.y)) return CLR_INVALID;
  return gdi::ToColor(painter.At(p.x, p.y));
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || rect == nullptr) return FALSE;
  const RECT r = gdi::ToDevice(*context, *rect);
  gdi::Painter painter(*context);
  if (!painter.ready() || gdi::IsEmpty(r)) return TRUE;
  // Every other pixel of the frame inverted, so drawing it again removes it.
  painter.ForEach(r, [&](LONG x, LONG y, std::uint32_t& d) {
    const bool frame = x == r.left || x == r.right - 1 || y == r.top || y == r.bottom - 1;
    if (frame && ((x + y) & 1) == 0) d = painter.surface().Match(~d);
  });
  return TRUE;
}

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || rect == nullptr) return FALSE;
  RECT r = *rect;
  gdi::Painter painter(*context);
  // Each ring: its top-left colour and its bottom-right colour; the
  // top-right and bottom-left corner pixels belong to the bottom-right.
  struct Ring {
    UINT raised, sunken;
    int raised_light, raised_dark, sunken_light, sunken_dark;
  };
  const bool soft = (flags & BF_SOFT) != 0;
  const Ring rings[] = {
      {BDR_RAISEDOUTER, BDR_SUNKENOUTER, soft ? COLOR_BTNHIGHLIGHT : COLOR_3DLIGHT,
       COLOR_3DDKSHADOW, soft ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT},
      {BDR_RAISEDINNER, BDR_SUNKENINNER, soft ? COLOR_3DLIGHT : COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW,
       soft ? COLOR_BTNSHADOW : COLOR_3DDKSHADOW, COLOR_3DLIGHT},
  };
  for (int i = 0; i < 2; ++i) {
    const Ring& ring = rings[i];
    if ((edge & (ring.raised | ring.sunken)) == 0) continue;
    const RECT d = gdi::ToDevice(*context, r);
    int light, dark;
    if ((flags & BF_MONO) != 0) {
      light = dark = i == 0 ? COLOR_WINDOWFRAME : COLOR_WINDOW;
    } else if ((flags & BF_FLAT) != 0) {
      light = dark = i == 0 ? COLOR_BTNSHADOW : COLOR_BTNFACE;
    } else if ((edge & ring.raised) != 0) {
      light = ring.raised_light;
      dark = ring.raised_dark;
    } else {
      light = ring.sunken_light;
      dark = ring.sunken_dark;
    }
    const gdi::Brush tl = SolidBrush(GetSysColor(light));
    const gdi::Brush br = SolidBrush(GetSysColor(dark));
    if (painter.ready()) {
      if (flags & BF_TOP) painter.Fill({d.left, d.top, d.right - 1, d.top + 1}, tl, PATCOPY);
      if (flags & BF_LEFT) painter.Fill({d.left, d.top, d.left + 1, d.bottom - 1}, tl, PATCOPY);
      if (flags & BF_RIGHT) painter.Fill({d.right - 1, d.top, d.right, d.bottom}, br, PATCOPY);
      if (flags & BF_BOTTOM) painter.Fill({d.left, d.bottom - 1, d.right, d.bottom}, br, PATCOPY);
    }
    if (flags & BF_LEFT) ++r.left;
    if (flags & BF_TOP) ++r.top;
    if (flags & BF_RIGHT) --r.right;
    if (flags & BF_BOTTOM) --r.bottom;
  }
  if ((flags & BF_MIDDLE) != 0 && painter.ready() && r.right > r.left && r.bottom > r.top) {
    const gdi::Brush face =
        SolidBrush(GetSysColor((flags & BF_MONO) ? COLOR_WINDOW : COLOR_BTNFACE));
    painter.Fill(gdi::ToDevice(*context, r), face, PATCOPY);
  }
  if ((flags & BF_ADJUST) != 0) *rect = r;
  return TRUE;
}
