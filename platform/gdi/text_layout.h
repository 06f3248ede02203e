// Where the lines of a DrawTextA call go: prefixes, tabs, line and word
// breaks, alignment, and the rectangle DT_CALCRECT reports. Pure layout; the
// caller draws.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include <platform/gdi.h>
#include <platform/windows.h>

#include "font_engine.h"

namespace gdi {

struct TextLine {
  std::string text;  // prefixes removed, tabs kept
  int x = 0;         // where the line starts
  int y = 0;         // the top of its cell
  int width = 0;
  int underline = -1;  // index in `text` of the accelerator, or -1
};

struct TextLayout {
  std::vector<TextLine> lines;
  RECT bounds{};   // what DT_CALCRECT reports
  int height = 0;  // what DrawTextA returns
};

TextLayout LayOutText(std::string_view text, const RECT& rect, UINT format, const Face& face);

// The width of a line whose tabs expand to the next tab stop (eight average
// character widths) when `expand_tabs` is set.
int LineWidth(std::string_view line, const Face& face, bool expand_tabs);

}  // namespace gdi
