// Lines through MoveToEx and LineTo, pixel for pixel.
#include <string>

#include <gtest/gtest.h>
#include <platform/gdi.h>

#include "tests/platform/gdi/canvas.h"

namespace {

// Draws with a pen made for the line, then puts the old pen back.
void Line(HDC dc, int style, int width, COLORREF color, POINT from, POINT to) {
  HPEN pen = CreatePen(style, width, color);
  HGDIOBJ old = SelectObject(dc, pen);
  MoveToEx(dc, from.x, from.y, nullptr);
  LineTo(dc, to.x, to.y);
  SelectObject(dc, old);
  DeleteObject(pen);
}

// The line (0,0)-(6,2) takes, along x, the row nearest the exact line:
// y = x / 3 gives 0, 0.33, 0.67, 1, 1.33, 1.67, so rows 0 0 1 1 1 2; the end
// (6,2) is left out. The other octants are the same line mirrored and
// turned, and drawn from the centre of the canvas.
TEST(Lines, EveryOctantTakesTheNearestPixelsAndLeavesOutTheEnd) {
  const POINT base[] = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 1}, {5, 2}};
  struct Octant {
    int xx, xy, yx, yy;  // (x, y) -> (xx x + xy y, yx x + yy y)
  };
  const Octant octants[] = {{1, 0, 0, 1},   {0, 1, 1, 0},   {0, -1, 1, 0}, {-1, 0, 0, 1},
                            {-1, 0, 0, -1}, {0, -1, -1, 0}, {0, 1, -1, 0}, {1, 0, 0, -1}};
  for (const Octant& o : octants) {
    Canvas canvas(20, 20);
    auto map = [&](POINT p) {
      return POINT{10 + o.xx * p.x + o.xy * p.y, 10 + o.yx * p.x + o.yy * p.y};
    };
    Line(canvas.dc(), PS_SOLID, 1, kBlack, map({0, 0}), map({6, 2}));
    Canvas expected(20, 20, kWhite);
    for (POINT p : base) {
      const POINT q = map(p);
      expected.Set(q.x, q.y, kBlack);
    }
    EXPECT_TRUE(SamePixels(canvas, expected)) << "octant " << (&o - octants);
  }
}

// The cosmetic patterns, in pixels on and off, from the start of the line.
std::string Runs(std::initializer_list<int> runs, int length) {
  std::string out;
  while (static_cast<int>(out.size()) < length) {
    bool on = true;
    for (int run : runs) {
      out += std::string(run, on ? '#' : '.');
      on = !on;
    }
  }
  return out.substr(0, length);
}

std::string Row(const Canvas& canvas, int y, int from, int to) {
  std::string out;
  for (int x = from; x < to; ++x) out += canvas.At(x, y) == kBlack ? '#' : '.';
  return out;
}

TEST(Lines, CosmeticPenPatterns) {
  struct Case {
    int style;
    std::string pattern;
  };
  const Case cases[] = {
      {PS_SOLID, std::string(60, '#')},
      {PS_DASH, Runs({18, 6}, 60)},
      {PS_DOT, Runs({3, 3}, 60)},
      {PS_DASHDOT, Runs({9, 6, 3, 6}, 60)},
      {PS_DASHDOTDOT, Runs({9, 3, 3, 3, 3, 3}, 60)},
      {PS_NULL, std::string(60, '.')},
      {PS_INSIDEFRAME, std::string(60, '#')},
  };
  for (const Case& c : cases) {
    Canvas canvas(64, 3);
    SetBkMode(canvas.dc(), TRANSPARENT);
    Line(canvas.dc(), c.style, 1, kBlack, {0, 1}, {60, 1});
    EXPECT_EQ(Row(canvas, 1, 0, 61), c.pattern + ".") << "style " << c.style;
    EXPECT_EQ(Row(canvas, 0, 0, 61), std::string(61, '.'));
  }
}

