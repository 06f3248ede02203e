#include "form_compiler.h"

#include <charconv>
#include <cstdint>
#include <cstring>
#include <limits>

#include <platform/codepage.h>

#include "framework/rtl/nesting.h"
#include "framework/streaming/filer.h"
#include "text_error.h"
#include "text_lexer.h"
#include "text_names.h"

namespace formconv {

namespace {

// Components, lists and collections nest no deeper than the reader accepts,
// which also bounds the recursion here.

class Compiler {
 public:
  Compiler(std::string_view text, const FileLoader& load_file)
      : lex_(text), load_file_(load_file) {}

  std::vector<unsigned char> Run() {
    for (const char c : kFilerSignature) out_.push_back(static_cast<unsigned char>(c));
    const Token keyword = lex_.Next();
    if (keyword.kind != Token::kName || keyword.text != "component") {
      throw TextError(keyword.line, "a form starts with 'component'");
    }
    Component(keyword.line);
    const Token& rest = lex_.Peek();
    if (rest.kind != Token::kEnd) throw TextError(rest.line, "only one root component is allowed");
    return std::move(out_);
  }

 private:
  // After the keyword "component": class, name, optional [flags], { body }.
  void Component(int line) {
    const NestingGuard nesting(depth_, kMaxFormNesting,
                               [line] { throw TextError(line, "nested too deeply"); });
    const std::string class_name = Name(lex_.Next(), "a class name");
    std::string name;
    const Token& next = lex_.Peek();
    if (next.kind == Token::kName || next.kind == Token::kString) name = Name(lex_.Next(), "");
    if (lex_.Peek().Is('[')) Prefix();
    ShortString(class_name, line);
    ShortString(name, line);
    Expect('{');
    bool in_children = false;
    while (!lex_.Peek().Is('}')) {
      const Token item = lex_.Next();
      if (item.kind == Token::kName && item.text == "component" && !lex_.Peek().Is('=')) {
        if (!in_children) out_.push_back(0);  // end of the properties
        in_children = true;
        Component(item.line);
      } else if (in_children) {
        throw TextError(item.line, "properties come before the child components");
      } else {
        Property(item);
      }
    }
    lex_.Next();
    if (!in_children) out_.push_back(0);
    out_.push_back(0);  // end of the children
  }

  // [inherited, inline, position N, bit3]; an empty [] is a prefix byte
  // without flags.
  void Prefix() {
    lex_.Next();
    unsigned char flags = 0;
    std::optional<std::int64_t> position;
    while (!lex_.Peek().Is(']')) {
      const Token flag = lex_.Next();
      if (flag.kind == Token::kName && flag.text == "inherited") {
        flags |= ffInherited;
      } else if (flag.kind == Token::kName && flag.text == "inline") {
        flags |= ffInline;
      } else if (flag.kind == Token::kName && flag.text == "bit3") {
        flags |= 0x08;
      } else if (flag.kind == Token::kName && flag.text == "position") {
        flags |= ffChildPos;
        position = Integer(lex_.Next(), false);
      } else {
        throw TextError(flag.line, "expected inherited, inline, position N or bit3");
      }
      if (!lex_.Peek().Is(']')) Expect(',');
    }
    lex_.Next();
    out_.push_back(static_cast<unsigned char>(0xF0 | flags));
    if (position) SmallInteger(*position);
  }

  void Property(const Token& name) {
    if (name.kind != Token::kName && name.kind != Token::kString) {
      throw TextError(name.line, "expected a property name, 'component' or '}'");
    }
    ShortString(Name(name, ""), name.line);
    Expect('=');
    Value();
  }

  void Value() {
    Token token = lex_.Next();
    switch (token.kind) {
      case Token::kNumber:
        if (IsFloat(token.text)) {
          out_.push_back(vaExtended);
          const Extended80 value = LongDoubleToExtended80(Float<long double>(token));
          Bytes(value.bytes, sizeof value.bytes);
        } else {
          SmallInteger(Integer(token, false));
        }
        return;
      case Token::kString: {
        const int line = token.line;
        const std::string text = Narrow(Strings(std::move(token)));
        if (text.size() <= 255) {
          out_.push_back(vaString);
          ShortString(text, line);
        } else {
          LongString(text);
        }
        return;
      }
      case Token::kName:
        if (lex_.Peek().Is('(')) {
          lex_.Next();
          Wrapped(token);
        } else {
          Word(token);
        }
        return;
      default:
        throw TextError(token.line, "expected a value");
    }
  }

