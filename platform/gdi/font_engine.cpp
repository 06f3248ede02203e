#include "font_engine.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <cmath>
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
    const TT_OS2* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2));
    const double units = face->units_per_EM;
    const double win_ascent = os2 != nullptr ? os2->usWinAscent : face->ascender;
    const double win_descent = os2 != nullptr ? os2->usWinDescent : -face->descender;
    const std::optional<RasterCell> raster = RasterCellFor(font);
    double em = 12;
    if (raster) {
      em = raster->CharHeight();
    } else if (font.lfHeight < 0) {
      em = -font.lfHeight;
    } else if (font.lfHeight > 0) {
      em = font.lfHeight * units / (win_ascent + win_descent);
    }
    em_ = std::max(1, static_cast<int>(std::lround(em)));
    FT_Set_Pixel_Sizes(face_, 0, static_cast<FT_UInt>(em_));
    metrics_.weight = font.lfWeight == 0 ? 400 : static_cast<int>(font.lfWeight);
    metrics_.italic = font.lfItalic != 0;
    if (raster) {
      // The bitmap face's cell; the substitute is drawn on its baseline.
      metrics_.raster = true;
      metrics_.ascent = raster->ascent;
      metrics_.descent = raster->descent;
      metrics_.internal_leading = raster->internal_leading;
      metrics_.ave_char_width = raster->ave_char_width;
    } else {
      metrics_.ascent = static_cast<int>(std::lround(win_ascent * em / units));
      metrics_.descent = static_cast<int>(std::lround(win_descent * em / units));
      metrics_.internal_leading = std::max(0, metrics_.ascent + metrics_.descent - em_);
      // The OS/2 table's average width, as the desktop API reports it for
      // scalable faces.
      metrics_.ave_char_width = os2 != nullptr && os2->xAvgCharWidth > 0
                                    ? static_cast<int>(std::lround(os2->xAvgCharWidth * em / units))
                                    : Advance('x');
    }
    metrics_.height = metrics_.ascent + metrics_.descent;
    for (int c = 32; c < 256; ++c) {
      metrics_.max_char_width = std::max(metrics_.max_char_width, Advance(static_cast<char>(c)));
    }
    const double thickness = face->underline_thickness * em / units;
    metrics_.line_thickness = std::max(1, static_cast<int>(std::lround(thickness)));
    metrics_.underline_position =
        metrics_.ascent - static_cast<int>(std::lround(face->underline_position * em / units));
    const double strike = os2 != nullptr ? os2->yStrikeoutPosition : units * 0.3;
    metrics_.strikeout_position =
        metrics_.ascent - static_cast<int>(std::lround(strike * em / units));
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
  // Under EngineLock: FreeType's faces are not for two threads at once.
  Glyph Render(unsigned char byte) const {
    Glyph glyph;
    const FT_UInt index = FT_Get_Char_Index(face_, codepage::Cp1251ToUnicode(byte));
    if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL) != 0) return glyph;
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
  int em_ = 12;
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
