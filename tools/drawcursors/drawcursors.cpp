// drawcursors: draws the program's seven own cursors and writes each as a
// cursor file of one 32x32 monochrome image with its hot spot, named
// <number>.cur in the folder given. Every shape is white with a black edge
// one pixel wide, drawn in layers, so that a later shape's edge separates it
// from what lies under it. Drawn by code so that the pictures are
// reproducible.
//
//   drawcursors OUTDIR
#include <array>
#include <cstdint>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "tools/common/image_file.h"

namespace {

constexpr int kSize = 32;

enum Pixel : std::uint8_t { kClear, kBlack, kWhite };

struct Cursor {
  std::array<std::array<Pixel, kSize>, kSize> pixels{};  // [y][x], y down
  int hot_x = 0;
  int hot_y = 0;
};

using Shape = std::function<bool(int x, int y)>;

// The shape white, and black where it borders on the outside.
void Draw(Cursor& c, const Shape& inside) {
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      if (inside(x, y)) {
        c.pixels[y][x] = kWhite;
        continue;
      }
      for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
          if (inside(x + dx, y + dy)) c.pixels[y][x] = kBlack;
        }
      }
    }
  }
}

Shape Box(int x0, int y0, int x1, int y1) {
  return [=](int x, int y) { return x >= x0 && x <= x1 && y >= y0 && y <= y1; };
}

Shape Any(std::vector<Shape> parts) {
  return [parts = std::move(parts)](int x, int y) {
    for (const Shape& part : parts) {
      if (part(x, y)) return true;
    }
    return false;
  };
}

// The pixels whose centres lie inside the polygon (even-odd rule).
Shape Polygon(std::vector<std::array<double, 2>> points) {
  return [points = std::move(points)](int x, int y) {
    const double px = x + 0.5, py = y + 0.5;
    bool in = false;
    for (std::size_t i = 0, j = points.size() - 1; i < points.size(); j = i++) {
      const auto& a = points[i];
      const auto& b = points[j];
      if ((a[1] > py) != (b[1] > py) && px < (b[0] - a[0]) * (py - a[1]) / (b[1] - a[1]) + a[0]) {
        in = !in;
      }
    }
    return in;
  };
}

Shape Ring(double cx, double cy, double inner, double outer) {
  return [=](int x, int y) {
    const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
    const double d2 = dx * dx + dy * dy;
    return d2 >= inner * inner && d2 <= outer * outer;
  };
}

// A band of the given half width along the segment.
Shape Stroke(double x0, double y0, double x1, double y1, double half_width) {
  return [=](int x, int y) {
    const double px = x + 0.5 - x0, py = y + 0.5 - y0;
    const double vx = x1 - x0, vy = y1 - y0;
    double t = (px * vx + py * vy) / (vx * vx + vy * vy);
    t = t < 0 ? 0 : t > 1 ? 1 : t;
    const double ex = px - t * vx, ey = py - t * vy;
    return ex * ex + ey * ey <= half_width * half_width;
  };
}

// The usual pointer, its tip at (1, 1).
void Arrow(Cursor& c) {
  Draw(c, Polygon({{1, 1}, {1, 17}, {5, 13}, {8, 20}, {10, 19}, {7, 12}, {12, 12}}));
  c.hot_x = 1;
  c.hot_y = 1;
}

// A sheet with three lines of text on it.
void Sheet(Cursor& c, int x, int y) {
  Draw(c, Box(x, y, x + 9, y + 11));
  for (int line = 0; line < 3; ++line) {
    for (int i = 2; i <= 7; ++i) c.pixels[y + 3 + 3 * line][x + i] = kBlack;
  }
}

Cursor Drag() {
  Cursor c;
  Arrow(c);
  Sheet(c, 12, 16);
  return c;
}

Cursor MultiDrag() {
  Cursor c;
  Arrow(c);
  Sheet(c, 12, 14);
  Sheet(c, 15, 17);
  Sheet(c, 18, 20);
  return c;
}

Cursor NoDrop() {
  Cursor c;
  Arrow(c);
  Draw(c, Any({Ring(21, 21, 5, 8), Stroke(16, 16, 26, 26, 1.5)}));
  return c;
}

