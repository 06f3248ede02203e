#include "framework/rtl/intconv.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace {

int DigitValue(char c, bool hex) {
  if (c >= '0' && c <= '9') return c - '0';
  if (!hex) return -1;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::optional<std::int32_t> ReadHex(std::string_view digits) {
  if (digits.empty()) return std::nullopt;
  std::uint32_t value = 0;
  for (const char c : digits) {
    const int d = DigitValue(c, true);
    // More than eight significant digits cannot fit in 32 bits.
    if (d < 0 || value > 0x0FFFFFFFu) return std::nullopt;
    value = value * 16 + static_cast<std::uint32_t>(d);
  }
  return static_cast<std::int32_t>(value);
}

std::optional<std::int32_t> ReadDecimal(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return std::nullopt;
  std::uint32_t magnitude = 0;
  for (const char c : text) {
    const int d = DigitValue(c, false);
    // Checking before each digit keeps the magnitude below 2^32.
    if (d < 0 || magnitude > 214748364u) return std::nullopt;
    magnitude = magnitude * 10 + static_cast<std::uint32_t>(d);
  }
  if (negative) {
    if (magnitude > 2147483648u) return std::nullopt;
    return static_cast<std::int32_t>(0u - magnitude);
  }
  if (magnitude > 2147483647u) return std::nullopt;
  return static_cast<std::int32_t>(magnitude);
}

}  // namespace

std::optional<std::int32_t> TryStrToInt(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  if (text.empty()) return std::nullopt;
  if (text.front() == '$' || text.front() == 'x' || text.front() == 'X') {
    return ReadHex(text.substr(1));
  }
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    return ReadHex(text.substr(2));
  }
  return ReadDecimal(text);
}

std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback) {
  return TryStrToInt(text).value_or(fallback);
}

std::int32_t StrToInt(std::string_view text) {
  const auto value = TryStrToInt(text);
  if (!value) {
    throw EConvertError(Format(LoadResString(SInvalidInteger), {std::string(text)}));
  }
  return *value;
}

std::string IntToStr(std::int64_t value) {
  return std::to_string(value);
}
