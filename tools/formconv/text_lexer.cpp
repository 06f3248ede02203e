#include "text_lexer.h"

#include <platform/codepage.h>

#include "text_error.h"

namespace formconv {

namespace {

bool IsNameStart(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool IsNamePart(char c) {
  return IsNameStart(c) || IsDigit(c);
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

const Token& Lexer::Peek() {
  if (ahead_.empty()) ahead_.push_back(Scan());
  return ahead_.front();
}

const Token& Lexer::PeekSecond() {
  while (ahead_.size() < 2) ahead_.push_back(Scan());
  return ahead_[1];
}

Token Lexer::Next() {
  if (ahead_.empty()) return Scan();
  Token token = std::move(ahead_.front());
  ahead_.pop_front();
  return token;
}

void Lexer::SkipSpace() {
  while (pos_ < source_.size()) {
    const char c = source_[pos_];
    if (c == '\n') {
      ++line_;
      ++pos_;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      ++pos_;
    } else if (source_.substr(pos_, 2) == "//") {
      while (pos_ < source_.size() && source_[pos_] != '\n') ++pos_;
    } else {
      break;
    }
  }
}

Token Lexer::Scan() {
  SkipSpace();
  Token token;
  token.line = line_;
  if (pos_ >= source_.size()) return token;
  const char c = source_[pos_];
  if (c == '"') return ScanString();
  if (IsDigit(c) || (c == '-' && pos_ + 1 < source_.size() && IsDigit(source_[pos_ + 1]))) {
    return ScanNumber();
  }
  if (IsNameStart(c)) {
    // A dotted path such as Font.Name is one name.
    const std::size_t start = pos_;
    while (pos_ < source_.size() &&
           (IsNamePart(source_[pos_]) || (source_[pos_] == '.' && pos_ + 1 < source_.size() &&
                                          IsNameStart(source_[pos_ + 1])))) {
      ++pos_;
    }
    token.kind = Token::kName;
    token.text = source_.substr(start, pos_ - start);
    return token;
  }
  if (std::string_view("{}()[]=,-").find(c) != std::string_view::npos) {
    ++pos_;
    token.kind = Token::kPunct;
    token.text = c;
    return token;
  }
  throw TextError(line_, "unexpected character '" + std::string(1, c) + "'");
}

Token Lexer::ScanNumber() {
  Token token;
  token.kind = Token::kNumber;
  token.line = line_;
  const std::size_t start = pos_;
  if (source_[pos_] == '-') ++pos_;
  // Letters and dots are taken in too, so that "12ab" is one bad number.
  while (pos_ < source_.size()) {
    const char c = source_[pos_];
    const bool exponent_sign =
        (c == '+' || c == '-') && (source_[pos_ - 1] == 'e' || source_[pos_ - 1] == 'E');
    if (!IsNamePart(c) && c != '.' && !exponent_sign) break;
    ++pos_;
  }
  token.text = source_.substr(start, pos_ - start);
  return token;
}

Token Lexer::ScanString() {
  Token token;
  token.kind = Token::kString;
  token.line = line_;
  ++pos_;  // the opening quote
  while (true) {
    if (pos_ >= source_.size() || source_[pos_] == '\n') {
      throw TextError(token.line, "string not closed on its line");
    }
    const char c = source_[pos_];
    if (c == '"') {
      ++pos_;
      return token;
    }
    if (c != '\\') {
      const auto u = codepage::DecodeUtf8(source_, pos_);
      if (!u) throw TextError(line_, "the text is not valid UTF-8");
      token.chars.push_back({*u, false});
      continue;
    }
    const char e = pos_ + 1 < source_.size() ? source_[pos_ + 1] : '\0';
    pos_ += 2;
    switch (e) {
      case 'n':
        token.chars.push_back({U'\n', false});
        break;
      case 'r':
        token.chars.push_back({U'\r', false});
        break;
      case 't':
        token.chars.push_back({U'\t', false});
        break;
      case '"':
      case '\\':
        token.chars.push_back({static_cast<char32_t>(e), false});
        break;
      case 'x':
      case 'u': {
        const int digits = e == 'x' ? 2 : 4;
        char32_t value = 0;
        for (int i = 0; i < digits; ++i) {
          const int h = pos_ < source_.size() ? HexValue(source_[pos_]) : -1;
          if (h < 0) {
            throw TextError(line_, std::string("\\") + e + " needs " + std::to_string(digits) +
                                       " hexadecimal digits");
          }
          value = value * 16 + static_cast<char32_t>(h);
          ++pos_;
        }
        token.chars.push_back({value, true});
        break;
      }
      default:
        throw TextError(line_, "unknown escape \\" + std::string(1, e));
    }
  }
}

std::vector<unsigned char> Lexer::HexBody() {
  std::vector<unsigned char> bytes;
  int high = -1;
  while (true) {
    SkipSpace();
    if (pos_ >= source_.size()) throw TextError(line_, "hexadecimal data not closed with ')'");
    const char c = source_[pos_++];
    if (c == ')') break;
    const int h = HexValue(c);
    if (h < 0) throw TextError(line_, "'" + std::string(1, c) + "' is not a hexadecimal digit");
    if (high < 0) {
      high = h;
    } else {
      bytes.push_back(static_cast<unsigned char>(high * 16 + h));
      high = -1;
    }
  }
  if (high >= 0) throw TextError(line_, "hexadecimal data with an odd number of digits");
  return bytes;
}

}  // namespace formconv
