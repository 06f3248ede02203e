// A surface: 32-bit pixels, each a uint32_t laid out as a 32-bit DIB's bytes
// (blue, green, red, reserved), so 0x00RRGGBB as a number. COLORREF values
// (0x00BBGGRR) are converted at the edges with ToPixel and ToColor.
//
// Rows may run either way in memory: a bottom-up DIB section keeps its last
// row first, as the desktop API lays them out, and Row(y) hides that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include <platform/gdi.h>

namespace gdi {

inline constexpr std::uint32_t ToPixel(COLORREF color) {
  return (color & 0xFF) << 16 | (color & 0xFF00) | (color >> 16 & 0xFF);
}
inline constexpr COLORREF ToColor(std::uint32_t pixel) {
  return (pixel & 0xFF) << 16 | (pixel & 0xFF00) | (pixel >> 16 & 0xFF);
}

// The header of a top-down 32-bit DIB of that size, as CreateDIBSection and
// GetDIBits take it.
inline BITMAPINFO TopDown32(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

class Surface {
 public:
  // A zeroed (black) surface; `bottom_up` stores the last row first.
  Surface(int width, int height, bool bottom_up = false);
  // Copies point into their own pixels.
  Surface(const Surface& other);
  Surface& operator=(const Surface&) = delete;

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint32_t* Row(int y) { return first_ + static_cast<std::ptrdiff_t>(y) * step_; }
  const std::uint32_t* Row(int y) const { return first_ + static_cast<std::ptrdiff_t>(y) * step_; }
  std::uint32_t& At(int x, int y) { return Row(y)[x]; }
  std::uint32_t At(int x, int y) const { return Row(y)[x]; }
  // The pixels as they lie in memory (what a DIB section hands out).
  std::uint32_t* bits() { return pixels_.data(); }

  // Monochrome surfaces hold only black and white: the colours drawn on them
  // are first matched to the nearer of the two.
  bool monochrome() const { return monochrome_; }
  void set_monochrome(bool monochrome) { monochrome_ = monochrome; }
  std::uint32_t Match(std::uint32_t pixel) const;

  // A new size keeping the old pixels at the top-left corner; new parts are
  // black.
  void Resize(int width, int height);

 private:
  void Place();

  int width_;
  int height_;
  bool bottom_up_;
  bool monochrome_ = false;
  std::vector<std::uint32_t> pixels_;
  std::uint32_t* first_ = nullptr;
  std::ptrdiff_t step_ = 0;
};

// The surface of a top-level window (frame included), kept at the window's
// current size; null for a window that is gone. A null window means the
// screen. The window manager provides both (user/host_windows.cpp): the
// host owns a window's surface.
std::shared_ptr<Surface> WindowSurface(HWND top_level);
// Marks `area` (surface coordinates) of a top-level window's surface as
// drawn, to be presented.
void DamageWindowSurface(HWND top_level, const RECT& area);

}  // namespace gdi
