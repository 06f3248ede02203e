#include "string_table.h"

#include <charconv>
#include <set>

#include <platform/codepage.h>

namespace resembed {

namespace {

std::string Unescape(std::string_view text, int line) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\') {
      out += text[i];
      continue;
    }
    const char next = i + 1 < text.size() ? text[i + 1] : '\0';
    if (next == 'n') {
      out += '\n';
    } else if (next == '\\') {
      out += '\\';
    } else {
      throw StringTableError(line, "unknown escape; write \\n or \\\\");
    }
    ++i;
  }
  return out;
}

}  // namespace

bool IsIdentifier(std::string_view name) {
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return false;
  for (const char c : name) {
    const bool ok =
        (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    if (!ok) return false;
  }
  return true;
}

std::vector<TableString> ParseStringTable(std::string_view source) {
  std::vector<TableString> strings;
  std::set<unsigned> ids;
  std::set<std::string> names;
  int line_number = 0;
  while (!source.empty()) {
    const std::size_t end = source.find('\n');
    std::string_view line = source.substr(0, end);
    source = end == std::string_view::npos ? std::string_view() : source.substr(end + 1);
    ++line_number;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == '#') continue;

    const std::size_t id_end = line.find(' ');
    const std::size_t name_end =
        id_end == std::string_view::npos ? id_end : line.find(' ', id_end + 1);
    if (name_end == std::string_view::npos) {
      throw StringTableError(line_number, "expected <id> <ConstantName> <text>");
    }
    const std::string_view id_text = line.substr(0, id_end);
    unsigned id = 0;
    const auto [rest, error] = std::from_chars(id_text.data(), id_text.data() + id_text.size(), id);
    if (error != std::errc() || rest != id_text.data() + id_text.size() || id > 0xFFFF) {
      throw StringTableError(line_number, "the id must be a number from 0 to 65535");
    }
    const std::string name(line.substr(id_end + 1, name_end - id_end - 1));
    if (!IsIdentifier(name))
      throw StringTableError(line_number, "bad constant name '" + name + "'");
    if (!ids.insert(id).second) {
      throw StringTableError(line_number, "id " + std::to_string(id) + " given twice");
    }
    if (!names.insert(name).second) {
      throw StringTableError(line_number, "constant " + name + " given twice");
    }
    const auto text = codepage::Utf8ToCp1251(Unescape(line.substr(name_end + 1), line_number));
    if (!text) {
      throw StringTableError(line_number, "the text is not UTF-8 or leaves code page 1251");
    }
    strings.push_back({id, name, *text});
  }
  return strings;
}

std::string ConstantsHeader(const std::vector<TableString>& strings) {
  std::string out =
      "// The ids of the string table, generated from resources/strings.txt.\n"
      "#pragma once\n\n#include <platform/types.h>\n\n";
  for (const TableString& s : strings) {
    out += "inline constexpr UINT " + s.name + " = " + std::to_string(s.id) + ";\n";
  }
  return out;
}

}  // namespace resembed
