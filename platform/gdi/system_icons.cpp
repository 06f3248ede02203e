// The system icons, drawn by code: a red disc with a white X (stop), a yellow
// triangle with a black "!" (warning), blue discs with a white "i"
// (information) and "?" (question), and a window for the application.
//
// Each pixel is sampled 4 x 4 times; the topmost shape under a sample gives
// its colour, the pixel is the mean of its covered samples, and the mask
// keeps the background where fewer than half of them are covered.
#include "system_icons.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <mutex>
#include <numbers>
#include <vector>

#include <platform/windows.h>

namespace gdi {

namespace {

constexpr int kSize = 32;
constexpr int kSamples = 4;

using Inside = std::function<bool(double x, double y)>;

struct Shape {
  Inside inside;
  COLORREF top;     // the colour at the top of the icon ...
  COLORREF bottom;  // ... and at the bottom, shaded between
};

Inside Disc(double cx, double cy, double r) {
  return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= r * r; };
}

Inside Box(double left, double top, double right, double bottom) {
  return [=](double x, double y) { return x >= left && x < right && y >= top && y < bottom; };
}

// A stroke from a to b with round ends.
Inside Stroke(double ax, double ay, double bx, double by, double width) {
  return [=](double x, double y) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    const double ex = x - ax - t * dx, ey = y - ay - t * dy;
    return ex * ex + ey * ey <= width * width / 4;
  };
}

// A ring of radius r around (cx, cy) between two angles, in degrees
// clockwise from the right (y grows downwards).
Inside Arc(double cx, double cy, double r, double width, double from, double to) {
  return [=](double x, double y) {
    const double d = std::hypot(x - cx, y - cy);
    const double angle = std::atan2(y - cy, x - cx) * 180 / std::numbers::pi;
    return std::abs(d - r) <= width / 2 && angle >= from && angle <= to;
  };
}

struct Corner {
  double x, y;
};

