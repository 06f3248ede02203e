// Fonts resolved and measured, with the DejaVu Sans file pinned so the
// figures do not depend on what else is installed. Metrics, not pixels.
#include <cstring>

#include <gtest/gtest.h>

#include "platform/gdi/font_engine.h"

namespace {

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

LOGFONTA Font(LONG height, const char* face = "MS Sans Serif", LONG weight = 400) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
  return font;
}

class Fonts : public testing::Test {
 protected:
  Fonts() { gdi::PinFontFile(kDejaVuSans); }
  ~Fonts() override { gdi::PinFontFile({}); }
};

TEST_F(Fonts, NegativeHeightIsTheCharacterHeightPositiveTheCell) {
  // DejaVu Sans: 2048 units to the em, cell 1901 up and 483 down.
  const struct {
    LONG height;
    int cell, ascent, descent, leading;
  } cases[] = {
      {-11, 13, 10, 3, 2},  // the form's font: a 13-pixel text height
      {-13, 15, 12, 3, 2}, {-8, 9, 7, 2, 1},
      {13, 13, 10, 3, 2},  {0, 14, 11, 3, 2},  // the default of 12
  };
  for (const auto& c : cases) {
    const gdi::FontMetrics& m = gdi::ResolveFont(Font(c.height)).metrics();
    EXPECT_EQ(m.height, c.cell) << c.height;
    EXPECT_EQ(m.ascent, c.ascent) << c.height;
    EXPECT_EQ(m.descent, c.descent) << c.height;
    EXPECT_EQ(m.internal_leading, c.leading) << c.height;
  }
}

TEST_F(Fonts, ExtentsAddUpAndCyrillicIsMeasured) {
  const gdi::Face& face = gdi::ResolveFont(Font(-11));
  const SIZE ab = face.Extent("ab");
  EXPECT_EQ(ab.cx, face.Advance('a') + face.Advance('b'));
  EXPECT_EQ(ab.cy, 13);
  EXPECT_EQ(face.Extent("").cx, 0);
  // "Частота" in code page 1251: every letter has a width of its own.
  for (const char c : std::string("\xD7\xE0\xF1\xF2\xEE\xF2\xE0")) EXPECT_GT(face.Advance(c), 0);
  EXPECT_GT(face.metrics().ave_char_width, 0);
  EXPECT_GE(face.metrics().max_char_width, face.Advance('W'));
}

TEST_F(Fonts, GlyphsStayInTheCellAndAreRenderedOnce) {
  const gdi::Face& face = gdi::ResolveFont(Font(-11));
  for (const char c : std::string("Hgj\xD4\xF0\xF3")) {  // "Фру" reach above and below
    const gdi::Glyph& glyph = face.GlyphOf(c);
    EXPECT_GT(glyph.width * glyph.rows, 0) << c;
    EXPECT_GE(glyph.top, 0) << c;
    EXPECT_LE(glyph.top + glyph.rows, face.metrics().height) << c;
    EXPECT_EQ(glyph.coverage.size(), static_cast<std::size_t>(glyph.width * glyph.rows)) << c;
    EXPECT_EQ(&face.GlyphOf(c), &glyph) << c;
  }
}

TEST(FontsUnpinned, AnyFaceNameResolvesToAnInstalledFace) {
  for (const char* name : {"MS Sans Serif", "Tahoma", "No Such Face", ""}) {
    EXPECT_GT(gdi::ResolveFont(Font(-11, name)).metrics().height, 0) << name;
  }
}

}  // namespace
