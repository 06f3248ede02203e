// The pixel work shared by the drawing calls: raster operations, brushes as
// pixel sources, and writing through a context's clipping.
#pragma once

#include <cstdint>

#include "device_context.h"

namespace gdi {

// The sixteen line modes: `mode` is R2_BLACK (1) .. R2_WHITE (16), and its
// value minus one is the truth table of pen P and destination D, bit
// (P << 1 | D) giving the result for that pair, bit by bit of the colour.
std::uint32_t Rop2(int mode, std::uint32_t pen, std::uint32_t destination);

// The 256 blit operations: bits 16..23 of `rop` are the truth table of
// pattern P, source S and destination D, bit (P << 2 | S << 1 | D).
std::uint32_t Rop3(DWORD rop, std::uint32_t pattern, std::uint32_t source,
                   std::uint32_t destination);
inline bool Rop3UsesSource(DWORD rop) {
  const DWORD table = rop >> 16 & 0xFF;
  return ((table >> 2 ^ table) & 0x33) != 0;
}
inline bool Rop3UsesPattern(DWORD rop) {
  const DWORD table = rop >> 16 & 0xFF;
  return ((table >> 4 ^ table) & 0x0F) != 0;
}

// A brush realised for one context: its pixel at each device point, or none
// where a hatch leaves the background alone (TRANSPARENT mode).
class BrushPixels {
 public:
  BrushPixels(const DeviceContext& dc, const Brush& brush, const Surface& target);
  bool hollow() const { return hollow_; }
  bool At(int x, int y, std::uint32_t* pixel) const;

 private:
  const Brush& brush_;
  bool hollow_ = false;
  bool opaque_ = true;
  POINT origin_;
  std::uint32_t color_ = 0;
  std::uint32_t background_ = 0;
  std::uint32_t text_ = 0;
  const Surface& target_;
};

// Drawing into one context: device coordinates in, clipped, surface out.
class Painter {
 public:
  explicit Painter(DeviceContext& dc) : dc_(dc), target_(dc.Resolve()) {}
  bool ready() const { return target_.surface != nullptr; }
  Surface& surface() { return *target_.surface; }
  const RectList& clip() const { return target_.clip; }
  bool Visible(int x, int y) const { return Contains(target_.clip, POINT{x, y}); }
  std::uint32_t& At(int x, int y) {
    return target_.surface->At(x + target_.offset.x, y + target_.offset.y);
  }

  // One pixel through a line mode.
  void Plot(int x, int y, std::uint32_t pixel, int rop2) {
    if (!Visible(x, y)) return;
    std::uint32_t& d = At(x, y);
    d = target_.surface->Match(Rop2(rop2, target_.surface->Match(pixel), d));
  }

  // Every visible pixel of `rect` (device coordinates) through `apply`,
  // which takes the device point and the pixel to change.
  template <typename Apply>
  void ForEach(const RECT& rect, Apply apply) {
    ForEachSpan(rect, [&](LONG y, LONG left, LONG right, std::uint32_t* row) {
      for (LONG x = left; x < right; ++x) apply(x, y, row[x]);
    });
  }

  // apply(y, left, right, row) for each visible run of `rect`'s rows; row[x]
  // is the pixel at device x.
  template <typename Apply>
  void ForEachSpan(const RECT& rect, Apply apply) {
    for (const RECT& c : target_.clip) {
      const LONG left = std::max(c.left, rect.left), right = std::min(c.right, rect.right);
      const LONG top = std::max(c.top, rect.top), bottom = std::min(c.bottom, rect.bottom);
      if (left >= right) continue;
      for (LONG y = top; y < bottom; ++y) {
        apply(y, left, right, target_.surface->Row(y + target_.offset.y) + target_.offset.x);
      }
    }
  }

  // `rect` filled with a brush through a blit operation (PATCOPY for plain
  // fills) or, when `rop2` is non-zero, through that line mode.
  void Fill(const RECT& rect, const Brush& brush, DWORD rop, int rop2 = 0);

  DeviceContext& dc() { return dc_; }

 private:
  DeviceContext& dc_;
  DeviceContext::Target target_;
};

// The outline through `count` device points with the context's pen (lines.cpp).
void StrokePolyline(DeviceContext& dc, const POINT* points, int count);

// A logical rectangle in device coordinates, corners put in order.
RECT ToDevice(const DeviceContext& dc, const RECT& rect);

}  // namespace gdi
