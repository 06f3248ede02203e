// Icons: the mask keeps the background where it is set, the image is drawn
// where it is clear; stretched when asked.
#include <gtest/gtest.h>
#include <platform/icons.h>
#include <platform/windows.h>

#include "tests/platform/gdi/canvas.h"

namespace {

constexpr COLORREF kBlue = RGB(0, 0, 255), kRed = RGB(255, 0, 0);

TEST(Icons, MaskThenImage) {
  // 2 x 2: the top-left pixel is transparent (mask 1, image black).
  const WORD mask_rows[2] = {0x80, 0x00};  // rows padded to 16 bits
  HBITMAP mask = CreateBitmap(2, 2, 1, 1, mask_rows);
  Canvas image(2, 2, kRed);
  SetPixel(image.dc(), 0, 0, RGB(0, 0, 0));
  HBITMAP color = static_cast<HBITMAP>(GetCurrentObject(image.dc(), OBJ_BITMAP));
  const ICONINFO info{TRUE, 0, 0, mask, color};
  HICON icon = CreateIconIndirect(&info);
  ASSERT_NE(icon, nullptr);
  DeleteObject(mask);

  Canvas target(6, 4, kBlue);
  EXPECT_TRUE(DrawIconEx(target.dc(), 1, 1, icon, 0, 0, 0, nullptr, DI_NORMAL));
  EXPECT_EQ(target.At(1, 1), kBlue);  // transparent
  EXPECT_EQ(target.At(2, 1), kRed);
  EXPECT_EQ(target.At(1, 2), kRed);
  EXPECT_EQ(target.At(0, 0), kBlue);  // outside
  EXPECT_EQ(target.At(3, 1), kBlue);

  Canvas stretched(4, 4, kBlue);
  DrawIconEx(stretched.dc(), 0, 0, icon, 4, 4, 0, nullptr, DI_NORMAL);
  EXPECT_EQ(stretched.At(1, 1), kBlue);
  EXPECT_EQ(stretched.At(2, 0), kRed);
  EXPECT_EQ(stretched.At(3, 3), kRed);

  EXPECT_TRUE(DestroyIcon(icon));
  EXPECT_TRUE(DrawIconEx(target.dc(), 0, 0, LoadIconA(nullptr, IDI_APPLICATION), 0, 0, 0, nullptr,
                         DI_NORMAL));
}

}  // namespace
