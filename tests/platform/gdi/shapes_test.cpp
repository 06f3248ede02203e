// Rectangles, fills, pattern blits, hatch and pattern brushes tiled from the
// brush origin, edges in the system colours and the focus rectangle.
#include <gtest/gtest.h>
#include <platform/gdi.h>
#include <platform/windows.h>

#include "tests/platform/gdi/canvas.h"

namespace {

// A COLOR_ index + 1 stands for the system colour's brush.
TEST(Shapes, FillRectTakesASystemColourIndexAsABrush) {
  Canvas canvas(4, 4);
  RECT system{1, 1, 3, 2};
  EXPECT_TRUE(FillRect(canvas.dc(), &system, reinterpret_cast<HBRUSH>(COLOR_BTNSHADOW + 1)));
  Canvas expected(4, 4, kWhite);
  expected.Fill(1, 1, 3, 2, GetSysColor(COLOR_BTNSHADOW));
  EXPECT_TRUE(SamePixels(canvas, expected));
}

TEST(Shapes, RectangleInsideTheFrameAndWithAWidePen) {
  struct Case {
    const char* name;
    int style, width;
    RECT fill;    // [left, right) x [top, bottom) of the brush
    RECT border;  // the outline's outer bounds
    int thickness;
  };
  const Case cases[] = {
      {"inside frame", PS_INSIDEFRAME, 2, {3, 3, 6, 4}, {1, 1, 8, 6}, 2},
      {"wide", PS_SOLID, 3, {3, 3, 6, 4}, {0, 0, 9, 7}, 3},
  };
  for (const Case& c : cases) {
    Canvas canvas(10, 8);
    canvas.Use(CreatePen(c.style, c.width, kBlack));
    canvas.Use(CreateSolidBrush(kRed));
    EXPECT_TRUE(Rectangle(canvas.dc(), 1, 1, 8, 6));
    Canvas expected(10, 8, kWhite);
    const RECT& b = c.border;
    expected.Fill(b.left, b.top, b.right, b.bottom, kBlack);
    expected.Fill(b.left + c.thickness, b.top + c.thickness, b.right - c.thickness,
                  b.bottom - c.thickness, kWhite);
    expected.Fill(c.fill.left, c.fill.top, c.fill.right, c.fill.bottom, kRed);
    EXPECT_TRUE(SamePixels(canvas, expected)) << c.name;
  }
}

TEST(Shapes, PatBltOperations) {
  struct Case {
    DWORD rop;
    COLORREF want;
  };
  const COLORREF screen = RGB(0x12, 0x34, 0x56);
  const Case cases[] = {{WHITENESS, kWhite},
                        {DSTINVERT, ~screen & 0xFFFFFF},
                        {PATCOPY, kBlue},
                        {PATINVERT, kBlue ^ screen}};
  for (const Case& c : cases) {
    Canvas canvas(4, 4, screen);
    canvas.Use(CreateSolidBrush(kBlue));
    EXPECT_TRUE(PatBlt(canvas.dc(), 1, 1, 2, 2, c.rop));
    Canvas expected(4, 4, screen);
    expected.Fill(1, 1, 3, 3, c.want);
    EXPECT_TRUE(SamePixels(canvas, expected)) << std::hex << c.rop;
  }
}

// The hatches on their 8 x 8 cell, from the brush origin: horizontal and
// vertical lines on the cell's last row and column, the diagonals through
// its corners.
TEST(Shapes, HatchBrushes) {
  struct Case {
    int hatch;
    bool (*on)(int u, int v);
  };
  const Case cases[] = {
      {HS_HORIZONTAL, [](int, int v) { return v == 7; }},
      {HS_VERTICAL, [](int u, int) { return u == 7; }},
      {HS_FDIAGONAL, [](int u, int v) { return u == v; }},
      {HS_BDIAGONAL, [](int u, int v) { return u + v == 7; }},
      {HS_CROSS, [](int u, int v) { return u == 7 || v == 7; }},
      {HS_DIAGCROSS, [](int u, int v) { return u == v || u + v == 7; }},
  };
  for (const Case& c : cases) {
    for (int mode : {OPAQUE, TRANSPARENT}) {
      Canvas canvas(20, 20, kWhite);
      SetBkMode(canvas.dc(), mode);
      SetBkColor(canvas.dc(), kBlue);
      SetBrushOrgEx(canvas.dc(), 3, 2, nullptr);
      HBRUSH brush = CreateHatchBrush(c.hatch, kRed);
      RECT all{0, 0, 20, 20};
      FillRect(canvas.dc(), &all, brush);
      DeleteObject(brush);
      Canvas expected(20, 20, kWhite);
      for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
          if (c.on((x - 3) & 7, (y - 2) & 7)) {
            expected.Set(x, y, kRed);
          } else if (mode == OPAQUE) {
            expected.Set(x, y, kBlue);
          }
        }
      }
      EXPECT_TRUE(SamePixels(canvas, expected)) << "hatch " << c.hatch << " mode " << mode;
    }
  }
}

