// resembed: turns resource files into C++ at build time.
//
//   resembed --header OUT.h STRINGS.txt
//       the constants of the string table
//   resembed --source OUT.cpp [--strings STRINGS.txt] [--resource TYPE NAME FILE]...
//            [--cursor NAME FILE.cur]... [--icon NAME FILE.ico]...
//       the embedding source for one program
//   resembed --rc OUT.rc [the same options]
//       the resource script for one Windows program, its data in OUT.rc.data/
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

#include "embed_source.h"
#include "icon_file.h"
#include "rc_file.h"
#include "string_table.h"

namespace {

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream out(path, std::ios::binary);
  out << text;
  if (!out.flush()) throw std::runtime_error("cannot write " + path);
}

std::vector<resembed::TableString> ReadStrings(const std::string& path) {
  try {
    return resembed::ParseStringTable(ReadFile(path));
  } catch (const resembed::StringTableError& e) {
    throw std::runtime_error(path + ": " + e.what());
  }
}

int Usage() {
  std::cerr << "usage: resembed --header OUT.h STRINGS.txt\n"
               "       resembed --source OUT.cpp [--strings STRINGS.txt]"
               " [--resource TYPE NAME FILE]... [--cursor NAME FILE.cur]..."
               " [--icon NAME FILE.ico]...\n"
               "       resembed --rc OUT.rc [the options of --source]\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  try {
    if (args.size() == 3 && args[0] == "--header") {
      WriteFile(args[1], resembed::ConstantsHeader(ReadStrings(args[2])));
      return 0;
    }
    if (args.size() < 2 || (args[0] != "--source" && args[0] != "--rc")) return Usage();
    std::vector<resembed::ResourceFile> resources;
    std::vector<resembed::TableString> strings;
    // Icons and cursors are numbered apart, each from 1.
    int next_cursor_id = 1;
    int next_icon_id = 1;
    for (std::size_t i = 2; i < args.size();) {
      if (args[i] == "--strings" && i + 1 < args.size()) {
        strings = ReadStrings(args[i + 1]);
        i += 2;
      } else if (args[i] == "--resource" && i + 3 < args.size()) {
        const std::string bytes = ReadFile(args[i + 3]);
        resources.push_back({args[i + 1], args[i + 2], {bytes.begin(), bytes.end()}});
        i += 4;
      } else if ((args[i] == "--cursor" || args[i] == "--icon") && i + 2 < args.size()) {
        const bool icon = args[i] == "--icon";
        const std::string bytes = ReadFile(args[i + 2]);
        try {
          for (auto& resource : resembed::IconResources(
                   icon ? resembed::IconFileKind::kIcon : resembed::IconFileKind::kCursor,
                   args[i + 1], {bytes.begin(), bytes.end()},
                   icon ? next_icon_id : next_cursor_id)) {
            resources.push_back(std::move(resource));
          }
        } catch (const resembed::IconFileError& e) {
          throw std::runtime_error(args[i + 2] + ": " + e.what());
        }
        i += 3;
      } else {
        return Usage();
      }
    }
    if (args[0] == "--source") {
      WriteFile(args[1], resembed::EmbedSource(resources, strings));
      return 0;
    }
    for (auto& block : resembed::StringBlocks(strings)) resources.push_back(std::move(block));
    const std::string data_folder = args[1] + ".data";
    std::filesystem::create_directories(data_folder);
    for (std::size_t i = 0; i < resources.size(); ++i) {
      const auto& bytes = resources[i].bytes;
      WriteFile(data_folder + "/" + std::to_string(i) + ".bin", {bytes.begin(), bytes.end()});
    }
    WriteFile(args[1], resembed::ResourceScript(resources, data_folder));
    return 0;
  } catch (const std::exception& e) {
    std::cerr << "resembed: " << e.what() << "\n";
    return 1;
  }
}
