// Which face a font name gets, through fontconfig as the program asks it
// (nothing pinned): the classic interface faces become Liberation Sans, every
// name gets a face with the Russian letters, and the main form's texts fit
// the widths they were laid out for.
#include <cstring>
#include <filesystem>
#include <string>

#include <ft2build.h>
#include <gtest/gtest.h>
#include FT_FREETYPE_H
#include <platform/api.h>
#include <platform/codepage.h>

#include "platform/gdi/font_match.h"

namespace {

LOGFONTA Font(const char* face, LONG height = -11, LONG weight = 400) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = weight;
  std::strncpy(font.lfFaceName, face, sizeof font.lfFaceName - 1);
  return font;
}

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

TEST(FontMatch, ClassicInterfaceFacesBecomeLiberationSans) {
  const struct {
    const char* face;
    LONG weight;
    const char* file;
  } cases[] = {
      {"MS Sans Serif", 400, "LiberationSans-Regular.ttf"},
      {"MS Sans Serif", 700, "LiberationSans-Bold.ttf"},
      {"Microsoft Sans Serif", 400, "LiberationSans-Regular.ttf"},
      {"Tahoma", 400, "LiberationSans-Regular.ttf"},
      {"Arial", 700, "LiberationSans-Bold.ttf"},
  };
  for (const auto& c : cases) {
    const gdi::FontFile file = gdi::MatchFont(Font(c.face, -11, c.weight));
    EXPECT_EQ(std::filesystem::path(file.path).filename(), c.file) << c.face << " " << c.weight;
  }
}

TEST(FontMatch, EveryNameGetsAFaceWithTheRussianLetters) {
  // DejaVu Math TeX Gyre (where fonts-dejavu-extra is installed) has no
  // Cyrillic: asked for by name, it still gives way.
  for (const char* name :
       {"MS Sans Serif", "Serif", "Monospace", "No Such Face", "", "DejaVu Math TeX Gyre"}) {
    const gdi::FontFile file = gdi::MatchFont(Font(name));
    ASSERT_FALSE(file.path.empty()) << name;
    EXPECT_EQ(MissingRussianLetters(file), 0) << name << ": " << file.path;
  }
}

// The captions of resources/main_form.form's labels, buttons and check box in
// the form's font, against the width each control gives its text.
TEST(FontMatch, MainFormTextsFitTheirDesignedWidths) {
  constexpr int kButtonEdges = 8;  // a 3-D edge, the focus frame and a gap on either side
  constexpr int kCheckBox = 17;    // the 13-pixel box and the gap before the text
  const struct {
    const char* control;
    std::string_view caption;
    LONG height;
    int width;  // the control's Width less what is not text
    int slack;
  } cases[] = {
      {"Label1", "Частота (имп/с)"_cp1251, -11, 82, 2},
      {"Label2", "Длительность импульса (мкс)"_cp1251, -11, 154, 2},
      {"Label3", "Число импульсов"_cp1251, -11, 90, 2},
      // Set 85 wide, the label ends at 158, still short of Edit5 at 168.
      {"Label4", "Sample Rate (Гц)"_cp1251, -11, 82, 3},
      {"Label5", "Рабочий файл"_cp1251, -11, 71, 2},
      {"Label7", "Задержка  стимуляции (сек)"_cp1251, -11, 144, 2},
      {"Label8", "стимул"_cp1251, -11, 36, 2},
      {"Label10", "ноль"_cp1251, -11, 24, 2},
      {"Button1", "Стимулировать"_cp1251, -13, 161 - kButtonEdges, 2},
      {"Button2", "About"_cp1251, -11, 41 - kButtonEdges, 2},
      {"Button3", "Default"_cp1251, -11, 49 - kButtonEdges, 2},
      {"CheckBox2", "Стимулировать непрерывно"_cp1251, -11, 161 - kCheckBox, 2},
  };
  HDC dc = CreateCompatibleDC(nullptr);
  for (const auto& c : cases) {
    const LOGFONTA log = Font("MS Sans Serif", c.height);
    HFONT font = CreateFontIndirectA(&log);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size{};
    ASSERT_TRUE(
        GetTextExtentPoint32A(dc, c.caption.data(), static_cast<int>(c.caption.size()), &size));
    EXPECT_LE(size.cx, c.width + c.slack) << c.control;
    SelectObject(dc, old);
    DeleteObject(font);
  }
  DeleteDC(dc);
}

}  // namespace
