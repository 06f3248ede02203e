#include "framework/rtl/format.h"

#include "framework/rtl/exceptions.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace {

[[noreturn]] void Invalid(std::string_view pattern) {
  // Filled by hand: the message has a placeholder of its own.
  std::string message = LoadResString(SInvalidFormat);
  const std::size_t at = message.find("%s");
  if (at != std::string::npos) message.replace(at, 2, pattern);
  throw EConvertError(message);
}

}  // namespace

std::string Format(std::string_view pattern, std::initializer_list<FormatArg> args) {
  std::string out;
  out.reserve(pattern.size() + 16);
  auto next = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c != '%') {
      out += c;
      continue;
    }
    if (++i == pattern.size()) Invalid(pattern);
    const char kind = pattern[i];
    if (kind == '%') {
      out += '%';
      continue;
    }
    if (next == args.end()) Invalid(pattern);
    const FormatArg& arg = *next++;
    if (kind == 's' && std::holds_alternative<std::string>(arg)) {
      out += std::get<std::string>(arg);
    } else if (kind == 'd' && std::holds_alternative<std::int64_t>(arg)) {
      out += std::to_string(std::get<std::int64_t>(arg));
    } else {
      Invalid(pattern);
    }
  }
  return out;
}