  void Word(const Token& token) {
    const std::string lower = AsciiLower(token.text);
    if (lower == "null") {
      out_.push_back(vaNull);
    } else if (lower == "false") {
      out_.push_back(vaFalse);
    } else if (lower == "true") {
      out_.push_back(vaTrue);
    } else if (lower == "nil") {
      out_.push_back(vaNil);
    } else {
      out_.push_back(vaIdent);
      ShortString(token.text, token.line);
    }
  }

  // kind( ... ), with the "(" consumed.
  void Wrapped(const Token& kind) {
    const std::string name = AsciiLower(kind.text);
    if (name == "hex" || name == "float80") {
      const std::vector<unsigned char> bytes = lex_.HexBody();
      if (name == "hex") return Binary(bytes);
      if (bytes.size() != 10) throw TextError(kind.line, "float80 takes 10 bytes (20 digits)");
      out_.push_back(vaExtended);
      return Bytes(bytes.data(), bytes.size());
    }
    if (name == "int64") {
      out_.push_back(vaInt64);
      Little(static_cast<std::uint64_t>(Integer(lex_.Next(), true)), 8);
    } else if (name == "single") {
      out_.push_back(vaSingle);
      const float value = Float<float>(FloatArgument());
      Bytes(&value, 4);
    } else if (name == "date") {
      out_.push_back(vaDate);
      const double value = Float<double>(FloatArgument());
      Bytes(&value, 8);
    } else if (name == "currency") {
      out_.push_back(vaCurrency);
      Little(static_cast<std::uint64_t>(CurrencyValue(lex_.Next())), 8);
    } else if (name == "long") {
      LongString(Narrow(Strings(ExpectString())));
    } else if (name == "wide") {
      Wide(Strings(ExpectString()));
    } else if (name == "ident") {
      const Token text = ExpectString();
      out_.push_back(vaIdent);
      ShortString(Narrow(text), text.line);
    } else if (name == "file") {
      const Token path = ExpectString();
      std::string utf8;
      for (const LiteralChar& c : path.chars) codepage::AppendUtf8(utf8, c.value);
      const auto bytes = load_file_ ? load_file_(utf8) : std::nullopt;
      if (!bytes) throw TextError(path.line, "cannot read the file \"" + utf8 + "\"");
      Binary(*bytes);
    } else if (name == "set") {
      Set();
    } else if (name == "list") {
      List();
    } else if (name == "collection") {
      Collection();
      return;
    } else {
      throw TextError(kind.line, "unknown value kind '" + kind.text + "'");
    }
    Expect(')');
  }

  void Set() {
    out_.push_back(vaSet);
    while (!lex_.Peek().Is(')')) {
      const Token element = lex_.Next();
      const int line = element.line;
      const std::string text = Name(element, "a set element");
      if (text.empty()) throw TextError(line, "a set element cannot be empty");
      ShortString(text, line);
      if (!lex_.Peek().Is(')')) Expect(',');
    }
    out_.push_back(0);
  }

  void List() {
    const NestingGuard nesting(depth_, kMaxFormNesting, [line = lex_.line()] {
      throw TextError(line, "nested too deeply");
    });
    out_.push_back(vaList);
    while (!lex_.Peek().Is(')')) {
      // The tag of null is the byte that ends a list.
      const Token& next = lex_.Peek();
      if (next.kind == Token::kName && AsciiLower(next.text) == "null") {
        throw TextError(next.line, "null cannot stand in a list");
      }
      Value();
      if (!lex_.Peek().Is(')')) Expect(',');
    }
    out_.push_back(0);
  }

