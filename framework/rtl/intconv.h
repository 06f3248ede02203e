// Integer <-> text conversions.
//
// A text reads as an integer when, after leading blanks (character 32 only), it
// holds either an optional sign and decimal digits, or one of the prefixes $,
// x, X, 0x, 0X and hexadecimal digits; nothing may follow. Decimal values must
// lie in the 32-bit signed range; hexadecimal ones may have up to eight
// significant digits and are taken as signed 32-bit ($FFFFFFFF is -1).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

std::optional<std::int32_t> TryStrToInt(std::string_view text);

// The value of the text, or fallback when the text does not read.
std::int32_t StrToIntDef(std::string_view text, std::int32_t fallback);

// The value of the text; raises EConvertError "'<text>' is not a valid integer
// value" when it does not read.
std::int32_t StrToInt(std::string_view text);

// Decimal, "-" for negatives, no padding or grouping.
std::string IntToStr(std::int64_t value);
