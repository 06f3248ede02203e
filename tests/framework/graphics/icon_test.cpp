// Icons read from icon-file data: a 16-colour picture with its mask drawn
// where the mask lets it through, and data that holds no icon refused.
#include <gtest/gtest.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/icon.h"
#include "framework/streaming/streams.h"
#include "tests/support/fw_objects.h"

namespace {

void Put16(std::vector<unsigned char>& out, unsigned v) {
  out.push_back(static_cast<unsigned char>(v));
  out.push_back(static_cast<unsigned char>(v >> 8));
}
void Put32(std::vector<unsigned char>& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// A 2 x 2 icon of 16 colours: red top left, blue beside and below it, the
// bottom right pixel left out by the mask.
std::vector<unsigned char> TinyIcon() {
  std::vector<unsigned char> image;
  Put32(image, 40);
  Put32(image, 2);
  Put32(image, 4);  // colours and mask
  Put16(image, 1);
  Put16(image, 4);
  for (int i = 0; i < 6; ++i) Put32(image, 0);
  for (int i = 0; i < 16; ++i) Put32(image, i == 1 ? 0xFF0000u : i == 2 ? 0x0000FFu : 0);
  // Rows bottom first, four bytes each: bottom (blue, black), top (red, blue);
  // a pixel the mask leaves out is black, as icons keep it.
  for (unsigned row : {0x20000000u, 0x12000000u}) {
    for (int shift = 24; shift >= 0; shift -= 8)
      image.push_back(static_cast<unsigned char>(row >> shift));
  }
  for (unsigned row : {0x40000000u, 0x00000000u}) {  // mask: bottom right out
    for (int shift = 24; shift >= 0; shift -= 8)
      image.push_back(static_cast<unsigned char>(row >> shift));
  }
  std::vector<unsigned char> file;
  Put16(file, 0);
  Put16(file, 1);
  Put16(file, 1);
  file.insert(file.end(), {2, 2, 16, 0});
  Put16(file, 1);
  Put16(file, 4);
  Put32(file, static_cast<unsigned>(image.size()));
  Put32(file, 22);
  file.insert(file.end(), image.begin(), image.end());
  return file;
}

TEST(Icons, ReadDrawnAndRefused) {
  const auto icon = Make<TIcon>();
  TMemoryStream stream(TinyIcon());
  icon->LoadFromStream(stream);
  EXPECT_EQ(icon->Width(), 2);
  EXPECT_EQ(icon->Height(), 2);
  ASSERT_NE(icon->Handle(), nullptr);

  const auto bitmap = Make<TBitmap>();
  bitmap->SetWidth(2);
  bitmap->SetHeight(2);
  bitmap->Canvas()->Brush()->SetColor(clLime);
  bitmap->Canvas()->FillRect({0, 0, 2, 2});
  bitmap->Canvas()->Draw(0, 0, icon.get());
  const struct {
    int x, y;
    COLORREF colour;
  } pixels[] = {{0, 0, 0x0000FF}, {1, 0, 0xFF0000}, {0, 1, 0xFF0000}, {1, 1, 0x00FF00}};
  for (const auto& p : pixels) {
    EXPECT_EQ(bitmap->Canvas()->Pixel(p.x, p.y), p.colour) << p.x << "," << p.y;
  }

  TMemoryStream junk(std::vector<unsigned char>{'B', 'M', 0, 0});
  EXPECT_EQ(RaisedMessage([&] { icon->LoadFromStream(junk); }), "Icon image is not valid");
  EXPECT_EQ(RaisedMessage([&] { icon->SetWidth(3); }), "Cannot change the size of an icon");
  EXPECT_EQ(icon->Width(), 2);  // a refused load keeps the icon
}

}  // namespace
