// Measuring and drawing text with the context's font: glyphs blended into
// the surface with their coverage, the background by the background mode,
// underline and strike-out lines, and DrawTextA's layout.
#include <algorithm>
#include <cstring>
#include <string_view>

#include <platform/text.h>

#include "device_context.h"
#include "font_engine.h"
#include "objects.h"
#include "raster.h"
#include "text_layout.h"

namespace {

// The font a context draws with: its selected font, else the system font.
LOGFONTA FontOf(gdi::DeviceContext& dc) {
  if (dc.state().font) return dc.state().font->log;
  LOGFONTA font{};
  font.lfHeight = -11;
  font.lfWeight = 400;
  std::strcpy(font.lfFaceName, "MS Sans Serif");
  return font;
}

std::string_view TextOf(LPCSTR text, int count) {
  if (text == nullptr) return {};
  return count < 0 ? std::string_view(text)
                   : std::string_view(text, static_cast<std::size_t>(count));
}

std::uint32_t Blend(std::uint32_t under, std::uint32_t over, std::uint8_t coverage) {
  std::uint32_t out = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const std::uint32_t a = under >> shift & 0xFF;
    const std::uint32_t b = over >> shift & 0xFF;
    out |= ((a * (255 - coverage) + b * coverage + 127) / 255) << shift;
  }
  return out;
}

// Draws one run with its cell's top-left corner at the logical point.
void DrawRun(gdi::DeviceContext& dc, const gdi::Face& face, const LOGFONTA& font, POINT at,
             std::string_view text, const RECT* clip_to, bool opaque_cell, int accelerator) {
  gdi::Painter painter(dc);
  if (!painter.ready()) return;
  const POINT origin = dc.ToDevice(at);
  const gdi::FontMetrics& m = face.metrics();
  const int width = face.Extent(text).cx;
  RECT limit{INT32_MIN / 2, INT32_MIN / 2, INT32_MAX / 2, INT32_MAX / 2};
  if (clip_to != nullptr) {
    const POINT a = dc.ToDevice({clip_to->left, clip_to->top});
    const POINT b = dc.ToDevice({clip_to->right, clip_to->bottom});
    limit = {a.x, a.y, b.x, b.y};
  }
  const bool mono = painter.surface().monochrome();
  const std::uint32_t ink = painter.surface().Match(gdi::ToPixel(dc.text_color()));
  if (opaque_cell) {
    const std::uint32_t paper = painter.surface().Match(gdi::ToPixel(dc.background_color()));
    RECT cell{origin.x, origin.y, origin.x + width, origin.y + m.height};
    IntersectRect(&cell, &cell, &limit);
    painter.ForEach(cell, [&](int, int, std::uint32_t& pixel) { pixel = paper; });
  }
  int pen = origin.x;
  for (const char c : text) {
    const gdi::Glyph& glyph = face.GlyphOf(c);
    const POINT corner{pen + glyph.left, origin.y + glyph.top};
    RECT box{corner.x, corner.y, corner.x + glyph.width, corner.y + glyph.rows};
    IntersectRect(&box, &box, &limit);
    painter.ForEach(box, [&](int x, int y, std::uint32_t& pixel) {
      const std::uint8_t coverage =
          glyph.coverage[static_cast<std::size_t>((y - corner.y) * glyph.width + x - corner.x)];
      if (coverage == 0) return;
      pixel = mono ? (coverage >= 128 ? ink : pixel) : Blend(pixel, ink, coverage);
    });
    pen += glyph.advance;
  }
  const auto line = [&](int from, int to, int row) {
    RECT r{origin.x + from, origin.y + row, origin.x + to, origin.y + row + m.line_thickness};
    IntersectRect(&r, &r, &limit);
    painter.ForEach(r, [&](int, int, std::uint32_t& pixel) { pixel = ink; });
  };
  if (font.lfUnderline) line(0, width, m.underline_position);
  if (font.lfStrikeOut) line(0, width, m.strikeout_position);
  if (accelerator >= 0 && accelerator < static_cast<int>(text.size())) {
    const int from = face.Extent(text.substr(0, static_cast<std::size_t>(accelerator))).cx;
    line(from, from + face.Advance(text[static_cast<std::size_t>(accelerator)]),
         m.underline_position);
  }
}

}  // namespace

