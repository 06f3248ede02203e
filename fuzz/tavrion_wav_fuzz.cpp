// Any bytes as tavrion-wav's argument list: split at NUL bytes, one argument
// between two of them (a trailing NUL ends the last one; no bytes, no
// arguments). Whatever the arguments, Run exits 0..3 and throws nothing, and a
// train it reports written is a RIFF/WAVE file of 44 + frames x 4 bytes whose
// header says so.
//
// The run works in a scratch folder of its own, made once, emptied before
// each run and left after it (so the fuzzer's own relative paths keep
// working); an input with an argument that holds '/' or begins with ".." could
// name a file outside it and is skipped. Files may grow to 16 MB at most (a
// longer train fails to write), and the sound host has no output, so nothing
// is ever played.
#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include <platform/headless.h>

#include "app/tavrion-wav/cli.h"
#include "tests/support/temp_dir.h"

namespace {

constexpr rlim_t kLargestFile = 16 << 20;

// Enters the emptied scratch folder; gives the folder to go back to.
std::filesystem::path EnterScratchFolder() {
  static const TempDir scratch;
  const rlimit limit{kLargestFile, kLargestFile};
  if (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || setrlimit(RLIMIT_FSIZE, &limit) != 0) {
    std::abort();
  }
  for (const auto& entry : std::filesystem::directory_iterator(scratch.path())) {
    std::filesystem::remove_all(entry.path());
  }
  std::filesystem::path back = std::filesystem::current_path();
  std::filesystem::current_path(scratch.path());
  return back;
}

std::vector<std::string> Arguments(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> args;
  std::string arg;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] != 0) {
      arg += static_cast<char>(data[i]);
    } else {
      args.push_back(std::move(arg));
      arg.clear();
    }
  }
  if (!arg.empty()) args.push_back(std::move(arg));
  return args;
}

bool StaysInFolder(const std::string& arg) {
  return arg.find('/') == std::string::npos && arg.rfind("..", 0) != 0;
}

std::uint32_t Le32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  }
  return value;
}

// The file the success line names holds the frames it counts. A preview given
// the same name overwrites it with a PNG, which is all right.
void CheckWritten(const std::string& out) {
  static const std::regex line(
      R"(^([\s\S]*): \d+ pulse frames, \d+ interval frames, (\d+) frames in all; )");
  std::smatch match;
  if (!std::regex_search(out, match, line)) std::abort();
  std::ifstream in(match[1].str(), std::ios::binary);
  const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (bytes.rfind("\x89PNG", 0) == 0) return;
  const std::uint64_t data = std::stoull(match[2].str()) * 4;
  if (bytes.size() != 44 + data || bytes.compare(0, 4, "RIFF") != 0 ||
      bytes.compare(8, 8, "WAVEfmt ") != 0 || bytes.compare(36, 4, "data") != 0 ||
      Le32(bytes, 4) != 36 + data || Le32(bytes, 40) != data) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string> args = Arguments(data, size);
  for (const std::string& arg : args) {
    if (!StaysInFolder(arg)) return -1;
  }
  const std::filesystem::path back = EnterScratchFolder();
  std::ostringstream out, err;
  const int code = tavrion_wav::Run(args, out, err, [] {
    auto host = std::make_unique<host::HeadlessHost>();
    host->SetNoAudioOutput("no sound while fuzzing");
    return host;
  });
  if (code < tavrion_wav::kWritten || code > tavrion_wav::kNotPlayed) std::abort();
  if (out.str().find(" frames in all; ") != std::string::npos) CheckWritten(out.str());
  std::filesystem::current_path(back);
  return 0;
}
