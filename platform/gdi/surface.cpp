#include "surface.h"

#include <algorithm>

namespace gdi {

Surface::Surface(int width, int height, bool bottom_up)
    : width_(std::max(0, width)),
      height_(std::max(0, height)),
      bottom_up_(bottom_up),
      pixels_(static_cast<std::size_t>(width_) * height_) {
  Place();
}

Surface::Surface(const Surface& other)
    : width_(other.width_),
      height_(other.height_),
      bottom_up_(other.bottom_up_),
      monochrome_(other.monochrome_),
      pixels_(other.pixels_) {
  Place();
}

void Surface::Place() {
  first_ = pixels_.data();
  step_ = width_;
  if (bottom_up_ && height_ > 0) {
    first_ += static_cast<std::ptrdiff_t>(height_ - 1) * width_;
    step_ = -step_;
  }
}

std::uint32_t Surface::Match(std::uint32_t pixel) const {
  if (!monochrome_) return pixel & 0xFFFFFF;
  const int sum = (pixel >> 16 & 0xFF) + (pixel >> 8 & 0xFF) + (pixel & 0xFF);
  return sum >= 3 * 128 ? 0xFFFFFF : 0;
}

void Surface::Resize(int width, int height) {
  Surface fresh(width, height, bottom_up_);
  const int w = std::min(width_, fresh.width_);
  const int h = std::min(height_, fresh.height_);
  for (int y = 0; y < h; ++y) std::copy_n(Row(y), w, fresh.Row(y));
  pixels_ = std::move(fresh.pixels_);
  width_ = fresh.width_;
  height_ = fresh.height_;
  Place();
}

}  // namespace gdi
