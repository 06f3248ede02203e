#include "embed_source.h"

#include <cstdio>

namespace resembed {

namespace {

// A C++ string literal; octal escapes cannot run into the next character.
std::string Literal(const std::string& bytes) {
  std::string out = "\"";
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 0x20 && b < 0x7F && c != '"' && c != '\\' && c != '?') {
      out += c;
    } else {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\%03o", b);
      out += escape;
    }
  }
  return out + "\"";
}

std::string Key(const std::string& key) {
  if (IsNumberKey(key)) return "{nullptr, " + key + "}";
  return "{" + Literal(UpperKey(key)) + ", 0}";
}

}  // namespace

bool IsNumberKey(const std::string& key) {
  if (key.empty() || key.size() > 5) return false;
  for (const char c : key) {
    if (c < '0' || c > '9') return false;
  }
  return std::stoul(key) <= 0xFFFF;
}

std::string UpperKey(std::string key) {
  for (char& c : key) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return key;
}

std::string EmbedSource(const std::vector<ResourceFile>& resources,
                        const std::vector<TableString>& strings) {
  std::string out =
      "// Resources embedded by resembed; generated at build time.\n"
      "#include <iterator>\n\n#include \"resource_table.h\"\n\nnamespace {\n\n";
  for (std::size_t i = 0; i < resources.size(); ++i) {
    const auto& bytes = resources[i].bytes;
    // An empty resource still gets one byte so that its data is never null.
    out += "const unsigned char kData" + std::to_string(i) + "[" +
           std::to_string(bytes.empty() ? 1 : bytes.size()) + "] = {";
    for (std::size_t j = 0; j < bytes.size(); ++j) {
      out += j % 16 == 0 ? "\n    " : " ";
      out += std::to_string(bytes[j]) + ",";
    }
    out += "\n};\n";
  }
  out += "\n";
  if (!resources.empty()) {
    out += "const kernel::EmbeddedResource kResources[] = {\n";
    for (std::size_t i = 0; i < resources.size(); ++i) {
      out += "    {" + Key(resources[i].type) + ", " + Key(resources[i].name) + ", kData" +
             std::to_string(i) + ", " + std::to_string(resources[i].bytes.size()) + "},\n";
    }
    out += "};\n";
  }
  if (!strings.empty()) {
    out += "const kernel::EmbeddedString kStrings[] = {\n";
    for (const TableString& s : strings) {
      out += "    {" + std::to_string(s.id) + ", " + Literal(s.text) + ", " +
             std::to_string(s.text.size()) + "},\n";
    }
    out += "};\n";
  }
  out += "\n[[maybe_unused]] const bool kRegistered = kernel::RegisterEmbedded(";
  out += resources.empty() ? "nullptr, 0, " : "kResources, std::size(kResources), ";
  out += strings.empty() ? "nullptr, 0);\n" : "kStrings, std::size(kStrings));\n";
  out += "\n}  // namespace\n";
  return out;
}

}  // namespace resembed
