#include "form_printer.h"

#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "framework/rtl/sysconst.h"
#include "framework/streaming/reader.h"
#include "rtl/resstrings.h"
#include "text_names.h"

namespace formconv {

namespace {

constexpr int kHexBytesPerLine = 32;
// As deep as the reader itself goes; it bounds the recursion here.

template <typename T>
std::string Shortest(T value) {
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value);
  return std::string(text, result.ptr);
}

std::string Hex(const unsigned char* bytes, std::size_t size) {
  std::string out;
  for (std::size_t i = 0; i < size; ++i) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", bytes[i]);
    out += pair;
  }
  return out;
}

// The shortest decimal that reads back to the same ten bytes; values that
// have none (infinities, NaNs, unnormal encodings) are given as their bytes.
std::string ExtendedText(long double value) {
  const Extended80 bytes = LongDoubleToExtended80(value);
  std::string text = Shortest(value);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  long double back = 0;
  const char* end = text.data() + text.size();
  const auto result = std::from_chars(text.data(), end, back);
  const Extended80 again = LongDoubleToExtended80(back);
  const bool exact = result.ec == std::errc() && result.ptr == end;
  if (exact && std::memcmp(bytes.bytes, again.bytes, 10) == 0) return text;
  return "float80(" + Hex(bytes.bytes, 10) + ")";
}

