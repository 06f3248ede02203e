#include "raster_faces.h"

#include <cctype>
#include <cstdlib>
#include <string_view>

#include "font_match.h"

namespace gdi {

namespace {

// The sizes of the face's file for 96 dots per inch.
constexpr RasterCell kSansSerif[] = {
    {8, 13, 11, 2, 2, 5},  {10, 16, 13, 3, 3, 6},  {12, 20, 16, 4, 4, 7},
    {14, 24, 19, 5, 5, 9}, {18, 29, 23, 6, 5, 11}, {24, 37, 29, 8, 5, 15},
};

// The font mapper's costs for a bitmap face: each pixel of difference, and
// a size larger than asked for on top.
constexpr int kHeightPenalty = 150;
constexpr int kBiggerPenalty = 600;

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

}  // namespace

std::optional<RasterCell> RasterCellFor(const LOGFONTA& font) {
  if (!SameName(FaceName(font), "MS Sans Serif")) return std::nullopt;
  // A negative height asks for the character height, a positive one for the
  // cell; 0 for the default of 12 pixels of character.
  const bool cell = font.lfHeight > 0;
  const int wanted = font.lfHeight == 0 ? 12 : std::abs(static_cast<int>(font.lfHeight));
  const RasterCell* best = nullptr;
  int best_cost = 0;
  for (const RasterCell& size : kSansSerif) {
    const int diff = (cell ? size.height : size.CharHeight()) - wanted;
    const int cost = kHeightPenalty * std::abs(diff) + (diff > 0 ? kBiggerPenalty : 0);
    if (best == nullptr || cost < best_cost) {
      best = &size;
      best_cost = cost;
    }
  }
  return *best;
}

}  // namespace gdi
