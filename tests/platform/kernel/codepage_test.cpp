// Code page 1251 conversions, checked byte by byte against the C library's
// own converter, plus the compile-time literal and malformed UTF-8.
#include <utility>

#include <iconv.h>

#include <gtest/gtest.h>
#include <platform/codepage.h>

namespace {

std::string IconvToUtf8(const std::string& cp1251) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  std::string in = cp1251;
  std::string out(in.size() * 4, '\0');
  char* src = in.data();
  char* dst = out.data();
  size_t src_left = in.size(), dst_left = out.size();
  const size_t result = iconv(cd, &src, &src_left, &dst, &dst_left);
  iconv_close(cd);
  if (result == static_cast<size_t>(-1)) return "<unconvertible>";
  out.resize(out.size() - dst_left);
  return out;
}

// 0x98 is unassigned in the code page: it stands for U+0098 both ways.
TEST(Codepage, EveryByteMatchesTheSystemConverter) {
  for (int b = 1; b < 256; ++b) {
    const std::string one(1, static_cast<char>(b));
    const std::string utf8 = codepage::Cp1251ToUtf8(one);
    EXPECT_EQ(utf8, b == 0x98 ? "\xC2\x98" : IconvToUtf8(one)) << "byte " << b;
    EXPECT_EQ(codepage::Utf8ToCp1251(utf8), one) << "byte " << b;
  }
}

TEST(Codepage, LiteralIsConvertedAtCompileTime) {
  constexpr std::string_view text = "Частота Ёё №"_cp1251;
  static_assert(text.size() == 12);
  EXPECT_EQ(text, "\xD7\xE0\xF1\xF2\xEE\xF2\xE0 \xA8\xB8 \xB9");
  EXPECT_EQ(codepage::Cp1251ToUtf8(text), "Частота Ёё №");
}

// Strict conversion refuses the whole text; the lossy one drops what it cannot
// convert and keeps the rest.
TEST(Codepage, WhatCannotBeConvertedIsRefusedOrDropped) {
  const std::pair<const char*, std::string_view> cases[] = {
      {"a\xE4\xB8\xADz", "az"},  // a CJK character: not in the code page
      {"a\xFFz", "az"},          // not UTF-8
      {"\xC0\x80", ""},          // overlong
      {"\xED\xA0\x80", ""},      // a surrogate
      {"\xD0", ""},              // cut short
      {"\xF0\x9F\x98\x80", ""},  // beyond the basic plane
  };
  for (const auto& [utf8, lossy] : cases) {
    EXPECT_FALSE(codepage::Utf8ToCp1251(utf8).has_value()) << utf8;
    EXPECT_EQ(codepage::Utf8ToCp1251Lossy(utf8), lossy) << utf8;
  }
  EXPECT_EQ(codepage::Utf8ToCp1251Lossy("Привет € №"), "Привет € №"_cp1251);
}

}  // namespace
