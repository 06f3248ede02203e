#include "tests/conformance/support/pixels.h"

namespace conf {

COLORREF PixelAt(HWND window, int x, int y) {
  HDC dc = GetDC(window);
  const COLORREF colour = GetPixel(dc, x, y);
  ReleaseDC(window, dc);
  return colour;
}

std::vector<COLORREF> ClientPixels(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  const int width = client.right, height = client.bottom;
  std::vector<COLORREF> pixels(static_cast<std::size_t>(width) * height);
  if (pixels.empty()) return pixels;
  HDC dc = GetDC(window);
  HDC copy = CreateCompatibleDC(dc);
  HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
  HGDIOBJ old = SelectObject(copy, bitmap);
  BitBlt(copy, 0, 0, width, height, dc, 0, 0, SRCCOPY);
  SelectObject(copy, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<DWORD> bits(pixels.size());
  GetDIBits(copy, bitmap, 0, height, bits.data(), &info, DIB_RGB_COLORS);
  // The bits are 0x00RRGGBB; COLORREF keeps red lowest.
  for (std::size_t i = 0; i < bits.size(); ++i) {
    pixels[i] = RGB((bits[i] >> 16) & 0xFF, (bits[i] >> 8) & 0xFF, bits[i] & 0xFF);
  }
  DeleteObject(bitmap);
  DeleteDC(copy);
  ReleaseDC(window, dc);
  return pixels;
}

}  // namespace conf
