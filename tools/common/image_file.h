// What the build-time tools share when they write binary files: little-endian
// numbers, the one-image icon and cursor file, and writing the bytes out.
#pragma once

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace tools {

inline void Put(std::vector<std::uint8_t>& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A square image of an icon (type 1) or cursor (type 2) file: the directory
// of one entry, the bitmap header (whose height counts the colour and the
// mask image), the palette of 4-byte colours and the colour and mask rows.
// `word1` and `word2` are the planes and bits of an icon, the hot spot of a
// cursor.
inline std::vector<std::uint8_t> ImageFile(std::uint16_t type, std::uint8_t size,
                                           std::uint16_t bit_count, std::uint16_t word1,
                                           std::uint16_t word2,
                                           const std::vector<std::uint8_t>& palette,
                                           const std::vector<std::uint8_t>& rows) {
  constexpr std::uint32_t kHeaderSize = 40;
  const auto image_size = static_cast<std::uint32_t>(kHeaderSize + palette.size() + rows.size());
  std::vector<std::uint8_t> out;
  Put(out, 0, 2);  // reserved
  Put(out, type, 2);
  Put(out, 1, 2);  // one image
  // Directory entry: width, height, colours, reserved, two words, size, offset.
  out.insert(out.end(), {size, size, static_cast<std::uint8_t>(palette.size() / 4), 0});
  Put(out, word1, 2);
  Put(out, word2, 2);
  Put(out, image_size, 4);
  Put(out, 22, 4);
  Put(out, kHeaderSize, 4);
  Put(out, size, 4);
  Put(out, 2u * size, 4);
  Put(out, 1, 2);
  Put(out, bit_count, 2);
  Put(out, 0, 4);  // no compression
  Put(out, static_cast<std::uint32_t>(rows.size()), 4);
  for (int i = 0; i < 4; ++i) Put(out, 0, 4);  // resolution, colours used, important
  out.insert(out.end(), palette.begin(), palette.end());
  out.insert(out.end(), rows.begin(), rows.end());
  return out;
}

// False, after a line on standard error naming `tool`, when the file cannot
// be written.
inline bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes,
                       const char* tool) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
  if (out.flush()) return true;
  std::fprintf(stderr, "%s: cannot write %s\n", tool, path.c_str());
  return false;
}

}  // namespace tools
