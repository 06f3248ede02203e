// Which face a font name gets, through fontconfig as the program asks it
// (nothing pinned): "MS Sans Serif" its own bitmap face at the sizes that
// face has, the other classic interface faces Liberation Sans, and every
// name a face with the Russian letters.
#include <filesystem>
#include <string>

#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H
#include <platform/api.h>
#include <platform/codepage.h>

#include "platform/gdi/font_match.h"
#include "tests/platform/gdi/canvas.h"

namespace {

// How many of the 66 letters of the Russian alphabet the file lacks.
int MissingRussianLetters(const gdi::FontFile& file) {
  FT_Library library = nullptr;
  FT_Init_FreeType(&library);
  FT_Face face = nullptr;
  int missing = 66;
  if (FT_New_Face(library, file.path.c_str(), file.index, &face) == 0) {
    missing = 0;
    for (char32_t c = U'А'; c <= U'я'; ++c) missing += FT_Get_Char_Index(face, c) == 0;
    missing += FT_Get_Char_Index(face, U'Ё') == 0;
    missing += FT_Get_Char_Index(face, U'ё') == 0;
    FT_Done_Face(face);
  }
  FT_Done_FreeType(library);
  return missing;
}

TEST(FontMatch, ClassicInterfaceFacesFindTheirFaces) {
  // The bitmap face has 8, 10 and 12 points, upright and of normal weight;
  // other sizes and styles of it fall to the outline face.
  const struct {
    const char* face;
    LONG height, weight;
    BYTE italic;
    const char* file;
  } cases[] = {
      {"MS Sans Serif", -11, 400, 0, "ms_sans_serif.ttf"},
      {"MS Sans Serif", -13, 400, 0, "ms_sans_serif.ttf"},
      {"MS Sans Serif", 20, 400, 0, "ms_sans_serif.ttf"},
      {"ms sans serif", 0, 0, 0, "ms_sans_serif.ttf"},
      {"MS Sans Serif", -19, 400, 0, "LiberationSans-Regular.ttf"},  // 14 points
      {"MS Sans Serif", -11, 700, 0, "LiberationSans-Bold.ttf"},
      {"MS Sans Serif", -11, 400, 1, "LiberationSans-Italic.ttf"},
      {"Microsoft Sans Serif", -11, 400, 0, "LiberationSans-Regular.ttf"},
      {"Tahoma", -11, 400, 0, "LiberationSans-Regular.ttf"},
      {"Arial", -11, 700, 0, "LiberationSans-Bold.ttf"},
  };
  for (const auto& c : cases) {
    LOGFONTA font = LogFont(c.face, c.height, c.weight);
    font.lfItalic = c.italic;
    const gdi::FontFile file = gdi::MatchFont(font);
    EXPECT_EQ(std::filesystem::path(file.path).filename(), c.file)
        << c.face << " " << c.height << " " << c.weight << " " << int{c.italic};
  }
}

TEST(FontMatch, EveryNameGetsAFaceWithTheRussianLetters) {
  // DejaVu Math TeX Gyre (where fonts-dejavu-extra is installed) has no
  // Cyrillic: asked for by name, it still gives way.
  for (const char* name :
       {"MS Sans Serif", "Serif", "Monospace", "No Such Face", "", "DejaVu Math TeX Gyre"}) {
    const gdi::FontFile file = gdi::MatchFont(LogFont(name));
    ASSERT_FALSE(file.path.empty()) << name;
    EXPECT_EQ(MissingRussianLetters(file), 0) << name << ": " << file.path;
  }
}

// The bitmap face is drawn as it is: every pixel of its glyphs is the
// text's colour or the background's, at each size it has.
TEST(FontMatch, TheBitmapFaceDrawsNoGrey) {
  const std::string_view text = "Частота (имп/с) Sample Rate AVWxgjy"_cp1251;
  for (const LONG height : {-11, -13, -16}) {
    Canvas canvas(200, 24);
    const LOGFONTA log = LogFont("MS Sans Serif", height);
    canvas.Use(CreateFontIndirectA(&log));
    // In the context's own colours: black on white.
    TextOutA(canvas.dc(), 2, 2, text.data(), static_cast<int>(text.size()));
    int ink = 0, grey = 0;
    for (int y = 0; y < canvas.height(); ++y) {
      for (int x = 0; x < canvas.width(); ++x) {
        const COLORREF pixel = canvas.At(x, y);
        ink += pixel == kBlack ? 1 : 0;
        grey += pixel != kBlack && pixel != kWhite ? 1 : 0;
      }
    }
    EXPECT_GT(ink, 0) << height;
    EXPECT_EQ(grey, 0) << height;
  }
}

}  // namespace
