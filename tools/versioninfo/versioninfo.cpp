// versioninfo: writes the program's version record, the binary block the
// desktop shows as a file's properties: the fixed part with file and product
// version, and the strings of one language (Russian, code page 1251).
//
//   versioninfo MAJOR.MINOR.PATCH.BUILD NAME OUT.bin
#include <array>
#include <cstdint>
#include <cstdio>
#include <iostream>
#include <string>
#include <utility>
#include <vector>

#include "tools/common/image_file.h"

namespace {

using tools::Put;
using Bytes = std::vector<std::uint8_t>;

void Align(Bytes& out) {
  while (out.size() % 4 != 0) out.push_back(0);
}

// An ASCII text as the block stores it: 16-bit characters and a zero.
void PutText(Bytes& out, const std::string& text) {
  for (char c : text) Put(out, static_cast<std::uint8_t>(c), 2);
  Put(out, 0, 2);
}

// One node: length, value length, type (1 text, 0 binary), key, value,
// children, each part starting on a 32-bit boundary.
Bytes Node(const std::string& key, const Bytes& value, std::uint16_t value_length, bool text,
           const std::vector<Bytes>& children = {}) {
  Bytes out;
  Put(out, 0, 2);
  Put(out, value_length, 2);
  Put(out, text ? 1 : 0, 2);
  PutText(out, key);
  Align(out);
  out.insert(out.end(), value.begin(), value.end());
  for (const Bytes& child : children) {
    Align(out);
    out.insert(out.end(), child.begin(), child.end());
  }
  out[0] = static_cast<std::uint8_t>(out.size());
  out[1] = static_cast<std::uint8_t>(out.size() >> 8);
  return out;
}

Bytes StringNode(const std::string& key, const std::string& value) {
  Bytes text;
  PutText(text, value);
  return Node(key, text, static_cast<std::uint16_t>(value.size() + 1), true);
}

bool ParseVersion(const std::string& text, std::array<std::uint16_t, 4>& parts) {
  unsigned a = 0, b = 0, c = 0, d = 0;
  char tail = 0;
  if (std::sscanf(text.c_str(), "%u.%u.%u.%u%c", &a, &b, &c, &d, &tail) != 4) return false;
  if (a > 0xFFFF || b > 0xFFFF || c > 0xFFFF || d > 0xFFFF) return false;
  parts = {static_cast<std::uint16_t>(a), static_cast<std::uint16_t>(b),
           static_cast<std::uint16_t>(c), static_cast<std::uint16_t>(d)};
  return true;
}

Bytes VersionRecord(const std::array<std::uint16_t, 4>& v, const std::string& version,
                    const std::string& name) {
  Bytes fixed;
  Put(fixed, 0xFEEF04BD, 4);     // signature
  Put(fixed, 0x00010000, 4);     // structure version
  for (int i = 0; i < 2; ++i) {  // file, then product version
    Put(fixed, static_cast<std::uint32_t>(v[0]) << 16 | v[1], 4);
    Put(fixed, static_cast<std::uint32_t>(v[2]) << 16 | v[3], 4);
  }
  Put(fixed, 0x3F, 4);                           // flags mask
  Put(fixed, 0, 4);                              // flags
  Put(fixed, 0x40004, 4);                        // for 32-bit Windows NT
  Put(fixed, 1, 4);                              // an application
  for (int i = 0; i < 3; ++i) Put(fixed, 0, 4);  // subtype, date
  const std::vector<std::pair<std::string, std::string>> strings = {
      {"FileDescription", name},
      {"FileVersion", version},
      {"ProductName", name},
      {"ProductVersion", version},
  };
  std::vector<Bytes> table;
  for (const auto& [key, value] : strings) table.push_back(StringNode(key, value));
  Bytes translation;
  Put(translation, 0x0419, 2);  // Russian
  Put(translation, 1251, 2);
  return Node("VS_VERSION_INFO", fixed, static_cast<std::uint16_t>(fixed.size()), false,
              {Node("StringFileInfo", {}, 0, true, {Node("041904E3", {}, 0, true, table)}),
               Node("VarFileInfo", {}, 0, true, {Node("Translation", translation, 4, false)})});
}

}  // namespace

int main(int argc, char** argv) {
  std::array<std::uint16_t, 4> parts{};
  if (argc != 4 || !ParseVersion(argv[1], parts)) {
    std::cerr << "usage: versioninfo MAJOR.MINOR.PATCH.BUILD NAME OUT.bin\n";
    return 2;
  }
  return tools::WriteBytes(argv[3], VersionRecord(parts, argv[1], argv[2]), "versioninfo") ? 0 : 1;
}
