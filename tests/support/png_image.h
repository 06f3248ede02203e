// A PNG picture read back with libpng, for tests of saved pictures.
#pragma once

#include <png.h>

#include <cstdint>
#include <string>
#include <vector>

#include <platform/gdi.h>

struct PngImage {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;
  COLORREF At(int x, int y) const {
    const std::uint8_t* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
    return RGB(p[0], p[1], p[2]);
  }
};

// An empty image when the file cannot be read.
inline PngImage ReadPng(const std::string& path) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  PngImage out;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  image.format = PNG_FORMAT_RGB;
  out.rgb.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgb.data(), 0, nullptr)) return out;
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}
