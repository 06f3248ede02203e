#include "cli.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include <platform/codepage.h>

#include "form_compiler.h"
#include "form_printer.h"
#include "framework/rtl/exceptions.h"
#include "text_error.h"

namespace formconv {

namespace {

std::optional<std::vector<unsigned char>> ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

int Usage(std::ostream& err) {
  err << "usage: formconv --to-binary SOURCE OUT [-I DIR]...\n"
         "       formconv --to-text BINARY\n";
  return 2;
}

int ToBinary(const std::string& source, const std::string& target,
             const std::vector<std::filesystem::path>& search, std::ostream& err) {
  const auto text = ReadFile(source);
  if (!text) {
    err << "formconv: cannot read " << source << "\n";
    return 1;
  }
  // Files named in the text are looked up next to it, then in the -I folders.
  std::vector<std::filesystem::path> folders{std::filesystem::path(source).parent_path()};
  folders.insert(folders.end(), search.begin(), search.end());
  const FileLoader load = [&folders](const std::string& name) {
    for (const auto& folder : folders) {
      if (auto bytes = ReadFile(folder / name)) return bytes;
    }
    return std::optional<std::vector<unsigned char>>();
  };
  std::vector<unsigned char> binary;
  try {
    binary = CompileForm(
        std::string_view(reinterpret_cast<const char*>(text->data()), text->size()), load);
  } catch (const TextError& e) {
    err << "formconv: " << source << ":" << e.line() << ": " << e.what() << "\n";
    return 1;
  }
  std::ofstream out(target, std::ios::binary);
  out.write(reinterpret_cast<const char*>(binary.data()),
            static_cast<std::streamsize>(binary.size()));
  if (!out.flush()) {
    err << "formconv: cannot write " << target << "\n";
    return 1;
  }
  return 0;
}

int ToText(const std::string& source, std::ostream& out, std::ostream& err) {
  const auto binary = ReadFile(source);
  if (!binary) {
    err << "formconv: cannot read " << source << "\n";
    return 1;
  }
  try {
    out << PrintForm(*binary);
  } catch (const Exception& e) {
    // The framework's messages are code page 1251.
    err << "formconv: " << codepage::Cp1251ToUtf8(e.Message()) << "\n";
    return 1;
  } catch (const std::exception& e) {
    err << "formconv: " << e.what() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.size() == 2 && args[0] == "--to-text") return ToText(args[1], out, err);
  if (args.size() < 3 || args[0] != "--to-binary") return Usage(err);
  std::vector<std::filesystem::path> search;
  for (std::size_t i = 3; i < args.size(); i += 2) {
    if (args[i] != "-I" || i + 1 >= args.size()) return Usage(err);
    search.emplace_back(args[i + 1]);
  }
  return ToBinary(args[1], args[2], search, err);
}

}  // namespace formconv
