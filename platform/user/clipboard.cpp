// The clipboard's text, converted between the program's code page and the
// host's UTF-8.
#include "clipboard.h"

#include <platform/codepage.h>

#include "../host/host.h"

namespace user {

void SetClipboardText(std::string_view cp1251) {
  host::Current().SetClipboardText(codepage::Cp1251ToUtf8(cp1251));
}

std::optional<std::string> ClipboardText() {
  const std::optional<std::string> utf8 = host::Current().ClipboardText();
  if (!utf8) return std::nullopt;
  std::string out;
  std::size_t pos = 0;
  while (pos < utf8->size()) {
    const std::optional<char32_t> u = codepage::DecodeUtf8(*utf8, pos);
    if (!u) {
      ++pos;  // a malformed byte stands for one unknown character
      out += '?';
      continue;
    }
    const int byte = codepage::UnicodeToCp1251(*u);
    out += byte < 0 ? '?' : static_cast<char>(byte);
  }
  return out;
}

}  // namespace user