BOOL GetTextMetricsA(HDC handle, TEXTMETRICA* metrics) {
  gdi::DeviceContext* dc = gdi::DeviceContext::FromHandle(handle);
  if (dc == nullptr || metrics == nullptr) return FALSE;
  const LOGFONTA font = FontOf(*dc);
  const gdi::FontMetrics& m = gdi::ResolveFont(font).metrics();
  *metrics = {};
  metrics->tmHeight = m.height;
  metrics->tmAscent = m.ascent;
  metrics->tmDescent = m.descent;
  metrics->tmInternalLeading = m.internal_leading;
  metrics->tmExternalLeading = m.external_leading;
  metrics->tmAveCharWidth = m.ave_char_width;
  metrics->tmMaxCharWidth = m.max_char_width;
  metrics->tmWeight = m.weight;
  metrics->tmDigitizedAspectX = metrics->tmDigitizedAspectY = 96;
  metrics->tmFirstChar = 0x20;
  metrics->tmLastChar = 0xFF;
  metrics->tmDefaultChar = '?';
  metrics->tmBreakChar = ' ';
  metrics->tmItalic = font.lfItalic;
  metrics->tmUnderlined = font.lfUnderline;
  metrics->tmStruckOut = font.lfStrikeOut;
  // The low bit set means a variable pitch, as the API has it.
  metrics->tmPitchAndFamily =
      TMPF_FIXED_PITCH | (m.raster ? 0 : TMPF_VECTOR | TMPF_TRUETYPE) | FF_SWISS;
  metrics->tmCharSet = font.lfCharSet;
  return TRUE;
}

BOOL GetTextExtentPoint32A(HDC handle, LPCSTR text, int count, SIZE* size) {
  gdi::DeviceContext* dc = gdi::DeviceContext::FromHandle(handle);
  if (dc == nullptr || size == nullptr || count < 0) return FALSE;
  *size = gdi::ResolveFont(FontOf(*dc)).Extent(TextOf(text, count));
  return TRUE;
}

BOOL GetTextExtentPointA(HDC dc, LPCSTR text, int count, SIZE* size) {
  return GetTextExtentPoint32A(dc, text, count, size);
}

BOOL ExtTextOutA(HDC handle, int x, int y, UINT options, const RECT* rect, LPCSTR text, UINT count,
                 const int*) {
  gdi::DeviceContext* dc = gdi::DeviceContext::FromHandle(handle);
  if (dc == nullptr) return FALSE;
  if ((options & ETO_OPAQUE) != 0 && rect != nullptr) {
    gdi::Painter painter(*dc);
    if (painter.ready()) {
      const POINT a = dc->ToDevice({rect->left, rect->top});
      const POINT b = dc->ToDevice({rect->right, rect->bottom});
      const std::uint32_t paper = painter.surface().Match(gdi::ToPixel(dc->background_color()));
      painter.ForEach({a.x, a.y, b.x, b.y}, [&](int, int, std::uint32_t& pixel) { pixel = paper; });
    }
  }
  const LOGFONTA font = FontOf(*dc);
  DrawRun(*dc, gdi::ResolveFont(font), font, {x, y}, TextOf(text, static_cast<int>(count)),
          (options & ETO_CLIPPED) != 0 ? rect : nullptr, dc->state().background_mode == OPAQUE, -1);
  return TRUE;
}

BOOL TextOutA(HDC dc, int x, int y, LPCSTR text, int count) {
  if (count < 0) return FALSE;
  return ExtTextOutA(dc, x, y, 0, nullptr, text, static_cast<UINT>(count), nullptr);
}

int DrawTextA(HDC handle, LPCSTR text, int count, LPRECT rect, UINT format) {
  gdi::DeviceContext* dc = gdi::DeviceContext::FromHandle(handle);
  if (dc == nullptr || rect == nullptr) return 0;
  const LOGFONTA font = FontOf(*dc);
  const gdi::Face& face = gdi::ResolveFont(font);
  const gdi::TextLayout layout = gdi::LayOutText(TextOf(text, count), *rect, format, face);
  if ((format & DT_CALCRECT) != 0) {
    rect->right = layout.bounds.right;
    rect->bottom = layout.bounds.bottom;
    return layout.height;
  }
  const bool opaque = dc->state().background_mode == OPAQUE;
  const RECT* clip = (format & DT_NOCLIP) != 0 ? nullptr : rect;
  for (const gdi::TextLine& line : layout.lines) {
    if ((format & DT_EXPANDTABS) == 0 || line.text.find('\t') == std::string::npos) {
      DrawRun(*dc, face, font, {line.x, line.y}, line.text, clip, opaque, line.underline);
      continue;
    }
    // Tabs: each run starts at its tab stop.
    std::size_t start = 0;
    int x = line.x;
    const int tab = face.metrics().TabWidth();
    while (start <= line.text.size()) {
      const std::size_t end = std::min(line.text.find('\t', start), line.text.size());
      const std::string_view run = std::string_view(line.text).substr(start, end - start);
      const int mark =
          line.underline >= static_cast<int>(start) && line.underline < static_cast<int>(end)
              ? line.underline - static_cast<int>(start)
              : -1;
      DrawRun(*dc, face, font, {x, line.y}, run, clip, opaque, mark);
      x += face.Extent(run).cx;
      if (end == line.text.size()) break;
      x = line.x + ((x - line.x) / tab + 1) * tab;
      start = end + 1;
    }
  }
  return layout.height;
}
