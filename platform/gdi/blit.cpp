// BitBlt and StretchBlt: the source is read into a buffer of the
// destination's size first (so a context may copy onto itself), then
// combined with the destination through the raster operation. A plain copy
// of colour pixels at the same size between two surfaces goes row by row.
//
// Colours between monochrome and colour follow the desktop API: a
// monochrome source gives the destination's text colour for its black and
// background colour for its white; a colour source gives a monochrome
// destination white where it has its own background colour, black elsewhere.
#include <algorithm>
#include <vector>

#include <platform/gdi.h>

#include "device_context.h"
#include "raster.h"

using gdi::DeviceContext;

BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int source_x, int source_y,
                int source_width, int source_height, DWORD rop) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return FALSE;
  if (!gdi::Rop3UsesSource(rop)) return PatBlt(dc, x, y, width, height, rop);
  DeviceContext* from = DeviceContext::FromHandle(source);
  if (from == nullptr) return FALSE;
  if (width == 0 || height == 0 || source_width == 0 || source_height == 0) return TRUE;

  const RECT target = gdi::ToDevice(*context, RECT{x, y, x + width, y + height});
  const RECT origin = gdi::ToDevice(
      *from, RECT{source_x, source_y, source_x + source_width, source_y + source_height});
  // Opposite signs mirror the picture along that axis.
  const bool mirror_x = (width < 0) != (source_width < 0);
  const bool mirror_y = (height < 0) != (source_height < 0);
  const LONG tw = target.right - target.left, th = target.bottom - target.top;
  const LONG sw = origin.right - origin.left, sh = origin.bottom - origin.top;

  gdi::Painter in(*from);
  gdi::Painter out(*context);
  if (!in.ready() || !out.ready()) return TRUE;
  const gdi::Surface& source_surface = in.surface();
  gdi::Surface& surface = out.surface();
  const bool simple_copy = (rop >> 16 & 0xFF) == 0xCC;
  const DeviceContext::Target reach = from->Resolve();
  if (simple_copy && tw == sw && th == sh && !mirror_x && !mirror_y &&
      &source_surface != &surface && !source_surface.monochrome() && !surface.monochrome()) {
    // A colour copy at the same size between two surfaces: pixel for pixel,
    // as the general path below gives it, without its scaling and buffer.
    const LONG dx = origin.left + reach.offset.x - target.left;
    const LONG dy = origin.top + reach.offset.y - target.top;
    out.ForEachSpan(target, [&](LONG y, LONG left, LONG right, std::uint32_t* row) {
      const LONG sy = y + dy;
      if (sy < 0 || sy >= source_surface.height()) return;
      const LONG from_x = std::max(left, -dx);
      const LONG to_x = std::min(right, source_surface.width() - dx);
      const std::uint32_t* source_row = source_surface.Row(sy);
      for (LONG x = from_x; x < to_x; ++x) row[x] = source_row[x + dx] & 0xFFFFFF;
    });
    return TRUE;
  }
  const std::uint32_t text = gdi::ToPixel(context->state().text_color);
  const std::uint32_t background = gdi::ToPixel(context->state().background_color);
  const std::uint32_t source_background = gdi::ToPixel(from->state().background_color);

  // The source pixel for each target pixel, or none outside the source.
  std::vector<std::uint32_t> pixels(static_cast<std::size_t>(tw) * th);
  std::vector<bool> present(pixels.size());
  for (LONG j = 0; j < th; ++j) {
    LONG v = j * sh / th;
    if (mirror_y) v = sh - 1 - v;
    const LONG sy = origin.top + v + reach.offset.y;
    if (sy < 0 || sy >= source_surface.height()) continue;
    for (LONG i = 0; i < tw; ++i) {
      LONG u = i * sw / tw;
      if (mirror_x) u = sw - 1 - u;
      const LONG sx = origin.left + u + reach.offset.x;
      if (sx < 0 || sx >= source_surface.width()) continue;
      std::uint32_t p = source_surface.At(sx, sy) & 0xFFFFFF;
      if (source_surface.monochrome() && !surface.monochrome()) {
        p = p != 0 ? background : text;
      } else if (!source_surface.monochrome() && surface.monochrome()) {
        p = p == source_background ? 0xFFFFFF : 0;
      }
      pixels[j * tw + i] = p;
      present[j * tw + i] = true;
    }
  }

  std::shared_ptr<gdi::Brush> brush = context->state().brush;
  gdi::BrushPixels pattern(*context, *brush, surface);
  const bool uses_pattern = gdi::Rop3UsesPattern(rop);
  out.ForEach(target, [&](LONG px, LONG py, std::uint32_t& d) {
    const std::size_t k = static_cast<std::size_t>(py - target.top) * tw + (px - target.left);
    if (!present[k]) return;
    if (simple_copy) {
      d = surface.Match(pixels[k]);
      return;
    }
    std::uint32_t p = 0;
    if (uses_pattern) pattern.At(px, py, &p);
    d = surface.Match(gdi::Rop3(rop, p, pixels[k], d));
  });
  return TRUE;
}

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int source_x, int source_y,
            DWORD rop) {
  return StretchBlt(dc, x, y, width, height, source, source_x, source_y, width, height, rop);
}
