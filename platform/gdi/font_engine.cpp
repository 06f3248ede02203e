#include "font_engine.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <tuple>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <platform/codepage.h>

#include "font_match.h"
#include "raster_faces.h"

namespace gdi {

SIZE Face::Extent(std::string_view text) const {
  LONG width = 0;
  for (const char c : text) width += Advance(c);
  return {width, metrics().height};
}

namespace {

std::mutex& EngineLock() {
  static auto& lock = *new std::mutex;
  return lock;
}

std::string& PinnedFile() {
  static auto& file = *new std::string;
  return file;
}

FT_Library Library() {
  static FT_Library library = [] {
    FT_Library lib = nullptr;
    FT_Init_FreeType(&lib);
    return lib;
  }();
  return library;
}

class FreeTypeFace final : public Face {
 public:
  FreeTypeFace(FT_Face face, const LOGFONTA& font) : face_(face) {
    const std::optional<RasterCell> raster = RasterCellFor(font);
    metrics_.weight = font.lfWeight == 0 ? 400 : static_cast<int>(font.lfWeight);
    metrics_.italic = font.lfItalic != 0;
    metrics_.raster = raster.has_value();
    if (FT_IS_SCALABLE(face) || face->num_fixed_sizes == 0) {
      SizeOutline(font, raster);
    } else {
      SizeStrike(font, raster);
    }
    for (int c = 32; c < 256; ++c) {
      metrics_.max_char_width = std::max(metrics_.max_char_width, Advance(static_cast<char>(c)));
    }
  }
  ~FreeTypeFace() override { FT_Done_Face(face_); }

  const FontMetrics& metrics() const override { return metrics_; }

  // Readers find a finished glyph without the lock; the first one renders it.
  const Glyph& GlyphOf(char c) const override {
    const auto byte = static_cast<unsigned char>(c);
    if (const Glyph* glyph = ready_[byte].load(std::memory_order_acquire)) return *glyph;
    std::lock_guard guard(EngineLock());
    if (!glyphs_[byte]) {  // not rendered by another thread meanwhile
      glyphs_[byte] = std::make_unique<const Glyph>(Render(byte));
      ready_[byte].store(glyphs_[byte].get(), std::memory_order_release);
    }
    return *glyphs_[byte];
  }

 private:
  // A scalable face at the em the font asks for; a bitmap face's size is
  // drawn on its baseline at its character height.
  void SizeOutline(const LOGFONTA& font, const std::optional<RasterCell>& raster) {
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
    const double units = face_->units_per_EM;
    const double win_ascent = os2 != nullptr ? os2->usWinAscent : face_->ascender;
    const double win_descent = os2 != nullptr ? os2->usWinDescent : -face_->descender;
    double em = 12;
    if (raster) {
      em = raster->CharHeight();
    } else if (font.lfHeight < 0) {
      em = -font.lfHeight;
    } else if (font.lfHeight > 0) {
      em = font.lfHeight * units / (win_ascent + win_descent);
    }
    const int pixels = std::max(1, static_cast<int>(std::lround(em)));
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(pixels));
    if (raster) {
      metrics_.ascent = raster->ascent;
      metrics_.descent = raster->descent;
      metrics_.internal_leading = raster->internal_leading;
      metrics_.ave_char_width = raster->ave_char_width;
    } else {
      metrics_.ascent = static_cast<int>(std::lround(win_ascent * em / units));
      metrics_.descent = static_cast<int>(std::lround(win_descent * em / units));
      metrics_.internal_leading = std::max(0, metrics_.ascent + metrics_.descent - pixels);
      // The OS/2 table's average width, as the desktop API reports it for
      // scalable faces.
      metrics_.ave_char_width = os2 != nullptr && os2->xAvgCharWidth > 0
                                    ? static_cast<int>(std::lround(os2->xAvgCharWidth * em / units))
                                    : Advance('x');
    }
    metrics_.height = metrics_.ascent + metrics_.descent;
    const double thickness = face_->underline_thickness * em / units;
    metrics_.line_thickness = std::max(1, static_cast<int>(std::lround(thickness)));
    metrics_.underline_position =
        metrics_.ascent - static_cast<int>(std::lround(face_->underline_position * em / units));
    const double strike = os2 != nullptr ? os2->yStrikeoutPosition : units * 0.3;
    metrics_.strikeout_position =
        metrics_.ascent - static_cast<int>(std::lround(strike * em / units));
  }

