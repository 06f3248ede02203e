// Any bytes as a form: a binary (it starts with "TPF0") that the reader may
// refuse with its message, else a text that the compiler may refuse with a
// line and a message; neither may crash. What either accepts prints to a
// text that compiles back, and from there on nothing changes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "form_compiler.h"
#include "form_printer.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"
#include "text_error.h"

namespace {

using Binary = std::vector<unsigned char>;

// Text -> binary -> text -> binary: the same bytes.
void FromText(std::string_view input) {
  Binary binary;
  try {
    binary = formconv::CompileForm(input);
  } catch (const formconv::TextError&) {
    return;
  }
  try {
    if (formconv::CompileForm(formconv::PrintForm(binary)) != binary) std::abort();
  } catch (const formconv::TextError&) {
    std::abort();
  } catch (const Exception& e) {
    // The reader refuses what it nests deeper than it goes; nothing else.
    if (e.Message() != LoadResString(SNestingTooDeep)) std::abort();
  }
}

// Binary -> text -> binary -> text: the same text.
void FromBinary(const Binary& input) {
  std::string text;
  try {
    text = formconv::PrintForm(input);
  } catch (const Exception&) {
    return;
  }
  // Whatever this throws is a fault as well.
  if (formconv::PrintForm(formconv::CompileForm(text)) != text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  if (input.starts_with("TPF0")) {
    FromBinary(Binary(data, data + size));
  } else {
    FromText(input);
  }
  return 0;
}
