// The image control on the headless host: the bitmap its canvas hands out,
// what a drawing shows, and the contexts held by control canvases.
#include <gtest/gtest.h>

#include <string>

#include "framework/controls/image.h"
#include "framework/graphics/bitmap.h"
#include "framework/graphics/icon.h"
#include "tests/support/control_sheet.h"
#include "tests/support/fw_objects.h"

namespace {

// A graphic that is no bitmap.
class TShape : public TGraphic {
  TAVRION_CLASS(TShape, TGraphic)

 public:
  int Width() const override { return 4; }
  void SetWidth(int) override {}
  int Height() const override { return 4; }
  void SetHeight(int) override {}
  bool Empty() const override { return false; }
  TGraphic* NewOfSameClass() const override { return Construct<TShape>(); }
  void Assign(TPersistent*) override {}

 protected:
  void Draw(TCanvas*, const RECT&) override {}
};

TAVRION_CLASS_INFO(TShape, "Tests") {}

class Images : public testing::Test {
 protected:
  ~Images() override { FreeShownSheet(sheet_); }
  TImage* AddImage(int width, int height) {
    auto* image = Construct<TImage>(sheet_);
    image->SetBounds(2, 4, width, height);
    image->SetParent(sheet_);
    return image;
  }

  TSheet* sheet_ = MakeShownSheet(600, 200);
};

TEST_F(Images, TheFirstCanvasIsAWhiteBitmapOfTheControlsSizeAndKeepsIt) {
  TImage* image = AddImage(485, 89);
  TCanvas* canvas = image->Canvas();
  auto* bitmap = dynamic_cast<TBitmap*>(image->Picture()->Graphic());
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Width(), 485);
  EXPECT_EQ(bitmap->Height(), 89);
  for (const POINT p : {POINT{0, 0}, POINT{484, 88}}) EXPECT_EQ(canvas->Pixel(p.x, p.y), 0xFFFFFFu);
  canvas->FillRect({0, 0, 485, 89});
  EXPECT_EQ(canvas->Pixel(100, 50), 0xFFFFFFu);
  image->SetBounds(2, 4, 200, 50);
  EXPECT_EQ(image->Canvas(), canvas);
  EXPECT_EQ(bitmap->Width(), 485);
  EXPECT_EQ(bitmap->Height(), 89);
}

TEST_F(Images, ADrawingShowsAtTheNextPaint) {
  TImage* image = AddImage(50, 30);
  UpdateWindow(sheet_->Handle());
  image->Canvas()->SetPixel(5, 6, 0x0000FF);
  UpdateWindow(sheet_->Handle());
  const HDC dc = GetDC(sheet_->Handle());
  EXPECT_EQ(GetPixel(dc, 2 + 5, 4 + 6), 0x0000FFu);
  EXPECT_EQ(GetPixel(dc, 2 + 6, 4 + 6), 0xFFFFFFu);
  ReleaseDC(sheet_->Handle(), dc);
}

TEST_F(Images, OnlyABitmapCanBeDrawnOn) {
  TImage* image = AddImage(50, 30);
  image->Picture()->SetGraphic(Make<TShape>().get());
  EXPECT_EQ(RaisedMessage<EInvalidOperation>([&] { image->Canvas(); }),
            "Can only modify an image if it contains a bitmap");
}

TEST_F(Images, ABitmapTakesTheImagesTransparencyAndAnIconKeepsItsOwn) {
  const struct {
    bool icon;
    bool transparent;  // the image's
    bool graphic_transparent, opaque;
  } cases[] = {{false, false, false, true},
               {false, true, true, false},
               {true, false, true, false},
               {true, true, true, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.icon ? "icon" : "bitmap") + (c.transparent ? " transparent" : ""));
    TImage* image = AddImage(32, 32);  // covered by either graphic
    image->SetTransparent(c.transparent);
    if (c.icon) {
      image->Picture()->Icon()->SetHandle(LoadIconA(nullptr, IDI_ASTERISK));
    } else {
      image->Canvas();
    }
    EXPECT_EQ(image->Picture()->Graphic()->Transparent(), c.graphic_transparent);
    EXPECT_EQ(image->ControlStyle().Has(csOpaque), c.opaque);
    image->Free();
  }
}

TEST_F(Images, AFifthControlCanvasMakesTheOldestGiveItsContextBack) {
  std::vector<TCanvas*> canvases;
  for (int i = 0; i < 5; ++i) {
    canvases.push_back(AddImage(10, 10)->TGraphicControl::Canvas());
    canvases.back()->Handle();
  }
  const std::vector<bool> held = {false, true, true, true, true};
  for (std::size_t i = 0; i < canvases.size(); ++i) {
    EXPECT_EQ(canvases[i]->HandleAllocated(), held[i]) << i;
  }
  FreeDeviceContexts();
  for (TCanvas* canvas : canvases) EXPECT_FALSE(canvas->HandleAllocated());
}

}  // namespace