TEST(Lines, PatternRunsAlongAFigureAndRestartsWithEachMoveTo) {
  Canvas canvas(40, 4);
  SetBkMode(canvas.dc(), TRANSPARENT);
  canvas.Use(CreatePen(PS_DOT, 1, kBlack));
  MoveToEx(canvas.dc(), 0, 0, nullptr);
  LineTo(canvas.dc(), 4, 0);  // 4 pixels: on on on off
  LineTo(canvas.dc(), 4, 3);  // the same figure: goes on from the fifth
  MoveToEx(canvas.dc(), 5, 1, nullptr);
  LineTo(canvas.dc(), 13, 1);  // a new figure starts the pattern again
  EXPECT_EQ(Row(canvas, 0, 0, 5), "###..");
  EXPECT_EQ(Row(canvas, 1, 4, 13), ".###...##");
  EXPECT_EQ(Row(canvas, 2, 4, 5), "#");
}

TEST(Lines, GapsTakeTheBackgroundInOpaqueMode) {
  Canvas canvas(12, 1, kWhite);
  SetBkColor(canvas.dc(), kBlue);
  Line(canvas.dc(), PS_DOT, 1, kRed, {0, 0}, {6, 0});
  Canvas expected(12, 1, kWhite);
  expected.Fill(0, 0, 3, 1, kRed);
  expected.Fill(3, 0, 6, 1, kBlue);
  EXPECT_TRUE(SamePixels(canvas, expected));
}

// Each mode against its documented formula, on a pen and destination whose
// bits cover every pair. R2_BLACK to R2_WHITE in order: 0, ~(P|D), ~P&D, ~P,
// P&~D, ~D, P^D, ~(P&D), P&D, ~(P^D), D, ~P|D, P, P|~D, P|D, 1.
TEST(Lines, AllSixteenLineModes) {
  const COLORREF pen_color = 0x00F0CC0F;
  const COLORREF screen = 0x00AA33FF;
  const COLORREF results[] = {0x000000, 0x050000, 0x0A33F0, 0x0F33F0, 0x50CC00, 0x55CC00,
                              0x5AFFF0, 0x5FFFF0, 0xA0000F, 0xA5000F, 0xAA33FF, 0xAF33FF,
                              0xF0CC0F, 0xF5CC0F, 0xFAFFFF, 0xFFFFFF};
  for (int mode = R2_BLACK; mode <= R2_WHITE; ++mode) {
    Canvas canvas(4, 1, screen);
    SetROP2(canvas.dc(), mode);
    Line(canvas.dc(), PS_SOLID, 1, pen_color, {0, 0}, {3, 0});
    EXPECT_EQ(canvas.At(0, 0), results[mode - 1]) << "mode " << mode;
    EXPECT_EQ(canvas.At(3, 0), screen) << "mode " << mode;
  }
}

TEST(Lines, WidePensAreSolidAndCentredOnTheLine) {
  Canvas canvas(30, 11);
  Line(canvas.dc(), PS_DASH, 3, kBlack, {5, 5}, {25, 5});
  for (int x = 5; x <= 25; ++x) {
    for (int y = 4; y <= 6; ++y) EXPECT_EQ(canvas.At(x, y), kBlack) << x << "," << y;
    EXPECT_EQ(canvas.At(x, 3), kWhite) << x;
    EXPECT_EQ(canvas.At(x, 7), kWhite) << x;
  }
}

// Joined segments meet without drawing a pixel twice: under R2_XORPEN a
// closed outline shows every pixel of it once.
TEST(Lines, PolylineDrawsEachPixelOnce) {
  Canvas canvas(8, 8, kBlack);
  SetROP2(canvas.dc(), R2_XORPEN);
  canvas.Use(CreatePen(PS_SOLID, 1, kWhite));
  const POINT outline[] = {{1, 1}, {6, 1}, {6, 5}, {1, 5}, {1, 1}};
  EXPECT_TRUE(Polyline(canvas.dc(), outline, 5));
  Canvas expected(8, 8, kBlack);
  expected.Fill(1, 1, 7, 6, kWhite);
  expected.Fill(2, 2, 6, 5, kBlack);
  EXPECT_TRUE(SamePixels(canvas, expected));
}

}  // namespace
