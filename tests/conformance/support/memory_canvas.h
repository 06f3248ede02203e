// A white bitmap in a memory device context to draw on and read back by
// GetPixel: what a window would show, without a window.
#pragma once

#include <string>

#include <platform/gdi.h>
#include <platform/windows.h>

namespace conf {

class MemoryCanvas {
 public:
  MemoryCanvas(int width, int height);
  ~MemoryCanvas();
  MemoryCanvas(const MemoryCanvas&) = delete;
  MemoryCanvas& operator=(const MemoryCanvas&) = delete;

  HDC dc() const { return dc_; }
  COLORREF At(int x, int y) const { return GetPixel(dc_, x, y); }
  // Row `y` from x0 to x1 (exclusive), one letter per pixel: '.' white, '#'
  // black, '?' anything else.
  std::string Row(int y, int x0, int x1) const;
  std::string Column(int x, int y0, int y1) const;

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_;
};

}  // namespace conf
