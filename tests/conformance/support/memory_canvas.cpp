#include "tests/conformance/support/memory_canvas.h"

namespace conf {

namespace {

char Letter(COLORREF colour) {
  if (colour == RGB(255, 255, 255)) return '.';
  return colour == RGB(0, 0, 0) ? '#' : '?';
}

}  // namespace

MemoryCanvas::MemoryCanvas(int width, int height) {
  HDC screen = GetDC(nullptr);
  dc_ = CreateCompatibleDC(screen);
  bitmap_ = CreateCompatibleBitmap(screen, width, height);
  ReleaseDC(nullptr, screen);
  old_ = SelectObject(dc_, bitmap_);
  PatBlt(dc_, 0, 0, width, height, WHITENESS);
}

MemoryCanvas::~MemoryCanvas() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

std::string MemoryCanvas::Row(int y, int x0, int x1) const {
  std::string row;
  for (int x = x0; x < x1; ++x) row += Letter(At(x, y));
  return row;
}

std::string MemoryCanvas::Column(int x, int y0, int y1) const {
  std::string column;
  for (int y = y0; y < y1; ++y) column += Letter(At(x, y));
  return column;
}

}  // namespace conf
