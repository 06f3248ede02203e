// Typed numbers: reading never fails badly, and what it reads agrees with
// itself under the transformations that must not change a value.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "framework/rtl/intconv.h"

namespace {

void Require(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const auto value = TryStrToInt(text);
  Require(StrToIntDef(text, 7) == value.value_or(7));
  // Blanks before a number change nothing; anything after one spoils it.
  Require(TryStrToInt(" " + text) == value);
  if (!text.empty()) Require(!TryStrToInt(text + " "));
  if (value) {
    // The plain decimal form of a value reads back as the same value.
    Require(TryStrToInt(IntToStr(*value)) == value);
    for (const char c : text) {
      Require(c == ' ' || c == '+' || c == '-' || c == '$' || c == 'x' || c == 'X' ||
              (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
    }
  }
  return 0;
}
