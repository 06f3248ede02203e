// BitBlt and StretchBlt: clipping, raster operations, monochrome and colour
// through the contexts' colours, stretching, mirroring, and copying onto itself.
#include <gtest/gtest.h>
#include <platform/gdi.h>

#include "tests/platform/gdi/canvas.h"

namespace {

// A 3 x 2 source whose every pixel differs.
COLORREF Source(int x, int y) {
  return RGB(10 * x + 10, 10 * y + 10, 7);
}
void Paint(Canvas& canvas) {
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) SetPixel(canvas.dc(), x, y, Source(x, y));
  }
}

TEST(Blit, CopiesAreClippedToTheDestination) {
  Canvas source(3, 2);
  Paint(source);
  Canvas target(4, 4);
  IntersectClipRect(target.dc(), 0, 0, 3, 4);
  EXPECT_TRUE(BitBlt(target.dc(), 1, 1, 3, 2, source.dc(), 0, 0, SRCCOPY));
  Canvas expected(4, 4, kWhite);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 2; ++x) expected.Set(1 + x, 1 + y, Source(x, y));
  }
  EXPECT_TRUE(SamePixels(target, expected));
}

TEST(Blit, RasterOperations) {
  const COLORREF s = 0x00F0F0AA, d = 0x00CCAA0F, p = 0x00FF00FF;
  struct Case {
    DWORD rop;
    COLORREF want;
  };
  const Case cases[] = {
      {SRCCOPY, s},         {SRCPAINT, s | d},      {SRCAND, s & d},         {SRCINVERT, s ^ d},
      {SRCERASE, s & ~d},   {NOTSRCCOPY, ~s},       {NOTSRCERASE, ~(s | d)}, {MERGECOPY, s & p},
      {MERGEPAINT, ~s | d}, {PATPAINT, p | ~s | d},
  };
  for (const Case& c : cases) {
    Canvas source(1, 1, s);
    Canvas target(1, 1, d);
    target.Use(CreateSolidBrush(p));
    BitBlt(target.dc(), 0, 0, 1, 1, source.dc(), 0, 0, c.rop);
    EXPECT_EQ(target.At(0, 0), c.want & 0xFFFFFF) << std::hex << c.rop;
  }
}

TEST(Blit, MonochromeAndColourConvertThroughTheContextColours) {
  // 2 x 1 mask: black, white.
  const unsigned char bits[] = {0x40, 0};
  HBITMAP mask = CreateBitmap(2, 1, 1, 1, bits);
  HDC mono = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(mono, mask);
  Canvas target(2, 1);
  SetTextColor(target.dc(), kRed);
  SetBkColor(target.dc(), kBlue);
  BitBlt(target.dc(), 0, 0, 2, 1, mono, 0, 0, SRCCOPY);
  EXPECT_EQ(target.At(0, 0), kRed);
  EXPECT_EQ(target.At(1, 0), kBlue);

  // Back: the source's background colour becomes white, the rest black.
  SetBkColor(target.dc(), kRed);
  BitBlt(mono, 0, 0, 2, 1, target.dc(), 0, 0, SRCCOPY);
  EXPECT_EQ(GetPixel(mono, 0, 0), kWhite);
  EXPECT_EQ(GetPixel(mono, 1, 0), kBlack);
  SelectObject(mono, old);
  DeleteObject(mask);
  DeleteDC(mono);
}

TEST(Blit, StretchRepeatsShrinksAndMirrors) {
  Canvas source(3, 2);
  Paint(source);
  struct Case {
    const char* name;
    int x, y, w, h;
    int (*from_x)(int), (*from_y)(int);  // target offset -> source pixel
    int tw, th;
  };
  const Case cases[] = {
      {"double", 0, 0, 6, 4, [](int i) { return i / 2; }, [](int j) { return j / 2; }, 6, 4},
      {"mirror x", 2, 0, -3, 2, [](int i) { return 2 - i; }, [](int j) { return j; }, 3, 2},
      {"mirror y", 0, 1, 3, -2, [](int i) { return i; }, [](int j) { return 1 - j; }, 3, 2},
  };
  for (const Case& c : cases) {
    Canvas target(6, 4);
    SetStretchBltMode(target.dc(), COLORONCOLOR);
    // Mirrored targets start at their far corner: (2, 0) with width -3
    // covers columns 0..2 read from the right.
    const int x = c.w < 0 ? c.x + 1 : c.x;
    const int y = c.h < 0 ? c.y + 1 : c.y;
    EXPECT_TRUE(StretchBlt(target.dc(), x, y, c.w, c.h, source.dc(), 0, 0, 3, 2, SRCCOPY));
    Canvas expected(6, 4, kWhite);
    for (int j = 0; j < c.th; ++j) {
      for (int i = 0; i < c.tw; ++i) expected.Set(i, j, Source(c.from_x(i), c.from_y(j)));
    }
    EXPECT_TRUE(SamePixels(target, expected)) << c.name;
  }
  // Shrinking keeps every other pixel.
  Canvas big(6, 4);
  StretchBlt(big.dc(), 0, 0, 6, 4, source.dc(), 0, 0, 3, 2, SRCCOPY);
  Canvas small(3, 2);
  StretchBlt(small.dc(), 0, 0, 3, 2, big.dc(), 0, 0, 6, 4, SRCCOPY);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) EXPECT_EQ(small.At(x, y), Source(x, y));
  }
}

TEST(Blit, OverlappingCopyOntoItself) {
  Canvas canvas(5, 1);
  for (int x = 0; x < 5; ++x) SetPixel(canvas.dc(), x, 0, RGB(x, 0, 0));
  BitBlt(canvas.dc(), 1, 0, 4, 1, canvas.dc(), 0, 0, SRCCOPY);
  const COLORREF want[] = {RGB(0, 0, 0), RGB(0, 0, 0), RGB(1, 0, 0), RGB(2, 0, 0), RGB(3, 0, 0)};
  for (int x = 0; x < 5; ++x) EXPECT_EQ(canvas.At(x, 0), want[x]) << x;
}

}  // namespace