  // collection( item [N] { properties } ... )
  void Collection() {
    const NestingGuard nesting(depth_, kMaxFormNesting, [line = lex_.line()] {
      throw TextError(line, "nested too deeply");
    });
    out_.push_back(vaCollection);
    while (true) {
      const Token item = lex_.Next();
      if (item.Is(')')) break;
      if (item.kind != Token::kName || item.text != "item") {
        throw TextError(item.line, "expected 'item' or ')'");
      }
      if (lex_.Peek().kind == Token::kNumber) SmallInteger(Integer(lex_.Next(), false));
      out_.push_back(vaList);
      Expect('{');
      while (!lex_.Peek().Is('}')) Property(lex_.Next());
      lex_.Next();
      out_.push_back(0);
    }
    out_.push_back(0);
  }

  // Adjacent literals make one text; a literal followed by "=" is the name of
  // the next property, which a printed form quotes when it is not a word.
  Token Strings(Token first) {
    while (lex_.Peek().kind == Token::kString && !lex_.PeekSecond().Is('=')) {
      const Token next = lex_.Next();
      first.chars.insert(first.chars.end(), next.chars.begin(), next.chars.end());
    }
    return first;
  }

  Token ExpectString() {
    Token token = lex_.Next();
    if (token.kind != Token::kString) throw TextError(token.line, "expected a string in quotes");
    return token;
  }

  // A number, or inf, -inf, nan written as words.
  Token FloatArgument() {
    Token token = lex_.Next();
    std::string sign;
    if (token.Is('-')) {
      sign = "-";
      token = lex_.Next();
    }
    const std::string lower = AsciiLower(token.text);
    if (token.kind == Token::kName && (lower == "inf" || lower == "nan")) {
      token.kind = Token::kNumber;
      token.text = sign + lower;
    } else if (!sign.empty() || token.kind != Token::kNumber) {
      throw TextError(token.line, "expected a number");
    }
    return token;
  }

  static bool IsFloat(const std::string& text) {
    if (text.find("0x") != std::string::npos || text.find("0X") != std::string::npos) return false;
    return text.find_first_of(".eE") != std::string::npos;
  }

  template <typename T>
  static T Float(const Token& token) {
    T value{};
    const char* end = token.text.data() + token.text.size();
    const auto [rest, error] = std::from_chars(token.text.data(), end, value);
    if (error != std::errc() || rest != end) {
      throw TextError(token.line, "'" + token.text + "' is not a number of this kind");
    }
    return value;
  }

  // Decimal or 0x hexadecimal, in 32 bits unless wide.
  static std::int64_t Integer(const Token& token, bool wide) {
    if (token.kind != Token::kNumber) throw TextError(token.line, "expected an integer");
    std::string digits = token.text;
    int base = 10;
    const std::size_t x = digits.find_first_of("xX");
    if (x != std::string::npos && x == (digits[0] == '-' ? 2u : 1u) && digits[x - 1] == '0') {
      digits.erase(x - 1, 2);
      base = 16;
    }
    std::int64_t value = 0;
    const char* end = digits.data() + digits.size();
    const auto [rest, error] = std::from_chars(digits.data(), end, value, base);
    if (error == std::errc::result_out_of_range) {
      throw TextError(token.line, token.text + " is out of range");
    }
    if (error != std::errc() || rest != end) {
      throw TextError(token.line, "'" + token.text + "' is not an integer");
    }
    if (!wide && (value < std::numeric_limits<std::int32_t>::min() ||
                  value > std::numeric_limits<std::int32_t>::max())) {
      throw TextError(token.line,
                      token.text + " does not fit 32 bits; write int64(" + token.text + ")");
    }
    return value;
  }

