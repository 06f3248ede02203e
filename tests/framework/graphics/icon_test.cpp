// Icons read from icon-file data: a 16-colour picture with its mask drawn
// where the mask lets it through, and data that holds no icon refused.
#include <gtest/gtest.h>

#include "framework/graphics/bitmap.h"
#include "framework/graphics/icon.h"
#include "framework/streaming/streams.h"
#include "tests/framework/streaming/form_bytes.h"
#include "tests/support/fw_objects.h"

namespace {

// A 2 x 2 icon of 16 colours: red top left, blue beside and below it, the
// bottom right pixel left out by the mask.
std::vector<unsigned char> TinyIcon() {
  using U16 = std::uint16_t;
  FormBytes image;
  image.LittleEndian(40u).LittleEndian(2u).LittleEndian(4u);  // colours and mask
  image.LittleEndian(U16{1}).LittleEndian(U16{4});
  for (int i = 0; i < 6; ++i) image.LittleEndian(0u);
  for (unsigned i = 0; i < 16; ++i) image.LittleEndian(i == 1 ? 0xFF0000u : i == 2 ? 0xFFu : 0u);
  // Rows bottom first, four bytes each: bottom (blue, black), top (red, blue),
  // a pixel the mask leaves out black, as icons keep it; then the mask rows.
  image.bytes.insert(image.bytes.end(), {0x20, 0, 0, 0, 0x12, 0, 0, 0, 0x40, 0, 0, 0, 0, 0, 0, 0});
  FormBytes file;
  file.LittleEndian(U16{0}).LittleEndian(U16{1}).LittleEndian(U16{1});
  file.Byte(2).Byte(2).Byte(16).Byte(0).LittleEndian(U16{1}).LittleEndian(U16{4});
  file.LittleEndian(static_cast<std::uint32_t>(image.bytes.size())).LittleEndian(22u);
  file.bytes.insert(file.bytes.end(), image.bytes.begin(), image.bytes.end());
  return file.bytes;
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
