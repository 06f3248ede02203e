#include <platform/codepage.h>

namespace codepage {

void AppendUtf8(std::string& out, char32_t u) {
  if (u < 0x80) {
    out += static_cast<char>(u);
  } else if (u < 0x800) {
    out += static_cast<char>(0xC0 | (u >> 6));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else if (u < 0x10000) {
    out += static_cast<char>(0xE0 | (u >> 12));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (u >> 18));
    out += static_cast<char>(0x80 | ((u >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((u >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (u & 0x3F));
  }
}

namespace {

// The reverse of the table, built once and indexed by code point.
struct ReverseTable {
  std::array<unsigned char, 0x10000> bytes{};
  ReverseTable() {
    for (std::size_t i = 0; i < kCp1251High.size(); ++i) {
      bytes[kCp1251High[i]] = static_cast<unsigned char>(0x80 + i);
    }
  }
};

}  // namespace

std::string Cp1251ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size() * 2);
  for (const char c : text) AppendUtf8(out, Cp1251ToUnicode(static_cast<unsigned char>(c)));
  return out;
}

namespace {

// The byte of a code point, or -1 when the code page has none.
int ByteOf(char32_t u) {
  static const auto& reverse = *new ReverseTable;
  if (u < 0x80) return static_cast<int>(u);
  if (u > 0xFFFF || reverse.bytes[u] == 0) return -1;
  return reverse.bytes[u];
}

}  // namespace

std::optional<std::string> Utf8ToCp1251(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto u = DecodeUtf8(text, pos);
    const int byte = u ? ByteOf(*u) : -1;
    if (byte < 0) return std::nullopt;
    out += static_cast<char>(byte);
  }
  return out;
}

std::string Utf8ToCp1251Lossy(std::string_view text) {
  std::string out;
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto u = DecodeUtf8(text, pos);
    if (!u) {
      ++pos;  // skip the bad byte and go on with the rest
      continue;
    }
    const int byte = ByteOf(*u);
    if (byte >= 0) out += static_cast<char>(byte);
  }
  return out;
}

}  // namespace codepage