std::string CurrencyText(Currency value) {
  const bool negative = value.scaled < 0;
  const std::uint64_t magnitude =
      negative ? 0 - static_cast<std::uint64_t>(value.scaled) : value.scaled;
  std::string text = (negative ? "-" : "") + std::to_string(magnitude / 10000);
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

std::string NameText(const std::string& name) {
  return IsPlainName(name) ? name : QuoteNarrow(name);
}

class Printer {
 public:
  explicit Printer(TReader& reader) : reader_(reader) {}

  std::string Run() {
    reader_.ReadSignature();
    Component(0);
    return std::move(out_);
  }

 private:
  void Component(int depth) {
    const NestingGuard nesting(nesting_, kMaxFormNesting, &TReader::RefuseNesting);
    const bool has_prefix = (reader_.NextValue() & 0xF0) == 0xF0;
    TFilerFlags flags = 0;
    std::int32_t position = 0;
    reader_.ReadPrefix(flags, position);
    const std::string class_name = reader_.ReadStr();
    const std::string name = reader_.ReadStr();
    Indent(depth);
    out_ += "component " + NameText(class_name);
    if (!name.empty()) out_ += " " + NameText(name);
    if (has_prefix) out_ += " " + PrefixText(flags, position);
    out_ += " {\n";
    Properties(depth + 1);
    while (!reader_.EndOfList()) Component(depth + 1);
    reader_.ReadListEnd();
    Indent(depth);
    out_ += "}\n";
  }

  static std::string PrefixText(TFilerFlags flags, std::int32_t position) {
    std::string text;
    const auto add = [&text](const std::string& flag) {
      text += (text.empty() ? "" : ", ") + flag;
    };
    if (flags & ffInherited) add("inherited");
    if (flags & ffInline) add("inline");
    if (flags & ffChildPos) add("position " + std::to_string(position));
    if (flags & 0x08) add("bit3");
    return "[" + text + "]";
  }

  // Property records up to and including the 0x00 that ends them.
  void Properties(int depth) {
    while (!reader_.EndOfList()) {
      const std::string name = reader_.ReadStr();
      Indent(depth);
      out_ += NameText(name) + " = ";
      Value(depth);
      out_ += "\n";
    }
    reader_.ReadListEnd();
  }

  void Value(int depth) {
    // The reader takes an identifier's tag with bit 7 set as the tag without
    // it, where it reads an identifier: print what it would read.
    if (const TValueType tag = reader_.NextValue(); (tag & 0x80) != 0 && IsIdentTag(tag & 0x7F)) {
      Ident();
      return;
    }
    switch (reader_.NextValue()) {
      case vaNull:
        reader_.ReadValue();
        out_ += "null";
        break;
      case vaFalse:
        reader_.ReadValue();
        out_ += "false";
        break;
      case vaTrue:
        reader_.ReadValue();
        out_ += "true";
        break;
      case vaNil:
        reader_.ReadValue();
        out_ += "nil";
        break;
      case vaList: {
        const NestingGuard nesting(nesting_, kMaxFormNesting, &TReader::RefuseNesting);
        reader_.ReadValue();
        out_ += "list(";
        for (bool first = true; !reader_.EndOfList(); first = false) {
          if (!first) out_ += ", ";
          Value(depth);
        }
        reader_.ReadListEnd();
        out_ += ")";
        break;
      }
      case vaInt8:
      case vaInt16:
      case vaInt32:
        out_ += std::to_string(reader_.ReadInteger());
        break;
      case vaInt64:
        out_ += "int64(" + std::to_string(reader_.ReadInt64()) + ")";
        break;
      case vaExtended:
        out_ += ExtendedText(reader_.ReadFloat());
        break;
      case vaSingle:
        out_ += "single(" + Shortest(reader_.ReadSingle()) + ")";
        break;
      case vaDate:
        out_ += "date(" + Shortest(reader_.ReadDate()) + ")";
        break;
      case vaCurrency:
        out_ += "currency(" + CurrencyText(reader_.ReadCurrency()) + ")";
        break;
      case vaString:
        out_ += QuoteNarrow(reader_.ReadString());
        break;
      case vaLString: {
        // A short text in a long string says so; longer ones are long anyway.
        const std::string text = reader_.ReadString();
        out_ += text.size() <= 255 ? "long(" + QuoteNarrow(text) + ")" : QuoteNarrow(text);
        break;
      }
      case vaWString:
        out_ += "wide(" + QuoteWide(reader_.ReadWideString()) + ")";
        break;
      case vaIdent:
        Ident();
        break;
      case vaBinary:
        Binary(depth);
        break;
      case vaSet:
        reader_.ReadValue();
        out_ += "set(";
        for (std::string element = reader_.ReadStr(); !element.empty();) {
          out_ += NameText(element);
          element = reader_.ReadStr();
          if (!element.empty()) out_ += ", ";
        }
        out_ += ")";
        break;
      case vaCollection:
        Collection(depth);
        break;
      default:
        throw EReadError(LoadResString(SInvalidPropertyValue));
    }
  }

  static bool IsIdentTag(int tag) {
    return tag == vaIdent || tag == vaFalse || tag == vaTrue || tag == vaNull || tag == vaNil;
  }

  void Ident() {
    const std::string ident = reader_.ReadIdent();
    const bool plain = IsPlainName(ident) && !IsValueKeyword(ident);
    out_ += plain ? ident : "ident(" + QuoteNarrow(ident) + ")";
  }

  void Binary(int depth) {
    reader_.ReadValue();
    unsigned char size_bytes[4];
    reader_.Read(size_bytes, 4);
    std::uint32_t size = 0;
    for (int i = 3; i >= 0; --i) size = size << 8 | size_bytes[i];
    out_ += "hex(";
    // Read in lines, so that a length past the end fails when the bytes run
    // out rather than by allocating it.
    unsigned char line[kHexBytesPerLine];
    while (size > 0) {
      const std::uint32_t count = std::min<std::uint32_t>(size, kHexBytesPerLine);
      reader_.Read(line, static_cast<std::int32_t>(count));
      out_ += "\n";
      Indent(depth + 1);
      out_ += Hex(line, count);
      size -= count;
      if (size == 0) {
        out_ += "\n";
        Indent(depth);
      }
    }
    out_ += ")";
  }

  void Collection(int depth) {
    const NestingGuard nesting(nesting_, kMaxFormNesting, &TReader::RefuseNesting);
    reader_.ReadValue();
    out_ += "collection(\n";
    while (!reader_.EndOfList()) {
      Indent(depth + 1);
      out_ += "item ";
      const TValueType next = reader_.NextValue();
      if (next == vaInt8 || next == vaInt16 || next == vaInt32) {
        out_ += std::to_string(reader_.ReadInteger()) + " ";
      }
      reader_.CheckValue(vaList);
      out_ += "{\n";
      Properties(depth + 2);
      Indent(depth + 1);
      out_ += "}\n";
    }
    reader_.ReadListEnd();
    Indent(depth);
    out_ += ")";
  }

  void Indent(int depth) { out_.append(static_cast<std::size_t>(depth) * 2, ' '); }

  TReader& reader_;
  std::string out_;
  int nesting_ = 0;
};

}  // namespace

std::string PrintForm(const std::vector<unsigned char>& binary) {
  TMemoryStream stream(binary);
  TReader reader(&stream, 4096);
  return Printer(reader).Run();
}

}  // namespace formconv