  // A bitmap face at the strike whose cell the font's size has, else the
  // nearest. The cell and advances are the strike's own; its average width
  // is that of "x", as for the bitmap faces of the desktop (the file's OS/2
  // average, an outline face's measure, is a pixel short at 8 points). A
  // cell does not tell the character height apart from the leading, so that
  // comes from the size's row.
  void SizeStrike(const LOGFONTA& font, const std::optional<RasterCell>& raster) {
    const int wanted = raster               ? raster->height
                       : font.lfHeight == 0 ? 12
                                            : std::abs(static_cast<int>(font.lfHeight));
    int best = 0;
    for (int i = 1; i < face_->num_fixed_sizes; ++i) {
      if (std::abs(face_->available_sizes[i].height - wanted) <
          std::abs(face_->available_sizes[best].height - wanted)) {
        best = i;
      }
    }
    FT_Select_Size(face_, best);
    strike_ = true;
    const FT_Size_Metrics& size = face_->size->metrics;
    metrics_.ascent = static_cast<int>((size.ascender + 32) >> 6);
    metrics_.descent = static_cast<int>((-size.descender + 32) >> 6);
    metrics_.height = metrics_.ascent + metrics_.descent;
    metrics_.internal_leading = raster ? raster->internal_leading : 0;
    metrics_.ave_char_width = Advance('x');
    // The strike has no line positions of its own: one pixel lines, the
    // underline one row clear of the baseline, the strike-out a third up.
    metrics_.line_thickness = 1;
    metrics_.underline_position = metrics_.ascent + 1;
    metrics_.strikeout_position = metrics_.ascent - metrics_.ascent / 3;
  }

  // Under EngineLock: FreeType's faces are not for two threads at once.
  Glyph Render(unsigned char byte) const {
    Glyph glyph;
    const FT_UInt index = FT_Get_Char_Index(face_, codepage::Cp1251ToUnicode(byte));
    // A strike's pixels are whole: on or off, never smoothed.
    const FT_Int32 target = strike_ ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | target) != 0) return glyph;
    const FT_GlyphSlot slot = face_->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    glyph.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    glyph.left = slot->bitmap_left;
    glyph.top = metrics_.ascent - slot->bitmap_top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.rows = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * bitmap.rows);
    // Outlines render to grey levels; a face's own bitmaps may be one bit deep.
    const bool mono = bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
    std::uint8_t* out = glyph.coverage.data();
    for (unsigned row = 0; row < bitmap.rows; ++row) {
      const unsigned char* in = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
      for (unsigned col = 0; col < bitmap.width; ++col) {
        *out++ = mono ? (in[col / 8] >> (7 - col % 8) & 1) * 255 : in[col];
      }
    }
    return glyph;
  }

  FT_Face face_;
  bool strike_ = false;
  FontMetrics metrics_;
  mutable std::array<std::unique_ptr<const Glyph>, 256> glyphs_;
  mutable std::array<std::atomic<const Glyph*>, 256> ready_{};
};

// Faces that failed to load measure as empty rather than crash.
class EmptyFace final : public Face {
 public:
  const FontMetrics& metrics() const override { return metrics_; }
  const Glyph& GlyphOf(char) const override { return glyph_; }

 private:
  FontMetrics metrics_;
  Glyph glyph_;
};

using Key = std::tuple<std::string, LONG, LONG, BYTE, std::string>;

}  // namespace

void PinFontFile(const std::string& path) {
  std::lock_guard guard(EngineLock());
  PinnedFile() = path;
}

const Face& ResolveFont(const LOGFONTA& font) {
  static auto& cache = *new std::map<Key, std::unique_ptr<Face>>;
  static auto& cache_lock = *new std::mutex;
  std::lock_guard cache_guard(cache_lock);
  std::string pinned;
  {
    std::lock_guard guard(EngineLock());
    pinned = PinnedFile();
  }
  const Key key{std::string(FaceName(font)), font.lfHeight, font.lfWeight, font.lfItalic, pinned};
  auto& slot = cache[key];
  if (slot) return *slot;
  const FontFile file = pinned.empty() ? MatchFont(font) : FontFile{pinned, 0};
  FT_Face face = nullptr;
  {
    std::lock_guard guard(EngineLock());
    if (file.path.empty() || FT_New_Face(Library(), file.path.c_str(), file.index, &face) != 0) {
      face = nullptr;
    }
  }
  if (face == nullptr) {
    slot = std::make_unique<EmptyFace>();
  } else {
    slot = std::make_unique<FreeTypeFace>(face, font);
  }
  return *slot;
}

}  // namespace gdi