  // A decimal with at most four digits after the point, kept exact.
  static std::int64_t CurrencyValue(const Token& token) {
    if (token.kind != Token::kNumber) throw TextError(token.line, "expected a number");
    const std::string& text = token.text;
    const bool negative = text[0] == '-';
    const std::size_t dot = text.find('.');
    const std::string whole = text.substr(negative, dot - negative);
    std::string fraction = dot == std::string::npos ? "" : text.substr(dot + 1);
    const auto digits_only = [](const std::string& s) {
      return s.find_first_not_of("0123456789") == std::string::npos;
    };
    if (whole.empty() || !digits_only(whole) || !digits_only(fraction) || fraction.size() > 4) {
      throw TextError(token.line, "currency is a decimal with at most 4 digits after the point");
    }
    fraction.resize(4, '0');
    unsigned __int128 magnitude = 0;
    for (const char c : whole + fraction) {
      magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
      if (magnitude > (static_cast<unsigned __int128>(1) << 63)) break;
    }
    const unsigned __int128 limit = (static_cast<unsigned __int128>(1) << 63) - (negative ? 0 : 1);
    if (magnitude > limit) throw TextError(token.line, text + " is out of the currency range");
    return negative ? static_cast<std::int64_t>(-static_cast<__int128>(magnitude))
                    : static_cast<std::int64_t>(magnitude);
  }

  // Code page 1251 bytes; escapes give their byte as it is.
  static std::string Narrow(const Token& token) {
    std::string out;
    for (const LiteralChar& c : token.chars) {
      if (c.raw) {
        if (c.value > 0xFF) throw TextError(token.line, "\\u is for wide strings; use \\x");
        out += static_cast<char>(c.value);
        continue;
      }
      const int byte = codepage::UnicodeToCp1251(c.value);
      if (byte < 0) {
        throw TextError(token.line, "a character of the text is not in code page 1251");
      }
      out += static_cast<char>(byte);
    }
    return out;
  }

  void Wide(const Token& token) {
    std::u16string units;
    for (const LiteralChar& c : token.chars) {
      if (c.raw || c.value < 0x10000) {
        units += static_cast<char16_t>(c.value);
      } else {
        units += static_cast<char16_t>(0xD800 + ((c.value - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((c.value - 0x10000) & 0x3FF));
      }
    }
    out_.push_back(vaWString);
    Little(units.size(), 4);
    for (const char16_t unit : units) Little(unit, 2);
  }

  // A name token, or a string for names that are not plain words.
  static std::string Name(const Token& token, const char* what) {
    if (token.kind == Token::kName) return token.text;
    if (token.kind == Token::kString) return Narrow(token);
    throw TextError(token.line, std::string("expected ") + (*what ? what : "a name"));
  }

  void Expect(char punct) {
    const Token token = lex_.Next();
    if (!token.Is(punct)) {
      throw TextError(token.line, std::string("expected '") + punct + "'" +
                                      (token.kind == Token::kEnd ? " before the end" : ""));
    }
  }

  void SmallInteger(std::int64_t value) {
    if (value >= -128 && value <= 127) {
      out_.push_back(vaInt8);
      Little(static_cast<std::uint64_t>(value), 1);
    } else if (value >= -32768 && value <= 32767) {
      out_.push_back(vaInt16);
      Little(static_cast<std::uint64_t>(value), 2);
    } else {
      out_.push_back(vaInt32);
      Little(static_cast<std::uint64_t>(value), 4);
    }
  }

  void ShortString(const std::string& text, int line) {
    if (text.size() > 255) throw TextError(line, "a name is longer than 255 bytes");
    out_.push_back(static_cast<unsigned char>(text.size()));
    out_.insert(out_.end(), text.begin(), text.end());
  }

  void LongString(const std::string& text) {
    out_.push_back(vaLString);
    Little(text.size(), 4);
    out_.insert(out_.end(), text.begin(), text.end());
  }

  void Binary(const std::vector<unsigned char>& bytes) {
    out_.push_back(vaBinary);
    Little(bytes.size(), 4);
    out_.insert(out_.end(), bytes.begin(), bytes.end());
  }

  void Little(std::uint64_t value, int size) {
    for (int i = 0; i < size; ++i) out_.push_back(static_cast<unsigned char>(value >> (8 * i)));
  }

  // Host floats are little-endian IEEE, as the format stores them.
  void Bytes(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const unsigned char*>(data);
    out_.insert(out_.end(), bytes, bytes + size);
  }

  Lexer lex_;
  const FileLoader& load_file_;
  int depth_ = 0;
  std::vector<unsigned char> out_;
};

}  // namespace

std::vector<unsigned char> CompileForm(std::string_view text, const FileLoader& load_file) {
  return Compiler(text, load_file).Run();
}

}  // namespace formconv
