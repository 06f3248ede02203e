#include "rc_file.h"

#include <map>
#include <stdexcept>

#include <platform/codepage.h>

namespace resembed {

namespace {

constexpr unsigned kStringsPerBlock = 16;

void PutWord(std::vector<unsigned char>& out, unsigned word) {
  out.push_back(static_cast<unsigned char>(word & 0xFF));
  out.push_back(static_cast<unsigned char>(word >> 8));
}

std::string ScriptKey(const std::string& key) {
  if (IsNumberKey(key)) return key;
  if (!IsIdentifier(key)) throw std::runtime_error("'" + key + "' cannot be named in a script");
  return UpperKey(key);
}

}  // namespace

std::vector<ResourceFile> StringBlocks(const std::vector<TableString>& strings) {
  std::map<unsigned, std::map<unsigned, const std::string*>> blocks;
  for (const TableString& s : strings) {
    blocks[s.id / kStringsPerBlock + 1][s.id % kStringsPerBlock] = &s.text;
  }
  std::vector<ResourceFile> out;
  for (const auto& [number, entries] : blocks) {
    ResourceFile block{"6", std::to_string(number), {}};
    for (unsigned entry = 0; entry < kStringsPerBlock; ++entry) {
      const auto found = entries.find(entry);
      const std::string text = found == entries.end() ? "" : *found->second;
      PutWord(block.bytes, static_cast<unsigned>(text.size()));
      for (const char c : text) {
        PutWord(block.bytes, codepage::Cp1251ToUnicode(static_cast<unsigned char>(c)));
      }
    }
    out.push_back(std::move(block));
  }
  return out;
}

std::string ResourceScript(const std::vector<ResourceFile>& resources,
                           const std::string& data_folder) {
  std::string out =
      "// Resources written by resembed; generated at build time.\n"
      "LANGUAGE 0, 0\n";
  for (std::size_t i = 0; i < resources.size(); ++i) {
    out += ScriptKey(resources[i].name) + " " + ScriptKey(resources[i].type) + " \"" + data_folder +
           "/" + std::to_string(i) + ".bin\"\n";
  }
  return out;
}

}  // namespace resembed
