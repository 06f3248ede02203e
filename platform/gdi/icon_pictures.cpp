// Icons and cursors made from the pictures of icon and cursor files, as a
// program carries them in its resources and as the framework's icon graphic
// holds them: one reader for every picture.
#include <vector>

#include <platform/icons.h>
#include <platform/kernel.h>
#include <platform/windows.h>

#include "surface.h"

namespace {

unsigned Read16(const BYTE* at) {
  return at[0] | at[1] << 8;
}

std::uint32_t Read32(const BYTE* at) {
  return Read16(at) | static_cast<std::uint32_t>(Read16(at + 2)) << 16;
}

// A picture read: its colours as 0x00RRGGBB and its AND mask, one entry a
// pixel, rows from the top.
struct Pixels {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> colour;
  std::vector<bool> clear;
  bool monochrome = false;  // one bit a pixel, black and white only
};

bool Read(const BYTE* header, DWORD size, Pixels& out) {
  if (size < 40 || Read32(header) != 40) return false;  // a PNG picture is not read here
  const auto width = static_cast<std::int32_t>(Read32(header + 4));
  const auto height = static_cast<std::int32_t>(Read32(header + 8)) / 2;
  const int bits = static_cast<int>(Read16(header + 14));
  if (width <= 0 || height <= 0 || width > 1024 || height > 1024) return false;
  if (bits != 1 && bits != 4 && bits != 8 && bits != 24 && bits != 32) return false;
  std::size_t colours = bits <= 8 ? Read32(header + 32) : 0;
  if (bits <= 8 && colours == 0) colours = std::size_t{1} << bits;
  if (colours > 256) return false;
  const auto w = static_cast<std::size_t>(width);
  const auto h = static_cast<std::size_t>(height);
  const std::size_t colour_row = (w * bits + 31) / 32 * 4;
  const std::size_t mask_row = (w + 31) / 32 * 4;
  if (40 + colours * 4 + (colour_row + mask_row) * h > size) return false;
  const BYTE* palette = header + 40;
  const BYTE* rows = palette + colours * 4;
  const BYTE* mask = rows + colour_row * h;
  out.width = width;
  out.height = height;
  out.colour.assign(w * h, 0);
  out.clear.assign(w * h, false);
  out.monochrome = bits == 1;
  for (std::size_t i = 0; i < colours; ++i) {
    const std::uint32_t rgb = Read32(palette + i * 4) & 0xFFFFFF;
    if (rgb != 0 && rgb != 0xFFFFFF) out.monochrome = false;
  }
  for (std::size_t y = 0; y < h; ++y) {
    const BYTE* row = rows + colour_row * (h - 1 - y);
    const BYTE* mask_bits = mask + mask_row * (h - 1 - y);
    for (std::size_t x = 0; x < w; ++x) {
      std::uint32_t rgb = 0;
      if (bits <= 8) {
        const std::size_t per_byte = 8 / bits;
        const auto shift = static_cast<int>(8 - bits * (x % per_byte + 1));
        const std::size_t index = (row[x / per_byte] >> shift) & ((1u << bits) - 1);
        if (index < colours) rgb = Read32(palette + index * 4);
      } else {
        const BYTE* p = row + x * (bits / 8);
        rgb = p[0] | p[1] << 8 | p[2] << 16;
      }
      out.colour[y * w + x] = rgb & 0xFFFFFF;
      out.clear[y * w + x] = ((mask_bits[x / 8] >> (7 - x % 8)) & 1) != 0;
    }
  }
  return true;
}

// The icon of a picture sampled to cx x cy. A monochrome one keeps both
// halves in its mask, the AND half above the XOR half.
HICON Make(const Pixels& p, int cx, int cy, BOOL icon, POINT hotspot) {
  const int halves = p.monochrome ? 2 : 1;
  const auto mask_row = static_cast<std::size_t>((cx + 15) / 16 * 2);
  std::vector<BYTE> mask(mask_row * cy * halves, 0);
  const auto set = [&](int x, int y) { mask[mask_row * y + x / 8] |= 0x80 >> (x % 8); };
  void* bits = nullptr;
  HBITMAP image = nullptr;
  if (!p.monochrome) {
    BITMAPINFO info = gdi::TopDown32(cx, cy);
    image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (image == nullptr) return nullptr;
  }
  for (int y = 0; y < cy; ++y) {
    for (int x = 0; x < cx; ++x) {
      const std::size_t from = static_cast<std::size_t>(y * p.height / cy) * p.width +
                               static_cast<std::size_t>(x * p.width / cx);
      if (p.clear[from]) set(x, y);
      if (!p.monochrome) {
        static_cast<std::uint32_t*>(bits)[static_cast<std::size_t>(y) * cx + x] = p.colour[from];
      } else if (p.colour[from] != 0) {
        set(x, cy + y);
      }
    }
  }
  ICONINFO info{icon, static_cast<DWORD>(hotspot.x * cx / p.width),
                static_cast<DWORD>(hotspot.y * cy / p.height),
                CreateBitmap(cx, cy * halves, 1, 1, mask.data()), image};
  HICON made = CreateIconIndirect(&info);
  DeleteObject(info.hbmMask);
  if (image != nullptr) DeleteObject(image);
  return made;
}

}  // namespace

HICON CreateIconFromResourceEx(PBYTE bits, DWORD size, BOOL icon, DWORD version, int cx, int cy,
                               UINT flags) {
  const DWORD hotspot_size = icon ? 0 : 4;
  Pixels pixels;
  if (bits == nullptr || (version != 0x00030000 && version != 0x00020000) || size < hotspot_size ||
      cx < 0 || cy < 0 || !Read(bits + hotspot_size, size - hotspot_size, pixels)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  const bool system_size = (flags & LR_DEFAULTSIZE) != 0;
  if (cx == 0) cx = system_size ? GetSystemMetrics(icon ? SM_CXICON : SM_CXCURSOR) : pixels.width;
  if (cy == 0) cy = system_size ? GetSystemMetrics(icon ? SM_CYICON : SM_CYCURSOR) : pixels.height;
  const POINT hotspot =
      icon ? POINT{} : POINT{static_cast<LONG>(Read16(bits)), static_cast<LONG>(Read16(bits + 2))};
  return Make(pixels, cx, cy, icon, hotspot);
}
