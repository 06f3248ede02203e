// The system icons and cursors, drawn by code. Icons: a red disc with a white
// X (stop), a yellow triangle with a black "!" (warning), blue discs with a
// white "i" (information) and "?" (question), and a window for the
// application. Cursors: monochrome, white shapes with black edges.
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
#include <optional>
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

// A polygon, even-odd filled.
Inside Polygon(std::vector<Corner> corners) {
  return [corners = std::move(corners)](double x, double y) {
    bool in = false;
    for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
      const Corner a = corners[i], b = corners[j];
      if ((a.y > y) != (b.y > y) && x < (b.x - a.x) * (y - a.y) / (b.y - a.y) + a.x) in = !in;
    }
    return in;
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

// The mean colour of a pixel's covered samples; nothing when fewer than half
// of them are covered.
std::optional<std::uint32_t> Sample(const std::vector<Shape>& shapes, int x, int y) {
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
  if (covered * 2 < kSamples * kSamples) return std::nullopt;
  std::uint32_t mean = 0;
  for (int c = 0; c < 3; ++c) mean |= sum[c] / covered << (8 * c);
  return mean;
}

// Sets bit x of row y in 1-bit rows of kSize pixels (padded to 16 bits, as
// CreateBitmap takes them).
void SetBit(std::vector<BYTE>& rows, int x, int y) {
  rows[(y * kSize + x) / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
}

// The image (32-bit rows) and the mask of a picture.
HICON Draw(const std::vector<Shape>& shapes) {
  std::vector<std::uint32_t> image(kSize * kSize, 0);
  std::vector<BYTE> mask(kSize * kSize / 8, 0);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const std::optional<std::uint32_t> pixel = Sample(shapes, x, y);
      if (pixel) {
        image[y * kSize + x] = *pixel;
      } else {
        SetBit(mask, x, y);  // transparent
      }
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

struct CursorPicture {
  std::vector<Shape> shapes;
  POINT hotspot;
};

constexpr COLORREF kBlack = 0, kWhite = 0xFFFFFF;

// A white polygon with black edges.
std::vector<Shape> Outlined(const std::vector<Corner>& corners) {
  std::vector<Shape> shapes = {{Polygon(corners), kWhite, kWhite}};
  for (std::size_t i = 0, j = corners.size() - 1; i < corners.size(); j = i++) {
    shapes.push_back(
        {Stroke(corners[j].x, corners[j].y, corners[i].x, corners[i].y, 1.2), kBlack, kBlack});
  }
  return shapes;
}

// A black line from a to b with an arrow head at each end.
std::vector<Shape> DoubleArrow(Corner a, Corner b) {
  const double length = std::hypot(b.x - a.x, b.y - a.y);
  const double dx = (b.x - a.x) / length, dy = (b.y - a.y) / length;
  const auto head = [&](Corner tip, double sign) {
    const Corner base{tip.x + sign * 6 * dx, tip.y + sign * 6 * dy};
    return Shape{
        Triangle(tip, {base.x - 4 * dy, base.y + 4 * dx}, {base.x + 4 * dy, base.y - 4 * dx}),
        kBlack, kBlack};
  };
  return {{Stroke(a.x, a.y, b.x, b.y, 2), kBlack, kBlack}, head(a, 1), head(b, -1)};
}

std::vector<Shape> Joined(std::vector<Shape> first, const std::vector<Shape>& second) {
  first.insert(first.end(), second.begin(), second.end());
  return first;
}

std::vector<Shape> Arrow() {
  return Outlined(
      {{0.5, 0.5}, {0.5, 17.5}, {4.6, 13.6}, {7.6, 20}, {10.2, 18.9}, {7.3, 12.6}, {12.8, 12.6}});
}

CursorPicture CursorPictureOf(WORD id) {
  const POINT centre{kSize / 2, kSize / 2};
  switch (id) {
    case 32512:  // IDC_ARROW
      return {Arrow(), {0, 0}};
    case 32513:  // IDC_IBEAM
      return {{{Box(12, 3, 20, 5), kBlack, kBlack},
               {Box(15, 4, 17, 28), kBlack, kBlack},
               {Box(12, 27, 20, 29), kBlack, kBlack}},
              centre};
    case 32514:  // IDC_WAIT
      return {Joined(Outlined({{9, 4}, {23, 4}, {16.5, 16}, {23, 28}, {9, 28}, {15.5, 16}}),
                     {{Box(8, 2, 24, 4), kBlack, kBlack}, {Box(8, 28, 24, 30), kBlack, kBlack}}),
              centre};
    case 32515:  // IDC_CROSS
      return {
          {{Stroke(16, 3, 16, 29, 2), kBlack, kBlack}, {Stroke(3, 16, 29, 16, 2), kBlack, kBlack}},
          centre};
    case 32516:  // IDC_UPARROW
      return {Outlined({{16, 0.5}, {24, 9}, {19, 9}, {19, 24}, {13, 24}, {13, 9}, {8, 9}}),
              {16, 0}};
    case 32642:  // IDC_SIZENWSE
      return {DoubleArrow({6, 6}, {26, 26}), centre};
    case 32643:  // IDC_SIZENESW
      return {DoubleArrow({26, 6}, {6, 26}), centre};
    case 32644:  // IDC_SIZEWE
      return {DoubleArrow({3, 16}, {29, 16}), centre};
    case 32645:  // IDC_SIZENS
      return {DoubleArrow({16, 3}, {16, 29}), centre};
    case 32646:  // IDC_SIZEALL
      return {Joined(DoubleArrow({3, 16}, {29, 16}), DoubleArrow({16, 3}, {16, 29})), centre};
    case 32648:  // IDC_NO
      return {{{Arc(16, 16, 9.5, 3, -180, 180), kBlack, kBlack},
               {Stroke(9.5, 9.5, 22.5, 22.5, 3), kBlack, kBlack}},
              centre};
    case 32649:  // IDC_HAND
      return {Outlined({{5, 1}, {8, 1}, {8, 10}, {19, 10}, {19, 24}, {7, 24}, {2, 15}, {5, 14}}),
              {6, 1}};
    case 32650:  // IDC_APPSTARTING
      return {Joined(Arrow(), {{Arc(20, 22, 4, 1.5, -180, 180), kBlack, kBlack}}), {0, 0}};
    case 32651:  // IDC_HELP
      return {Joined(Arrow(), {{Arc(20, 8, 3, 1.5, -180, 45), kBlack, kBlack},
                               {Stroke(22, 10, 20, 12.5, 1.5), kBlack, kBlack},
                               {Disc(20, 16, 1), kBlack, kBlack}}),
              {0, 0}};
    default:
      return {};
  }
}

// A monochrome cursor: one 1-bit mask twice as high as wide, the AND half
// (set where the screen shows through) above the XOR half (set where white).
HCURSOR DrawCursor(const CursorPicture& picture) {
  std::vector<BYTE> mask(kSize * kSize * 2 / 8, 0);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const std::optional<std::uint32_t> pixel = Sample(picture.shapes, x, y);
      if (!pixel) {
        SetBit(mask, x, y);
      } else if ((*pixel & 0xFF) >= 0x80) {
        SetBit(mask, x, y + kSize);
      }
    }
  }
  HBITMAP mask_bitmap = CreateBitmap(kSize, kSize * 2, 1, 1, mask.data());
  const ICONINFO info{FALSE, static_cast<DWORD>(picture.hotspot.x),
                      static_cast<DWORD>(picture.hotspot.y), mask_bitmap, nullptr};
  HCURSOR cursor = MakeIcon(info, true);
  DeleteObject(mask_bitmap);
  return cursor;
}

struct Drawn {
  std::mutex lock;
  std::map<WORD, HICON> icons;
  std::map<WORD, HCURSOR> cursors;
};

Drawn& Known() {
  static auto& drawn = *new Drawn;
  return drawn;
}

// The picture of `id` in `drawn`, drawn at first use; null for an unknown id.
HICON Cached(std::map<WORD, HICON>& drawn, WORD id, const std::function<HICON()>& draw) {
  std::lock_guard guard(Known().lock);
  const auto it = drawn.find(id);
  if (it != drawn.end()) return it->second;
  HICON made = draw();
  if (made != nullptr) drawn[id] = made;
  return made;
}

WORD IdOf(const std::map<WORD, HICON>& drawn, HICON handle) {
  std::lock_guard guard(Known().lock);
  for (const auto& [id, known] : drawn) {
    if (known == handle) return id;
  }
  return 0;
}

}  // namespace

HICON SystemIcon(WORD id) {
  return Cached(Known().icons, id, [id] {
    const std::vector<Shape> shapes = Picture(id);
    return shapes.empty() ? nullptr : Draw(shapes);
  });
}

WORD SystemIconId(HICON icon) {
  return IdOf(Known().icons, icon);
}

HCURSOR SystemCursor(WORD id) {
  return Cached(Known().cursors, id, [id] {
    const CursorPicture picture = CursorPictureOf(id);
    return picture.shapes.empty() ? nullptr : DrawCursor(picture);
  });
}

WORD SystemCursorId(HCURSOR cursor) {
  return IdOf(Known().cursors, cursor);
}

}  // namespace gdi
