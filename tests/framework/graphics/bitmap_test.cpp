// Bitmaps: images shared until one of the bitmaps draws, resizing that keeps
// the old pixels and fills the rest, and drawing a bitmap into another canvas.
#include <gtest/gtest.h>

#include "framework/graphics/bitmap.h"
#include "tests/platform/gdi/canvas.h"
#include "tests/support/fw_objects.h"

namespace {

using OwnedBitmap = Owned<TBitmap>;

OwnedBitmap MakeBitmap(int width, int height) {
  OwnedBitmap bitmap = Make<TBitmap>();
  bitmap->SetWidth(width);
  bitmap->SetHeight(height);
  return bitmap;
}

// Every pixel of the bitmap as its canvas reads it.
std::vector<COLORREF> Pixels(TBitmap& bitmap) {
  std::vector<COLORREF> pixels;
  for (int y = 0; y < bitmap.Height(); ++y) {
    for (int x = 0; x < bitmap.Width(); ++x) pixels.push_back(bitmap.Canvas()->Pixel(x, y));
  }
  return pixels;
}

TEST(Bitmap, DrawingOnOneOfTwoSharingBitmapsLeavesTheOther) {
  OwnedBitmap first = MakeBitmap(3, 2);
  first->Canvas()->SetPixel(1, 1, clRed);
  OwnedBitmap second = Make<TBitmap>();
  second->Assign(first.get());
  EXPECT_EQ(second->Handle(), first->Handle());
  EXPECT_EQ(first->Image().RefCount, 2);

  second->Canvas()->SetPixel(0, 0, clBlue);  // copies the image first
  EXPECT_NE(second->Handle(), first->Handle());
  EXPECT_EQ(Pixels(*first), (std::vector<COLORREF>{clWhite, clWhite, clWhite,  //
                                                   clWhite, clRed, clWhite}));
  EXPECT_EQ(Pixels(*second), (std::vector<COLORREF>{clBlue, clWhite, clWhite,  //
                                                    clWhite, clRed, clWhite}));

  first->Canvas()->SetPixel(2, 0, clLime);  // alone with its image again: no copy
  EXPECT_EQ(first->Image().RefCount, 1);
  EXPECT_EQ(second->Canvas()->Pixel(2, 0), COLORREF{clWhite});
}

TEST(Bitmap, ResizingKeepsTheOldPixelsAndFillsTheRest) {
  const struct {
    const char* what;
    TColor brush;  // clNone: no canvas before the resize
    COLORREF fill;
  } cases[] = {
      {"without a canvas", clNone, 0xFFFFFF},
      {"with the canvas's brush", clAqua, clAqua},
  };
  for (const auto& c : cases) {
    OwnedBitmap bitmap = MakeBitmap(2, 2);
    bitmap->Canvas()->SetPixel(0, 0, clRed);
    bitmap->Canvas()->SetPixel(1, 1, clGreen);
    OwnedBitmap resized = Make<TBitmap>();
    resized->Assign(bitmap.get());
    if (c.brush != clNone) resized->Canvas()->Brush()->SetColor(c.brush);
    resized->SetSize(3, 3);
    const COLORREF f = c.fill;
    EXPECT_EQ(Pixels(*resized), (std::vector<COLORREF>{clRed, clWhite, f,    //
                                                       clWhite, clGreen, f,  //
                                                       f, f, f}))
        << c.what;
    EXPECT_EQ(Pixels(*bitmap).size(), 4u) << c.what;  // the shared one is left as it was
  }
}

TEST(Bitmap, AZeroSizeHasNoImage) {
  OwnedBitmap bitmap = MakeBitmap(4, 0);
  EXPECT_TRUE(bitmap->Empty());
  EXPECT_EQ(bitmap->Handle(), nullptr);
  bitmap->SetHeight(2);
  EXPECT_FALSE(bitmap->Empty());
  EXPECT_EQ(Pixels(*bitmap), std::vector<COLORREF>(8, clWhite));
}

TEST(Bitmap, DrawsIntoAnotherCanvasAndTellsOfItsOwnChanges) {
  OwnedBitmap bitmap = MakeBitmap(2, 2);
  EventCounter changes;
  bitmap->OnChange = MethodOf<&EventCounter::Count>(&changes);
  bitmap->Canvas()->Brush()->SetColor(clMaroon);
  bitmap->Canvas()->FillRect({0, 0, 2, 2});
  EXPECT_EQ(changes.count, 1);
  EXPECT_TRUE(bitmap->Modified());

  Canvas surface(6, 6);
  const auto target = Make<TCanvas>();
  target->SetHandle(surface.dc());
  target->Draw(1, 1, bitmap.get());
  EXPECT_EQ(surface.At(1, 1), COLORREF{clMaroon});
  EXPECT_EQ(surface.At(2, 2), COLORREF{clMaroon});
  EXPECT_EQ(surface.At(3, 3), 0xFFFFFFu);
  target->StretchDraw({2, 2, 6, 6}, bitmap.get());
  EXPECT_EQ(surface.At(5, 5), COLORREF{clMaroon});
  EXPECT_EQ(GetStretchBltMode(surface.dc()), COLORONCOLOR);
  target->SetHandle(nullptr);
  EXPECT_EQ(changes.count, 1);  // drawing the bitmap elsewhere leaves it alone
}

}  // namespace
