// Fonts resolved and measured, with a font file pinned so the figures do
// not depend on what else is installed. Metrics, not pixels.
#include <tuple>

#include <gtest/gtest.h>
#include <platform/codepage.h>

#include "platform/gdi/font_engine.h"
#include "tests/platform/gdi/canvas.h"

namespace {

constexpr const char* kDejaVuSans = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
constexpr const char* kLiberationSans =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf";
constexpr const char* kLiberationSansBold =
    "/usr/share/fonts/truetype/liberation2/LiberationSans-Bold.ttf";
constexpr const char* kBitmapSans = "/usr/share/wine/fonts/ms_sans_serif.ttf";

class Fonts : public testing::Test {
 protected:
  Fonts() { gdi::PinFontFile(kDejaVuSans); }
  ~Fonts() override { gdi::PinFontFile({}); }
};

TEST_F(Fonts, CellAndAverageWidthFollowTheFacesTablesOrTheBitmapFacesSizes) {
  // 2048 units to the em in both. DejaVu Sans: cell 1901 up and 483 down, an
  // average width of 1038. Liberation Sans: 1854 and 434, 1187 (bold 1248).
  // A negative height is the character height, a positive one the cell.
  // "MS Sans Serif" keeps the cells of its bitmap sizes whatever draws it:
  // the nearest size, a larger one only when much nearer. Its own file
  // measures by its strikes: a caption of the main form is 154 pixels at 8
  // points, as the form was laid out.
  constexpr const char* kSans = "MS Sans Serif";
  const std::string_view caption = "Длительность импульса (мкс)"_cp1251;
  const struct {
    const char* file;
    const char* face;
    LONG height, weight;
    int cell, ascent, descent, leading, average;
    int caption = 0;  // measured when not 0
  } cases[] = {
      {kDejaVuSans, "Arial", -11, 400, 13, 10, 3, 2, 6},
      {kDejaVuSans, "Arial", -13, 400, 15, 12, 3, 2, 7},
      {kDejaVuSans, "Arial", -8, 400, 9, 7, 2, 1, 4},
      {kDejaVuSans, "Arial", 13, 400, 13, 10, 3, 2, 6},
      {kDejaVuSans, "Arial", 0, 400, 14, 11, 3, 2, 6},  // the default of 12
      {kLiberationSans, "Arial", -11, 400, 12, 10, 2, 1, 6},
      {kLiberationSans, "Arial", -13, 400, 15, 12, 3, 2, 8},
      {kLiberationSans, "Arial", 12, 400, 12, 10, 2, 1, 6},
      {kLiberationSansBold, "Arial", -11, 700, 12, 10, 2, 1, 7},
      {kLiberationSans, kSans, -11, 400, 13, 11, 2, 2, 5},  // 8 points: the form's font
      {kDejaVuSans, kSans, -11, 400, 13, 11, 2, 2, 5},
      {kLiberationSans, kSans, -13, 400, 16, 13, 3, 3, 6},           // 10 points
      {kLiberationSans, kSans, -16, 400, 20, 16, 4, 4, 7},           // 12 points
      {kLiberationSans, kSans, -12, 400, 13, 11, 2, 2, 5},           // between 8 and 10
      {kLiberationSans, kSans, -40, 400, 37, 29, 8, 5, 15},          // beyond 24 points
      {kLiberationSans, "ms sans serif", 13, 400, 13, 11, 2, 2, 5},  // a cell height
      {kBitmapSans, kSans, -11, 400, 13, 11, 2, 2, 5, 154},
      {kBitmapSans, kSans, 13, 400, 13, 11, 2, 2, 5, 154},
      {kBitmapSans, kSans, -13, 400, 16, 13, 3, 3, 6, 192},
      {kBitmapSans, kSans, -16, 400, 20, 16, 4, 4, 7, 229},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.file) + " " + c.face + " " + std::to_string(c.height));
    gdi::PinFontFile(c.file);
    const gdi::Face& face = gdi::ResolveFont(LogFont(c.face, c.height, c.weight));
    const gdi::FontMetrics& m = face.metrics();
    EXPECT_EQ(std::tuple(m.height, m.ascent, m.descent, m.internal_leading, m.ave_char_width),
              std::tuple(c.cell, c.ascent, c.descent, c.leading, c.average));
    if (c.caption != 0) {
      EXPECT_EQ(face.Extent(caption).cx, c.caption);
    }
  }
  // The bitmap face is drawn with the outline at its character height, on
  // its own baseline.
  gdi::PinFontFile(kLiberationSans);
  const gdi::Face& bitmap = gdi::ResolveFont(LogFont(kSans));
  const gdi::Face& outline = gdi::ResolveFont(LogFont("Arial"));
  EXPECT_EQ(bitmap.Extent("Tavrion").cx, outline.Extent("Tavrion").cx);
  EXPECT_EQ(bitmap.GlyphOf('H').top - outline.GlyphOf('H').top, 1);
}

TEST_F(Fonts, ExtentsAddUpAndCyrillicIsMeasured) {
  const gdi::Face& face = gdi::ResolveFont(LogFont("Arial"));
  const SIZE ab = face.Extent("ab");
  EXPECT_EQ(ab.cx, face.Advance('a') + face.Advance('b'));
  EXPECT_EQ(ab.cy, 13);
  EXPECT_EQ(face.Extent("").cx, 0);
  for (const char c : "Частота"_cp1251) EXPECT_GT(face.Advance(c), 0) << c;
  EXPECT_GE(face.metrics().max_char_width, face.Advance('W'));
}

TEST_F(Fonts, GlyphsStayInTheCellAndAreRenderedOnce) {
  const gdi::Face& face = gdi::ResolveFont(LogFont("Arial"));
  for (const char c : "HgjФру"_cp1251) {  // reaching above and below
    const gdi::Glyph& glyph = face.GlyphOf(c);
    EXPECT_GT(glyph.width * glyph.rows, 0) << c;
    EXPECT_GE(glyph.top, 0) << c;
    EXPECT_LE(glyph.top + glyph.rows, face.metrics().height) << c;
    EXPECT_EQ(glyph.coverage.size(), static_cast<std::size_t>(glyph.width * glyph.rows)) << c;
    EXPECT_EQ(&face.GlyphOf(c), &glyph) << c;
  }
}

}  // namespace
