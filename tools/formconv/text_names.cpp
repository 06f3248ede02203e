#include "text_names.h"

#include <cstdio>

#include <platform/codepage.h>

namespace formconv {

namespace {

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

// The escape for a character that has no plain spelling, or "" for none.
std::string Escape(char32_t c, bool wide) {
  switch (c) {
    case U'"':
      return "\\\"";
    case U'\\':
      return "\\\\";
    case U'\n':
      return "\\n";
    case U'\r':
      return "\\r";
    case U'\t':
      return "\\t";
    default:
      break;
  }
  // Controls, the C1 range, no-break space, soft hyphen and surrogates.
  const bool invisible = c < 0x20 || (c >= 0x7F && c <= 0x9F) || c == 0xA0 || c == 0xAD ||
                         (c >= 0xD800 && c <= 0xDFFF);
  if (!invisible) return "";
  char text[8];
  std::snprintf(text, sizeof text, wide ? "\\u%04X" : "\\x%02X", static_cast<unsigned>(c));
  return text;
}

}  // namespace

bool IsPlainName(std::string_view text) {
  bool segment_start = true;
  for (const char c : text) {
    if (c == '.') {
      if (segment_start) return false;
      segment_start = true;
    } else if (segment_start) {
      if (!IsNameStart(c)) return false;
      segment_start = false;
    } else if (!IsNameStart(c) && !(c >= '0' && c <= '9')) {
      return false;
    }
  }
  return !segment_start;
}

bool IsValueKeyword(std::string_view text) {
  const std::string lower = AsciiLower(text);
  return lower == "true" || lower == "false" || lower == "nil" || lower == "null";
}

std::string AsciiLower(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string QuoteNarrow(std::string_view cp1251) {
  std::string out = "\"";
  for (const char c : cp1251) {
    const auto byte = static_cast<unsigned char>(c);
    // Every character escaped here (controls, U+0098 for the unassigned
    // byte 0x98, U+00A0, U+00AD) has the same number as its byte.
    const char32_t u = codepage::Cp1251ToUnicode(byte);
    const std::string escape = Escape(u, false);
    if (!escape.empty()) {
      out += escape;
    } else {
      codepage::AppendUtf8(out, u);
    }
  }
  return out + "\"";
}

std::string QuoteWide(std::u16string_view utf16) {
  std::string out = "\"";
  for (std::size_t i = 0; i < utf16.size(); ++i) {
    char32_t c = utf16[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 &&
        utf16[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
      ++i;
    }
    const std::string escape = Escape(c, true);
    if (!escape.empty()) {
      out += escape;
    } else {
      codepage::AppendUtf8(out, c);
    }
  }
  return out + "\"";
}

}  // namespace formconv