// The pointer with an hourglass: a query runs.
Cursor SqlWait() {
  Cursor c;
  Arrow(c);
  Draw(c, Any({Box(13, 13, 25, 14), Box(13, 29, 25, 30),
               Polygon({{14, 15}, {25, 15}, {20.5, 22}, {25, 29}, {14, 29}, {18.5, 22}})}));
  // Sand left in the upper bulb and heaped in the lower one.
  for (int x = 17; x <= 21; ++x) c.pixels[17][x] = kBlack;
  for (int x = 18; x <= 20; ++x) c.pixels[18][x] = kBlack;
  for (int x = 16; x <= 22; ++x) c.pixels[28][x] = kBlack;
  for (int x = 18; x <= 20; ++x) c.pixels[27][x] = kBlack;
  return c;
}

// A hand whose forefinger points up at the hot spot.
Cursor HandPoint() {
  Cursor c;
  Draw(c, Any({Box(7, 1, 9, 14), Box(11, 7, 13, 14), Box(15, 8, 17, 14), Box(19, 10, 20, 15),
               Polygon({{2.5, 13}, {4.5, 12}, {8, 16}, {8, 18}}), Box(6, 14, 20, 22),
               Box(7, 23, 19, 27)}));
  // The gaps between the fingers.
  for (int y = 8; y <= 14; ++y) c.pixels[y][10] = kBlack;
  for (int y = 9; y <= 14; ++y) c.pixels[y][14] = kBlack;
  for (int y = 11; y <= 14; ++y) c.pixels[y][18] = kBlack;
  c.hot_x = 8;
  c.hot_y = 1;
  return c;
}

// Two bars and two arrows that point away from them to the left and right:
// the cursor for moving a divider sideways.
Cursor HSplit() {
  Cursor c;
  Draw(c, Any({Box(12, 6, 13, 25), Box(18, 6, 19, 25), Box(7, 14, 11, 17), Box(20, 14, 24, 17),
               Polygon({{2, 16}, {8, 10}, {8, 22}}), Polygon({{30, 16}, {24, 10}, {24, 22}})}));
  c.hot_x = 15;
  c.hot_y = 15;
  return c;
}

// HSplit turned a quarter: for moving a divider up and down.
Cursor VSplit() {
  const Cursor h = HSplit();
  Cursor c;
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) c.pixels[y][x] = h.pixels[x][y];
  }
  c.hot_x = h.hot_y;
  c.hot_y = h.hot_x;
  return c;
}

// One 1-bit image: the colour rows (white set), then the mask rows (set where
// the background shows), both from the bottom up.
std::vector<std::uint8_t> CursorFile(const Cursor& c) {
  std::vector<std::uint8_t> rows;
  for (const Pixel set : {kWhite, kClear}) {
    for (int y = kSize - 1; y >= 0; --y) {
      for (int x = 0; x < kSize; x += 8) {
        std::uint8_t byte = 0;
        for (int bit = 0; bit < 8; ++bit) {
          if (c.pixels[y][x + bit] == set) byte |= static_cast<std::uint8_t>(0x80 >> bit);
        }
        rows.push_back(byte);
      }
    }
  }
  return tools::ImageFile(2, kSize, 1, static_cast<std::uint16_t>(c.hot_x),
                          static_cast<std::uint16_t>(c.hot_y), {0, 0, 0, 0, 255, 255, 255, 0},
                          rows);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: drawcursors OUTDIR\n";
    return 2;
  }
  const struct {
    int number;
    Cursor cursor;
  } cursors[] = {{32761, HandPoint()}, {32762, SqlWait()}, {32763, MultiDrag()}, {32764, VSplit()},
                 {32765, HSplit()},    {32766, Drag()},    {32767, NoDrop()}};
  for (const auto& [number, cursor] : cursors) {
    const std::string path = std::string(argv[1]) + "/" + std::to_string(number) + ".cur";
    if (!tools::WriteBytes(path, CursorFile(cursor), "drawcursors")) return 1;
  }
  return 0;
}