Inside Triangle(Corner a, Corner b, Corner c) {
  return [=](double x, double y) {
    const auto side = [&](Corner p, Corner q) {
      return (q.x - p.x) * (y - p.y) - (q.y - p.y) * (x - p.x);
    };
    const double s1 = side(a, b), s2 = side(b, c), s3 = side(c, a);
    return (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
  };
}

std::vector<Shape> DiscWith(COLORREF rim, COLORREF light, COLORREF dark, std::vector<Inside> mark) {
  std::vector<Shape> shapes = {{Disc(16, 16, 15.5), rim, rim}, {Disc(16, 16, 14.3), light, dark}};
  for (Inside& part : mark) shapes.push_back({std::move(part), 0xFFFFFF, 0xFFFFFF});
  return shapes;
}

std::vector<Shape> Picture(WORD id) {
  constexpr COLORREF kBlueRim = RGB(16, 52, 140), kBlueLight = RGB(70, 140, 235),
                     kBlueDark = RGB(20, 80, 190);
  switch (id) {
    case 32513:  // IDI_HAND
      return DiscWith(RGB(140, 0, 0), RGB(240, 70, 60), RGB(190, 20, 20),
                      {Stroke(10.5, 10.5, 21.5, 21.5, 4), Stroke(21.5, 10.5, 10.5, 21.5, 4)});
    case 32514:  // IDI_QUESTION
      return DiscWith(kBlueRim, kBlueLight, kBlueDark,
                      {Arc(16, 12.5, 4.8, 3.6, -180, 45), Stroke(19.4, 15.9, 16, 18.5, 3.6),
                       Stroke(16, 18.5, 16, 20, 3.6), Disc(16, 24.8, 2.1)});
    case 32515:  // IDI_EXCLAMATION
      return {{Triangle({16, 0}, {32, 30}, {0, 30}), RGB(120, 90, 0), RGB(120, 90, 0)},
              {Triangle({16, 2}, {30, 28.7}, {2, 28.7}), RGB(255, 230, 80), RGB(245, 190, 0)},
              {Stroke(16, 10, 16, 19.5, 3.8), 0, 0},
              {Disc(16, 24.3, 2.1), 0, 0}};
    case 32516:  // IDI_ASTERISK
      return DiscWith(kBlueRim, kBlueLight, kBlueDark,
                      {Disc(16, 8.8, 2.3), Box(14, 13, 18, 24), Box(12.5, 13, 14, 15),
                       Box(12.5, 22.5, 19.5, 24.5)});
    case 32512:  // IDI_APPLICATION
    case 32517:  // IDI_WINLOGO
      return {{Box(2, 4, 30, 28), RGB(64, 64, 64), RGB(64, 64, 64)},
              {Box(3, 5, 29, 27), 0xFFFFFF, RGB(230, 230, 230)},
              {Box(3, 5, 29, 10), RGB(40, 100, 210), RGB(40, 100, 210)}};
    default:
      return {};
  }
}

std::uint32_t Shade(const Shape& shape, double y) {
  const double t = y / kSize;
  const auto mix = [&](int shift) {
    const double a = shape.top >> shift & 0xFF, b = shape.bottom >> shift & 0xFF;
    return static_cast<std::uint32_t>(a + (b - a) * t);
  };
  return mix(0) << 16 | mix(8) << 8 | mix(16);  // a surface's pixel: 0x00RRGGBB
}

// The image (32-bit rows) and the mask (1-bit rows padded to 16 bits) of a
// picture, as CreateBitmap takes them.
HICON Draw(const std::vector<Shape>& shapes) {
  std::vector<std::uint32_t> image(kSize * kSize, 0);
  std::vector<BYTE> mask(kSize * kSize / 8, 0);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      int covered = 0;
      std::uint32_t sum[3] = {};
      for (int i = 0; i < kSamples * kSamples; ++i) {
        const double sx = x + (i % kSamples + 0.5) / kSamples;
        const double sy = y + (i / kSamples + 0.5) / kSamples;
        const auto top = std::find_if(shapes.rbegin(), shapes.rend(),
                                      [&](const Shape& s) { return s.inside(sx, sy); });
        if (top == shapes.rend()) continue;
        ++covered;
        const std::uint32_t pixel = Shade(*top, sy);
        for (int c = 0; c < 3; ++c) sum[c] += pixel >> (8 * c) & 0xFF;
      }
      if (covered * 2 < kSamples * kSamples) {
        mask[(y * kSize + x) / 8] |= static_cast<BYTE>(0x80 >> (x % 8));  // transparent
        continue;
      }
      for (int c = 0; c < 3; ++c) image[y * kSize + x] |= sum[c] / covered << (8 * c);
    }
  }
  HBITMAP mask_bitmap = CreateBitmap(kSize, kSize, 1, 1, mask.data());
  HBITMAP image_bitmap = CreateBitmap(kSize, kSize, 1, 32, image.data());
  const ICONINFO info{TRUE, kSize / 2, kSize / 2, mask_bitmap, image_bitmap};
  HICON icon = MakeIcon(info, true);
  DeleteObject(mask_bitmap);
  DeleteObject(image_bitmap);
  return icon;
}

struct Drawn {
  std::mutex lock;
  std::map<WORD, HICON> icons;
};

Drawn& Known() {
  static auto& drawn = *new Drawn;
  return drawn;
}

}  // namespace

HICON SystemIcon(WORD id) {
  Drawn& drawn = Known();
  std::lock_guard guard(drawn.lock);
  const auto it = drawn.icons.find(id);
  if (it != drawn.icons.end()) return it->second;
  const std::vector<Shape> shapes = Picture(id);
  if (shapes.empty()) return nullptr;
  return drawn.icons[id] = Draw(shapes);
}

WORD SystemIconId(HICON icon) {
  Drawn& drawn = Known();
  std::lock_guard guard(drawn.lock);
  for (const auto& [id, handle] : drawn.icons) {
    if (handle == icon) return id;
  }
  return 0;
}

}  // namespace gdi
