// How far a hint goes below the cursor: down to the lowest row of the
// current cursor's picture that shows something.
#include <cstddef>
#include <vector>

#include "framework/controls/application.h"
#include "platform/icons.h"

namespace {

// Bytes after the first one in [begin, begin + size) that differs from
// `blank`; 0 when all are blank.
std::size_t BytesAfterFirstNot(const BYTE* begin, std::size_t size, BYTE blank) {
  for (std::size_t i = 0; i < size; ++i) {
    if (begin[i] != blank) return size - i - 1;
  }
  return 0;
}

// The bits of a bitmap as a bottom-up device-independent image in its own
// format; empty when unreadable.
std::vector<BYTE> ReadBits(HBITMAP bitmap, BITMAPINFOHEADER& header) {
  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
  } info{};
  info.header.biSize = sizeof info.header;
  std::vector<BYTE> bits;
  const HDC dc = CreateCompatibleDC(nullptr);
  auto* described = reinterpret_cast<BITMAPINFO*>(&info);
  if (GetDIBits(dc, bitmap, 0, 0, nullptr, described, DIB_RGB_COLORS) != 0 &&
      info.header.biHeight > 0) {
    const auto height = static_cast<std::size_t>(info.header.biHeight);
    const std::size_t row =
        (static_cast<std::size_t>(info.header.biWidth) * info.header.biBitCount + 31) / 32 * 4;
    bits.resize(row * height);
    if (GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), bits.data(), described,
                  DIB_RGB_COLORS) == 0) {
      bits.clear();
    }
  }
  DeleteDC(dc);
  header = info.header;
  return bits;
}

}  // namespace

int CursorHeightMargin() {
  int margin = GetSystemMetrics(SM_CYCURSOR);
  ICONINFO icon{};
  if (GetIconInfo(GetCursor(), &icon) == 0) return margin;
  BITMAPINFOHEADER header{};
  const std::vector<BYTE> bits = ReadBits(icon.hbmMask, header);
  if (!bits.empty() && header.biBitCount == 1) {
    const auto width = static_cast<std::size_t>(header.biWidth);
    const std::size_t row = (width + 31) / 32 * 4;
    const std::size_t square = width * row;
    // A mask shorter than it is wide holds no square to scan.
    if (square != 0 && square <= bits.size()) {
      // Bottom row first: the last square is the top of the image, the AND
      // mask; a monochrome cursor's XOR mask lies in the square before it.
      const BYTE* and_mask = bits.data() + bits.size() - square;
      std::size_t count = BytesAfterFirstNot(and_mask, square, 0xFF);
      if (count == 0 && bits.size() >= 2 * square) {
        count = BytesAfterFirstNot(and_mask - square, square, 0x00);
      }
      margin = static_cast<int>(count / row) - static_cast<int>(icon.yHotspot);
    }
  }
  // GetIconInfo hands out copies, which are the caller's to delete.
  if (icon.hbmMask != nullptr) DeleteObject(icon.hbmMask);
  if (icon.hbmColor != nullptr) DeleteObject(icon.hbmColor);
  return margin;
}
