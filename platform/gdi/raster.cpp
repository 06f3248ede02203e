#include "raster.h"

#include <algorithm>

namespace gdi {

std::uint32_t Rop2(int mode, std::uint32_t p, std::uint32_t d) {
  switch (mode) {
    case R2_COPYPEN:
      return p;
    case R2_XORPEN:
      return p ^ d;
    case R2_NOP:
      return d;
    default:
      break;
  }
  const unsigned table = static_cast<unsigned>(mode - 1) & 0xF;
  std::uint32_t result = 0;
  if (table & 1) result |= ~p & ~d;
  if (table & 2) result |= ~p & d;
  if (table & 4) result |= p & ~d;
  if (table & 8) result |= p & d;
  return result & 0xFFFFFF;
}

std::uint32_t Rop3(DWORD rop, std::uint32_t p, std::uint32_t s, std::uint32_t d) {
  const DWORD table = rop >> 16 & 0xFF;
  switch (table) {
    case 0xCC:
      return s;
    case 0xF0:
      return p;
    default:
      break;
  }
  std::uint32_t result = 0;
  for (unsigned i = 0; i < 8; ++i) {
    if ((table >> i & 1) == 0) continue;
    result |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  }
  return result & 0xFFFFFF;
}

namespace {

// The hatches on an 8 x 8 cell: one line in eight, on the cell's last row
// or column, the diagonals through its corners.
bool Hatched(ULONG_PTR hatch, int u, int v) {
  switch (hatch) {
    case HS_HORIZONTAL:
      return v == 7;
    case HS_VERTICAL:
      return u == 7;
    case HS_FDIAGONAL:
      return u == v;
    case HS_BDIAGONAL:
      return u + v == 7;
    case HS_CROSS:
      return u == 7 || v == 7;
    case HS_DIAGCROSS:
      return u == v || u + v == 7;
    default:
      return false;
  }
}

}  // namespace

BrushPixels::BrushPixels(const DeviceContext& dc, const Brush& brush, const Surface& target)
    : brush_(brush), target_(target) {
  auto& state = const_cast<DeviceContext&>(dc).state();
  hollow_ = brush.log.lbStyle == BS_NULL;
  opaque_ = state.background_mode == OPAQUE;
  origin_ = state.brush_origin;
  color_ = target.Match(ToPixel(brush.log.lbColor));
  background_ = target.Match(ToPixel(state.background_color));
  text_ = target.Match(ToPixel(state.text_color));
}

bool BrushPixels::At(int x, int y, std::uint32_t* pixel) const {
  switch (brush_.log.lbStyle) {
    case BS_SOLID:
      *pixel = color_;
      return true;
    case BS_HATCHED:
      if (Hatched(brush_.log.lbHatch, (x - origin_.x) & 7, (y - origin_.y) & 7)) {
        *pixel = color_;
        return true;
      }
      *pixel = background_;
      return opaque_;
    case BS_PATTERN: {
      const Surface& pattern = *brush_.pattern;
      if (pattern.width() == 0 || pattern.height() == 0) return false;
      int u = (x - origin_.x) % pattern.width();
      int v = (y - origin_.y) % pattern.height();
      if (u < 0) u += pattern.width();
      if (v < 0) v += pattern.height();
      const std::uint32_t p = pattern.At(u, v);
      // A monochrome pattern takes the context's colours: text for its
      // black, background for its white.
      *pixel = pattern.monochrome() ? (p != 0 ? background_ : text_) : target_.Match(p);
      return true;
    }
    default:
      return false;
  }
}

void Painter::Fill(const RECT& rect, const Brush& brush, DWORD rop, int rop2) {
  if (!ready()) return;
  BrushPixels pixels(dc_, brush, *target_.surface);
  if (pixels.hollow() && rop2 != 0) return;
  const bool uses_pattern = rop2 != 0 || Rop3UsesPattern(rop);
  if (pixels.hollow() && uses_pattern) return;
  // The common case, a solid copy, row by row.
  if (rop2 == 0 && (rop >> 16 & 0xFF) == 0xF0 && brush.log.lbStyle == BS_SOLID) {
    std::uint32_t pixel;
    pixels.At(0, 0, &pixel);
    ForEach(rect, [&](LONG, LONG, std::uint32_t& d) { d = pixel; });
    return;
  }
  Surface& surface = *target_.surface;
  ForEach(rect, [&](LONG x, LONG y, std::uint32_t& d) {
    std::uint32_t p = 0;
    if (uses_pattern && !pixels.At(x, y, &p)) return;
    d = surface.Match(rop2 != 0 ? Rop2(rop2, p, d) : Rop3(rop, p, 0, d));
  });
}

RECT ToDevice(const DeviceContext& dc, const RECT& rect) {
  const POINT a = dc.ToDevice({rect.left, rect.top});
  const POINT b = dc.ToDevice({rect.right, rect.bottom});
  return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

}  // namespace gdi
