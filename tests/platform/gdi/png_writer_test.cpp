// PNG pictures of bitmaps, read back with libpng.
#include <gtest/gtest.h>
#include <platform/picture.h>

#include "tests/platform/gdi/canvas.h"
#include "tests/support/png_image.h"
#include "tests/support/temp_dir.h"

namespace {

TEST(PngWriter, ABitmapRoundTrips) {
  TempDir dir;
  Canvas canvas(3, 2, RGB(1, 2, 3));
  SetPixel(canvas.dc(), 2, 1, RGB(200, 100, 50));
  ASSERT_TRUE(SaveBitmapPicture(canvas.bitmap(), dir.File("b.png").c_str()));
  const PngImage image = ReadPng(dir.File("b.png"));
  ASSERT_EQ(image.width, 3);
  ASSERT_EQ(image.height, 2);
  EXPECT_EQ(image.At(0, 0), RGB(1, 2, 3));
  EXPECT_EQ(image.At(2, 1), RGB(200, 100, 50));
  EXPECT_FALSE(SaveBitmapPicture(canvas.bitmap(), dir.File("missing/b.png").c_str()));
}

}  // namespace
