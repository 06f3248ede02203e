// Fonts: a logical font resolved through fontconfig to an installed face,
// measured and rendered with FreeType (outlines grayscale anti-aliased, a
// bitmap face's strikes one bit deep). Texts are code page 1251; they are
// mapped to Unicode here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <platform/types.h>
#include <platform/windows.h>

namespace gdi {

struct FontMetrics {
  int height = 0;  // ascent + descent: the cell
  int ascent = 0;
  int descent = 0;
  int internal_leading = 0;  // cell height less the character height
  int external_leading = 0;
  int ave_char_width = 0;
  int max_char_width = 0;
  int weight = 400;
  bool italic = false;
  bool raster = false;  // the cells of a bitmap face (see raster_faces.h)
  // Where decorations go, from the cell's top, and their thickness.
  int underline_position = 0;
  int strikeout_position = 0;
  int line_thickness = 1;

  // The distance between tab stops: eight average characters.
  int TabWidth() const { return 8 * (ave_char_width > 0 ? ave_char_width : 1); }
};

// One character rendered: its coverage bitmap and where it goes.
struct Glyph {
  int advance = 0;  // from this pen position to the next, in pixels
  int left = 0;     // from the pen to the bitmap's first column
  int top = 0;      // from the cell's top to the bitmap's first row
  int width = 0;
  int rows = 0;
  std::vector<std::uint8_t> coverage;  // width x rows, row by row, 0 to 255
};

class Face {
 public:
  virtual ~Face() = default;
  virtual const FontMetrics& metrics() const = 0;
  // One code page 1251 character, rendered on first use and kept as long as
  // the face; any thread may ask.
  virtual const Glyph& GlyphOf(char c) const = 0;

  int Advance(char c) const { return GlyphOf(c).advance; }
  // The width of the text (sum of advances) and the cell height.
  SIZE Extent(std::string_view text) const;
};

// The face for a logical font, cached for the life of the process. A face
// name of any kind resolves to an installed face; a negative height is the
// character height, a positive one the cell height, 0 a default of 12.
const Face& ResolveFont(const LOGFONTA& font);

// For tests: every font resolves to this file (a different file per weight
// or slant is not looked for).
void PinFontFile(const std::string& path);

}  // namespace gdi
