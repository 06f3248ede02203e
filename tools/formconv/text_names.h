// How names and texts are written in a form's text, shared by the compiler
// and the printer so that each is the other's inverse.
#pragma once

#include <string>
#include <string_view>

namespace formconv {

// A word the lexer reads as one name: letters, digits and "_", not starting
// with a digit, in segments joined by ".".
bool IsPlainName(std::string_view text);

// The words that stand for a tag of their own rather than an identifier.
bool IsValueKeyword(std::string_view text);

std::string AsciiLower(std::string_view text);

// A code page 1251 text as a literal in quotes: UTF-8, with escapes for
// quotes, backslashes, control and invisible bytes (\n \r \t \xHH).
std::string QuoteNarrow(std::string_view cp1251);
// A UTF-16 text as a literal: lone surrogates and control characters as \uXXXX.
std::string QuoteWide(std::u16string_view utf16);

}  // namespace formconv
