// Any bytes as a form's text: the compiler may refuse them with a line and a
// message, but must never crash; what it accepts prints to a text that
// compiles back to the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "form_compiler.h"
#include "form_printer.h"
#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"
#include "text_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<unsigned char> binary;
  try {
    binary = formconv::CompileForm(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const formconv::TextError&) {
    return 0;
  }
  try {
    if (formconv::CompileForm(formconv::PrintForm(binary)) != binary) std::abort();
  } catch (const formconv::TextError&) {
    std::abort();
  } catch (const Exception& e) {
    // The reader refuses what it nests deeper than it goes; nothing else.
    if (e.Message() != LoadResString(SNestingTooDeep)) std::abort();
  }
  return 0;
}
