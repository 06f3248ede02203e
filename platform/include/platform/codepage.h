// Code page 1251, the program's 8-bit text encoding, and its conversions to
// and from UTF-8 at the edges: file names, fonts, typed text, the console.
//
// Texts in source files are UTF-8; the literal suffix _cp1251 turns one into
// code page 1251 bytes at compile time, so the program stores its Russian
// texts in its own encoding:  "Нулевая частота ?"_cp1251
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace codepage {

// Unicode code points of the bytes 0x80..0xFF. 0x98 is unassigned in the code
// page; it stands for U+0098 so that every byte survives a round trip.
inline constexpr std::array<char16_t, 128> kCp1251High = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x20AC, 0x2030, 0x0409, 0x2039, 0x040A, 0x040C, 0x040B, 0x040F,  // 88
    0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x0098, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F,  // 98
    0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7,  // A0
    0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407,  // A8
    0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457,  // B8
    0x0410, 0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417,  // C0
    0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D, 0x041E, 0x041F,  // C8
    0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427,  // D0
    0x0428, 0x0429, 0x042A, 0x042B, 0x042C, 0x042D, 0x042E, 0x042F,  // D8
    0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,  // E0
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F,  // E8
    0x0440, 0x0441, 0x0442, 0x0443, 0x0444, 0x0445, 0x0446, 0x0447,  // F0
    0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,  // F8
};

constexpr char32_t Cp1251ToUnicode(unsigned char c) {
  return c < 0x80 ? c : kCp1251High[c - 0x80];
}

// The byte for a code point, or -1 when the code page has none.
constexpr int UnicodeToCp1251(char32_t u) {
  if (u < 0x80) return static_cast<int>(u);
  for (std::size_t i = 0; i < kCp1251High.size(); ++i) {
    if (kCp1251High[i] == u) return static_cast<int>(0x80 + i);
  }
  return -1;
}

// Decodes one UTF-8 sequence at text[pos]; advances pos. Returns nothing for
// malformed input (bad lead or continuation bytes, overlong forms, surrogates).
constexpr std::optional<char32_t> DecodeUtf8(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  int extra = 0;
  char32_t u = 0;
  if (lead < 0x80) {
    ++pos;
    return lead;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    extra = 1, u = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    extra = 2, u = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    extra = 3, u = lead & 0x07;
  } else {
    return std::nullopt;
  }
  if (pos + extra >= text.size()) return std::nullopt;
  for (int i = 1; i <= extra; ++i) {
    const unsigned char c = byte(pos + i);
    if ((c & 0xC0) != 0x80) return std::nullopt;
    u = (u << 6) | (c & 0x3F);
  }
  constexpr char32_t kSmallest[] = {0, 0x80, 0x800, 0x10000};
  if (u < kSmallest[extra] || u > 0x10FFFF || (u >= 0xD800 && u <= 0xDFFF)) return std::nullopt;
  pos += extra + 1;
  return u;
}

// Appends the UTF-8 form of a code point.
void AppendUtf8(std::string& out, char32_t code_point);

// Runtime conversions. Utf8ToCp1251 gives nothing when the text is not valid
// UTF-8 or holds a character the code page lacks; Utf8ToCp1251Lossy drops
// those characters and malformed bytes and keeps the rest, for text from
// outside (typed text, a library's messages).
std::string Cp1251ToUtf8(std::string_view text);
std::optional<std::string> Utf8ToCp1251(std::string_view text);
std::string Utf8ToCp1251Lossy(std::string_view text);

// Compile-time conversion behind the _cp1251 literal suffix.
template <std::size_t N>
struct Utf8Literal {
  char text[N]{};
  constexpr Utf8Literal(const char (&s)[N]) {
    for (std::size_t i = 0; i < N; ++i) text[i] = s[i];
  }
};

template <std::size_t N>
struct Cp1251Text {
  char bytes[N]{};
  std::size_t size = 0;
};

template <std::size_t N>
constexpr Cp1251Text<N> ToCp1251(const Utf8Literal<N>& in) {
  Cp1251Text<N> out;
  const std::string_view text(in.text, N - 1);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const auto u = DecodeUtf8(text, pos);
    if (!u) throw "malformed UTF-8 in a _cp1251 literal";
    const int b = UnicodeToCp1251(*u);
    if (b < 0) throw "a character of a _cp1251 literal is not in code page 1251";
    out.bytes[out.size++] = static_cast<char>(b);
  }
  return out;
}

template <Utf8Literal L>
inline constexpr auto kCp1251Literal = ToCp1251(L);

}  // namespace codepage

template <codepage::Utf8Literal L>
constexpr std::string_view operator""_cp1251() {
  return {codepage::kCp1251Literal<L>.bytes, codepage::kCp1251Literal<L>.size};
}
