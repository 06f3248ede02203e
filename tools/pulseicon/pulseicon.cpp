// pulseicon: draws the program's icon, a train of green rectangular pulses on
// a dark screen, and writes it as an icon file of one 32x32 16-colour image
// (766 bytes), or as a PNG picture of the same icon scaled to another size
// for the desktop's icon theme. Drawn by code so that the picture is
// reproducible.
//
//   pulseicon OUT.ico
//   pulseicon --png SIZE OUT.png
#include <png.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "tools/common/image_file.h"

namespace {

constexpr int kSize = 32;

// The standard 16-colour palette, as red, green, blue.
constexpr std::array<std::array<std::uint8_t, 3>, 16> kPalette = {{
    {0, 0, 0},
    {128, 0, 0},
    {0, 128, 0},
    {128, 128, 0},
    {0, 0, 128},
    {128, 0, 128},
    {0, 128, 128},
    {192, 192, 192},
    {128, 128, 128},
    {255, 0, 0},
    {0, 255, 0},
    {255, 255, 0},
    {0, 0, 255},
    {255, 0, 255},
    {0, 255, 255},
    {255, 255, 255},
}};
constexpr std::uint8_t kBlack = 0, kDarkGreen = 2, kGray = 8, kGreen = 10;

using Picture = std::array<std::array<std::uint8_t, kSize>, kSize>;  // [y][x], y down

void Box(Picture& p, int x0, int y0, int x1, int y1, std::uint8_t colour) {
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) p[y][x] = colour;
  }
}

Picture Draw() {
  Picture p{};
  Box(p, 0, 0, kSize - 1, kSize - 1, kGray);  // frame
  Box(p, 1, 1, kSize - 2, kSize - 2, kBlack);
  for (int x = 2; x < kSize - 2; x += 2) p[16][x] = kDarkGreen;  // dotted mid line
  // Three pulses, 4 pixels wide every 8, drawn 2 pixels thick.
  constexpr int kLow = 23, kHigh = 7;
  Box(p, 2, kLow, 29, kLow + 1, kGreen);
  for (int start = 5; start <= 21; start += 8) {
    Box(p, start, kHigh, start + 1, kLow + 1, kGreen);
    Box(p, start, kHigh, start + 5, kHigh + 1, kGreen);
    Box(p, start + 4, kHigh, start + 5, kLow + 1, kGreen);
    Box(p, start + 2, kLow, start + 3, kLow + 1, kBlack);  // no baseline under a pulse
  }
  return p;
}

std::vector<std::uint8_t> IconFile(const Picture& p) {
  std::vector<std::uint8_t> palette;
  for (const auto& rgb : kPalette) palette.insert(palette.end(), {rgb[2], rgb[1], rgb[0], 0});
  // Rows from the bottom up, the left pixel in the high nibble; then the
  // mask, every pixel opaque.
  std::vector<std::uint8_t> rows;
  for (int y = kSize - 1; y >= 0; --y) {
    for (int x = 0; x < kSize; x += 2)
      rows.push_back(static_cast<std::uint8_t>(p[y][x] << 4 | p[y][x + 1]));
  }
  rows.insert(rows.end(), kSize * kSize / 8, 0);
  return tools::ImageFile(1, kSize, 4, 1, 4, palette, rows);  // 766 bytes
}

// The picture scaled to size x size by its nearest pixels, as RGB rows.
std::vector<std::uint8_t> Scaled(const Picture& p, int size) {
  std::vector<std::uint8_t> rgb;
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      const auto& colour = kPalette[p[y * kSize / size][x * kSize / size]];
      rgb.insert(rgb.end(), colour.begin(), colour.end());
    }
  }
  return rgb;
}

bool WritePng(const std::vector<std::uint8_t>& rgb, int size, const char* path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = static_cast<png_uint_32>(size);
  image.height = static_cast<png_uint_32>(size);
  image.format = PNG_FORMAT_RGB;
  return png_image_write_to_file(&image, path, 0, rgb.data(), size * 3, nullptr) != 0;
}

int Usage() {
  std::cerr << "usage: pulseicon OUT.ico | pulseicon --png SIZE OUT.png\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::string(argv[1]) == "--png") {
    const int size = std::atoi(argv[2]);
    if (size < 1 || size > 256) return Usage();
    if (!WritePng(Scaled(Draw(), size), size, argv[3])) {
      std::cerr << "pulseicon: cannot write " << argv[3] << "\n";
      return 1;
    }
    return 0;
  }
  if (argc != 2) return Usage();
  return tools::WriteBytes(argv[1], IconFile(Draw()), "pulseicon") ? 0 : 1;
}
