// Splits a form's text into tokens: names, numbers, string literals and the
// punctuation { } ( ) [ ] = , -. "//" starts a comment to the end of the line.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

namespace formconv {

// One character of a string literal: a code point as written, or a unit
// given by an escape (\xHH, \uXXXX) that goes into the binary as it is.
struct LiteralChar {
  char32_t value;
  bool raw;
};

struct Token {
  enum Kind { kEnd, kName, kNumber, kString, kPunct };
  Kind kind = kEnd;
  std::string text;                // name, number or punctuation as written
  std::vector<LiteralChar> chars;  // kString
  int line = 0;

  bool Is(char punct) const { return kind == kPunct && text.size() == 1 && text[0] == punct; }
};

class Lexer {
 public:
  explicit Lexer(std::string_view source) : source_(source) {}

  const Token& Peek();
  // The token after the one Peek gives.
  const Token& PeekSecond();
  Token Next();
  // The hexadecimal digits up to the closing ")", which is consumed; spaces
  // and line breaks between them are skipped. Called right after a "(", with
  // nothing peeked beyond it.
  std::vector<unsigned char> HexBody();
  int line() const { return line_; }

 private:
  Token Scan();
  void SkipSpace();
  Token ScanString();
  Token ScanNumber();

  std::string_view source_;
  std::size_t pos_ = 0;
  int line_ = 1;
  std::deque<Token> ahead_;  // scanned by Peek or PeekSecond, not yet taken
};

}  // namespace formconv
