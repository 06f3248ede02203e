// The sizes of the classic bitmap interface face, "MS Sans Serif". Its own
// strikes draw 8, 10 and 12 points; the other sizes, and all of them where
// the face is not installed, are drawn by an outline face in the cells of the
// bitmaps, so texts and controls laid out for it get the heights they were
// laid out with.
#pragma once

#include <optional>

#include <platform/windows.h>

namespace gdi {

// One size of the bitmap face at 96 dots per inch.
struct RasterCell {
  int points;
  int height;  // the cell: ascent + descent
  int ascent;
  int descent;
  int internal_leading;
  int ave_char_width;

  int CharHeight() const { return height - internal_leading; }
};

// The size a font of the bitmap face is given, or nothing for other faces.
// As for any bitmap face the nearest size is taken, a larger one only when
// it is much nearer than the next smaller one.
std::optional<RasterCell> RasterCellFor(const LOGFONTA& font);

}  // namespace gdi
