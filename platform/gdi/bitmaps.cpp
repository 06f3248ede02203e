// Bitmaps: monochrome and compatible ones, DIB sections with readable bits,
// and reading bits back with GetDIBits.
#include <cstring>

#include <platform/gdi.h>
#include <platform/kernel.h>

#include "device_context.h"

using gdi::DeviceContext;

namespace {

constexpr DWORD kInvalidParameter = 87;

HBITMAP Make(std::shared_ptr<gdi::Surface> surface, WORD bits_per_pixel) {
  auto bitmap = std::make_shared<gdi::Bitmap>();
  surface->set_monochrome(bits_per_pixel == 1);
  bitmap->surface = std::move(surface);
  bitmap->bits_per_pixel = bits_per_pixel;
  return static_cast<HBITMAP>(gdi::Register(bitmap));
}

}  // namespace

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
  if (width < 0 || height < 0 || planes != 1 || (bits_per_pixel != 1 && bits_per_pixel != 32)) {
    SetLastError(kInvalidParameter);
    return nullptr;
  }
  if (width == 0 || height == 0) return CreateBitmap(1, 1, 1, 1, nullptr);
  auto surface = std::make_shared<gdi::Surface>(width, height);
  if (bits != nullptr) {
    const auto* bytes = static_cast<const BYTE*>(bits);
    if (bits_per_pixel == 1) {
      // Rows of bits, most significant first, padded to 16 bits.
      const int stride = (width + 15) / 16 * 2;
      for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
          const bool set = (bytes[y * stride + x / 8] >> (7 - x % 8) & 1) != 0;
          surface->At(x, y) = set ? 0xFFFFFF : 0;
        }
      }
    } else {
      for (int y = 0; y < height; ++y) {
        std::memcpy(surface->Row(y), bytes + static_cast<std::size_t>(y) * width * 4,
                    static_cast<std::size_t>(width) * 4);
      }
    }
  }
  return Make(std::move(surface), static_cast<WORD>(bits_per_pixel));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || width < 0 || height < 0) return nullptr;
  if (width == 0 || height == 0) return CreateBitmap(1, 1, 1, 1, nullptr);
  // Compatible with a memory context means like its selected bitmap: a
  // fresh memory context gives monochrome bitmaps, as on the desktop.
  const bool monochrome = context->area() == DeviceContext::Area::kMemory &&
                          context->state().bitmap != nullptr &&
                          context->state().bitmap->bits_per_pixel == 1;
  return Make(std::make_shared<gdi::Surface>(width, height), monochrome ? 1 : 32);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                         DWORD) {
  if (bits != nullptr) *bits = nullptr;
  if (info == nullptr || info->bmiHeader.biSize < sizeof(BITMAPINFOHEADER) ||
      info->bmiHeader.biWidth <= 0 || info->bmiHeader.biHeight == 0 ||
      info->bmiHeader.biBitCount != 32 || info->bmiHeader.biCompression != BI_RGB ||
      usage != DIB_RGB_COLORS || section != nullptr) {
    SetLastError(kInvalidParameter);
    return nullptr;
  }
  const BITMAPINFOHEADER& header = info->bmiHeader;
  // A positive height is a bottom-up DIB: its last row comes first.
  const bool bottom_up = header.biHeight > 0;
  const int height = bottom_up ? header.biHeight : -header.biHeight;
  auto surface = std::make_shared<gdi::Surface>(header.biWidth, height, bottom_up);
  auto bitmap = std::make_shared<gdi::Bitmap>();
  bitmap->surface = surface;
  bitmap->dib = true;
  bitmap->header = header;
  bitmap->header.biSize = sizeof(BITMAPINFOHEADER);
  bitmap->header.biSizeImage = static_cast<DWORD>(header.biWidth) * height * 4;
  if (bits != nullptr) *bits = surface->bits();
  return static_cast<HBITMAP>(gdi::Register(bitmap));
}

int GetDIBits(HDC dc, HBITMAP handle, UINT start, UINT lines, LPVOID bits, BITMAPINFO* info,
              UINT usage) {
  std::shared_ptr<gdi::Object> object = gdi::Lookup(handle);
  if (DeviceContext::FromHandle(dc) == nullptr || object == nullptr ||
      object->kind != gdi::Kind::kBitmap || info == nullptr || usage != DIB_RGB_COLORS) {
    return 0;
  }
  const gdi::Bitmap& bitmap = *std::static_pointer_cast<gdi::Bitmap>(object);
  const gdi::Surface& surface = *bitmap.surface;
  BITMAPINFOHEADER& header = info->bmiHeader;
  if (header.biBitCount == 0) {
    // Only the description is asked for.
    header.biWidth = surface.width();
    header.biHeight = surface.height();
    header.biPlanes = 1;
    header.biBitCount = bitmap.bits_per_pixel;
    header.biCompression = BI_RGB;
    header.biSizeImage = ((surface.width() * header.biBitCount + 31) / 32 * 4) * surface.height();
    return surface.height();
  }
  if (header.biBitCount != 1 && header.biBitCount != 32) return 0;
  if (bits == nullptr) return static_cast<int>(lines);
  const bool top_down = header.biHeight < 0;
  const int height = surface.height();
  const int stride = (surface.width() * header.biBitCount + 31) / 32 * 4;
  if (header.biBitCount == 1) {
    info->bmiColors[0] = {0, 0, 0, 0};
    // The second colour lies past the one-entry array the record declares,
    // as the API lays out a two-colour table.
    reinterpret_cast<RGBQUAD*>(info->bmiColors)[1] = {255, 255, 255, 0};
  }
  auto* out = static_cast<BYTE*>(bits);
  int copied = 0;
  for (UINT line = start; line < start + lines && static_cast<int>(line) < height; ++line) {
    // Scan line numbers count from the bottom in a bottom-up DIB.
    const int y = top_down ? static_cast<int>(line) : height - 1 - static_cast<int>(line);
    BYTE* row = out + static_cast<std::size_t>(line - start) * stride;
    std::memset(row, 0, stride);
    for (int x = 0; x < surface.width(); ++x) {
      const std::uint32_t p = surface.At(x, y);
      if (header.biBitCount == 32) {
        std::memcpy(row + x * 4, &p, 4);
      } else if ((p & 0xFFFFFF) == 0xFFFFFF) {
        row[x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
      }
    }
    ++copied;
  }
  return copied;
}