TEST(Shapes, PatternBrushesTileAndMonochromeOnesTakeTheContextColours) {
  // A 2 x 2 checker: white at (0,0) and (1,1).
  const unsigned char checker[] = {0x80, 0, 0x40, 0};
  HBITMAP mono = CreateBitmap(2, 2, 1, 1, checker);
  HBRUSH brush = CreatePatternBrush(mono);
  DeleteObject(mono);  // the brush keeps its own copy
  Canvas canvas(5, 3);
  canvas.Use(brush);
  SetTextColor(canvas.dc(), kRed);  // for the black bits
  SetBkColor(canvas.dc(), kBlue);   // for the white bits
  RECT all{0, 0, 5, 3};
  FillRect(canvas.dc(), &all, brush);
  Canvas expected(5, 3, kWhite);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) expected.Set(x, y, (x + y) % 2 == 0 ? kBlue : kRed);
  }
  EXPECT_TRUE(SamePixels(canvas, expected));
}

// A ring per edge: the top row and left column in its light colour, the
// right column and bottom row (with the corners they reach) in its dark one.
void Ring(Canvas& p, RECT r, COLORREF light, COLORREF dark) {
  p.Fill(r.left, r.top, r.right - 1, r.top + 1, light);
  p.Fill(r.left, r.top, r.left + 1, r.bottom - 1, light);
  p.Fill(r.right - 1, r.top, r.right, r.bottom, dark);
  p.Fill(r.left, r.bottom - 1, r.right, r.bottom, dark);
}

// Which band takes each corner, and BF_MIDDLE's fill, pixel for pixel.
TEST(Shapes, DrawEdgeCornersAndMiddle) {
  Canvas canvas(9, 8, kBlack);
  RECT r{1, 1, 8, 7};
  EXPECT_TRUE(DrawEdge(canvas.dc(), &r, EDGE_RAISED, BF_RECT | BF_MIDDLE | BF_ADJUST));
  Canvas expected(9, 8, kBlack);
  Ring(expected, {1, 1, 8, 7}, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
  Ring(expected, {2, 2, 7, 6}, GetSysColor(COLOR_BTNHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
  expected.Fill(3, 3, 6, 5, GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(SamePixels(canvas, expected));
}

TEST(Shapes, FocusRectangleIsUndoneByDrawingItAgain) {
  Canvas canvas(8, 6, kWhite);
  RECT r{1, 1, 7, 5};
  DrawFocusRect(canvas.dc(), &r);
  Canvas expected(8, 6, kWhite);
  for (int y = 1; y < 5; ++y) {
    for (int x = 1; x < 7; ++x) {
      const bool frame = x == 1 || x == 6 || y == 1 || y == 4;
      if (frame && (x + y) % 2 == 0) expected.Set(x, y, kBlack);
    }
  }
  EXPECT_TRUE(SamePixels(canvas, expected));
  DrawFocusRect(canvas.dc(), &r);
  EXPECT_TRUE(SamePixels(canvas, Canvas(8, 6, kWhite)));
}

TEST(Shapes, RectangleFillFollowsTheLineMode) {
  Canvas canvas(6, 6, RGB(0x0F, 0x0F, 0x0F));
  SetROP2(canvas.dc(), R2_XORPEN);
  canvas.Use(CreateSolidBrush(RGB(0xF0, 0, 0)));
  canvas.Use(CreatePen(PS_NULL, 1, 0));
  Rectangle(canvas.dc(), 0, 0, 4, 4);
  EXPECT_EQ(canvas.At(0, 0), RGB(0xFF, 0x0F, 0x0F));
  EXPECT_EQ(canvas.At(3, 3), RGB(0x0F, 0x0F, 0x0F));
}

}  // namespace
