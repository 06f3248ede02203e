// Bitmaps: the layout of a DIB section's bits, monochrome bitmaps from bits,
// and GetDIBits reading a mask.
#include <cstdint>
#include <vector>

#include <gtest/gtest.h>
#include <platform/gdi.h>
#include <platform/windows.h>

#include "platform/gdi/surface.h"

namespace {

// Row 0 is first in memory for a negative height, last for a positive one;
// each pixel's bytes are blue, green, red, reserved.
TEST(Bitmaps, DibSectionBitsAreReadableInTheApisLayout) {
  for (int height : {-3, 3}) {
    BITMAPINFO info = gdi::TopDown32(2, 3);
    info.bmiHeader.biHeight = height;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    ASSERT_NE(bitmap, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, bitmap);
    SetPixel(dc, 1, 0, RGB(0x11, 0x22, 0x33));
    const std::uint8_t* pixel = static_cast<const std::uint8_t*>(bits) + (height < 0 ? 0 : 16) + 4;
    EXPECT_EQ(std::vector(pixel, pixel + 4), (std::vector<std::uint8_t>{0x33, 0x22, 0x11, 0}))
        << height;

    DIBSECTION section{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmBits, bits);
    EXPECT_EQ(section.dsBm.bmWidthBytes, 8);
    EXPECT_EQ(section.dsBmih.biHeight, height);
    BITMAP plain{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof plain, &plain), static_cast<int>(sizeof plain));
    EXPECT_EQ(plain.bmHeight, 3);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(bitmap);
  }
}

TEST(Bitmaps, MonochromeFromBitsAndBackThroughGetDIBits) {
  // 3 x 2, rows padded to 16 bits: 101 / 010.
  const std::uint8_t bits[] = {0xA0, 0x00, 0x40, 0x00};
  HBITMAP mask = CreateBitmap(3, 2, 1, 1, bits);
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, mask);
  EXPECT_EQ(GetPixel(dc, 0, 0), 0xFFFFFFu);
  EXPECT_EQ(GetPixel(dc, 1, 0), 0u);
  EXPECT_EQ(GetPixel(dc, 1, 1), 0xFFFFFFu);
  // Colours drawn on it become the nearer of black and white.
  EXPECT_EQ(SetPixel(dc, 2, 1, RGB(200, 200, 200)), 0xFFFFFFu);
  SelectObject(dc, old);

  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } info{};
  info.header.biSize = sizeof(BITMAPINFOHEADER);
  EXPECT_EQ(
      GetDIBits(dc, mask, 0, 2, nullptr, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS), 2);
  EXPECT_EQ(info.header.biBitCount, 1);
  // Bottom-up by default: the first line read is the last row.
  std::uint8_t out[8] = {};
  info.header.biHeight = 2;
  EXPECT_EQ(GetDIBits(dc, mask, 0, 2, out, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
            2);
  EXPECT_EQ(out[0], 0x60);  // row 1, 011 since SetPixel above
  EXPECT_EQ(out[4], 0xA0);
  EXPECT_EQ(info.colors[1].rgbRed, 255);
  DeleteDC(dc);
  DeleteObject(mask);
}

TEST(Bitmaps, ZeroSizesGiveAOneByOneMonochromeBitmap) {
  HDC screen = GetDC(nullptr);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 0, 5);
  BITMAP info{};
  GetObjectA(bitmap, sizeof info, &info);
  EXPECT_EQ(info.bmWidth, 1);
  EXPECT_EQ(info.bmBitsPixel, 1);
  HBITMAP colour = CreateCompatibleBitmap(screen, 3, 5);
  GetObjectA(colour, sizeof info, &info);
  EXPECT_EQ(info.bmBitsPixel, 32);
  ReleaseDC(nullptr, screen);
  DeleteObject(bitmap);
  DeleteObject(colour);
  BITMAPINFO eight = gdi::TopDown32(2, 2);
  eight.bmiHeader.biBitCount = 8;
  EXPECT_EQ(CreateDIBSection(nullptr, &eight, DIB_RGB_COLORS, nullptr, nullptr, 0), nullptr);
}

}  // namespace
