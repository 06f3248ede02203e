// Lines: MoveToEx, LineTo and Polyline with every pen.
//
// A line is drawn from its start up to, not including, its end point, so the
// segments of a polyline meet without drawing a pixel twice. The pixels are
// those nearest the exact line along its major axis; where the line passes
// exactly between two, the one with the smaller coordinate is taken.
//
// Width-1 pens draw their style one pixel per step along the major axis,
// with the desktop API's cosmetic pen patterns (on, off, on, ... in pixels).
// The pattern continues along the lines of one figure and starts again with
// each MoveToEx or newly selected pen; in OPAQUE mode its gaps take the
// background colour.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include <platform/gdi.h>

#include "device_context.h"
#include "raster.h"

namespace gdi {

namespace {

struct Pattern {
  std::array<int, 6> runs;
  int count;
  int length;
};

// PS_DASH, PS_DOT, PS_DASHDOT and PS_DASHDOTDOT.
constexpr Pattern kPatterns[] = {
    {{18, 6}, 2, 24},
    {{3, 3}, 2, 6},
    {{9, 6, 3, 6}, 4, 24},
    {{9, 3, 3, 3, 3, 3}, 6, 24},
};

bool PatternOn(const Pattern& pattern, int position) {
  int at = position % pattern.length;
  for (int i = 0; i < pattern.count; ++i) {
    if (at < pattern.runs[i]) return i % 2 == 0;
    at -= pattern.runs[i];
  }
  return false;
}

LONG FloorDiv(LONG a, LONG b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0);
}

// i * num / den rounded to nearest, halves down; den > 0.
LONG RoundHalfDown(LONG i, LONG num, LONG den) {
  // ceil((2 i num - den) / 2 den)
  const LONG a = 2 * i * num - den;
  return -FloorDiv(-a, 2 * den);
}

// Calls `plot(x, y)` for the pixels of the line from `a` to `b`, `b` left
// out unless `last` is set.
template <typename Plot>
void Walk(POINT a, POINT b, bool last, Plot plot) {
  const LONG dx = b.x - a.x;
  const LONG dy = b.y - a.y;
  const LONG adx = std::abs(dx);
  const LONG ady = std::abs(dy);
  const LONG steps = std::max(adx, ady) + (last ? 1 : 0);
  if (adx >= ady) {
    const LONG sx = dx < 0 ? -1 : 1;
    for (LONG i = 0; i < steps; ++i) {
      plot(a.x + sx * i, adx == 0 ? a.y : a.y + RoundHalfDown(i, dy, adx));
    }
  } else {
    const LONG sy = dy < 0 ? -1 : 1;
    for (LONG i = 0; i < steps; ++i) plot(a.x + RoundHalfDown(i, dx, ady), a.y + sy * i);
  }
}

// One segment in device coordinates with the context's pen.
void Stroke(Painter& painter, POINT a, POINT b) {
  DeviceContext& dc = painter.dc();
  const DcState& state = dc.state();
  const Pen& pen = *state.pen;
  const int style = pen.style();
  if (style == PS_NULL) return;
  const std::uint32_t color = ToPixel(pen.log.lopnColor);
  const int rop2 = state.rop2;
  if (pen.width() > 1) {
    // Wide pens are solid with round ends: a disc of the pen's width at
    // every pixel of the line, both ends included, each pixel drawn once.
    const int w = pen.width();
    const int low = -(w - 1) / 2;
    const int high = w / 2;
    const double radius2 = w * w / 4.0;
    std::vector<POINT> pixels;
    Walk(a, b, true, [&](LONG x, LONG y) {
      for (int v = low; v <= high; ++v) {
        for (int u = low; u <= high; ++u) {
          const double cu = u - (w % 2 == 0 ? 0.5 : 0.0);
          const double cv = v - (w % 2 == 0 ? 0.5 : 0.0);
          if (cu * cu + cv * cv <= radius2) pixels.push_back({x + u, y + v});
        }
      }
    });
    std::sort(pixels.begin(), pixels.end(),
              [](const POINT& p, const POINT& q) { return p.y != q.y ? p.y < q.y : p.x < q.x; });
    pixels.erase(
        std::unique(pixels.begin(), pixels.end(),
                    [](const POINT& p, const POINT& q) { return p.x == q.x && p.y == q.y; }),
        pixels.end());
    for (const POINT& p : pixels) painter.Plot(p.x, p.y, color, rop2);
    return;
  }
  if (style == PS_SOLID || style == PS_INSIDEFRAME || style > PS_DASHDOTDOT) {
    Walk(a, b, false, [&](LONG x, LONG y) { painter.Plot(x, y, color, rop2); });
    return;
  }
  const Pattern& pattern = kPatterns[style - PS_DASH];
  const bool opaque = state.background_mode == OPAQUE;
  const std::uint32_t background = ToPixel(state.background_color);
  Walk(a, b, false, [&](LONG x, LONG y) {
    if (PatternOn(pattern, dc.style_position)) {
      painter.Plot(x, y, color, rop2);
    } else if (opaque) {
      painter.Plot(x, y, background, rop2);
    }
    dc.style_position = (dc.style_position + 1) % pattern.length;
  });
}

}  // namespace

// A closed outline of device points, shared with Rectangle.
void StrokePolyline(DeviceContext& dc, const POINT* points, int count) {
  Painter painter(dc);
  if (!painter.ready()) return;
  for (int i = 1; i < count; ++i) Stroke(painter, points[i - 1], points[i]);
}

}  // namespace gdi

using gdi::DeviceContext;

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return FALSE;
  if (previous != nullptr) *previous = context->state().position;
  context->state().position = {x, y};
  context->style_position = 0;  // a new figure
  return TRUE;
}

BOOL GetCurrentPositionEx(HDC dc, LPPOINT position) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || position == nullptr) return FALSE;
  *position = context->state().position;
  return TRUE;
}

BOOL LineTo(HDC dc, int x, int y) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return FALSE;
  const POINT line[] = {context->ToDevice(context->state().position), context->ToDevice({x, y})};
  gdi::StrokePolyline(*context, line, 2);
  context->state().position = {x, y};
  return TRUE;
}

BOOL Polyline(HDC dc, const POINT* points, int count) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || points == nullptr || count < 2) return FALSE;
  std::vector<POINT> device(points, points + count);
  for (POINT& p : device) p = context->ToDevice(p);
  gdi::StrokePolyline(*context, device.data(), count);
  return TRUE;
}
