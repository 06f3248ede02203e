// The string table's source: resources/strings.txt, one message a line,
//   <id> <ConstantName> <text>
// with the text in UTF-8 and "\n" standing for a line break ("\\" for a
// backslash). Blank lines and lines starting with "#" are skipped.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace resembed {

struct TableString {
  unsigned id;
  std::string name;
  std::string text;  // code page 1251
};

// A fault of the source, with its line number (from 1).
class StringTableError : public std::runtime_error {
 public:
  StringTableError(int line, const std::string& message)
      : std::runtime_error("line " + std::to_string(line) + ": " + message) {}
};

std::vector<TableString> ParseStringTable(std::string_view source);

// Letters, digits and '_', not a digit first: a constant's name, and a name
// a resource script carries bare.
bool IsIdentifier(std::string_view name);

// The header of constants: `inline constexpr UINT <name> = <id>;` a line.
std::string ConstantsHeader(const std::vector<TableString>& strings);

}  // namespace resembed
