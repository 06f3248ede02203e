#include <platform/console.h>

#include <platform/system_api.h>
#include <shellapi.h>

#include <streambuf>

namespace platform {

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  std::string out(size > 0 ? size - 1 : 0, '\0');
  if (size > 1) WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  return out;
}

// Text for a standard handle, written at each line's end and at a flush: a
// console gets it as UTF-16, anything else the bytes.
class ConsoleBuffer : public std::streambuf {
 public:
  explicit ConsoleBuffer(DWORD which) : which_(which) {}
  ~ConsoleBuffer() override { sync(); }

 protected:
  int_type overflow(int_type c) override {
    if (c != traits_type::eof()) Append(std::string(1, static_cast<char>(c)));
    return traits_type::not_eof(c);
  }

  std::streamsize xsputn(const char* s, std::streamsize n) override {
    Append(std::string(s, static_cast<std::size_t>(n)));
    return n;
  }

  int sync() override {
    if (text_.empty()) return 0;
    const HANDLE handle = GetStdHandle(which_);
    DWORD mode = 0;
    DWORD done = 0;
    bool written = false;
    if (GetConsoleMode(handle, &mode)) {
      const int size = static_cast<int>(text_.size());
      std::wstring wide(static_cast<std::size_t>(size), L'\0');
      const int count = MultiByteToWideChar(CP_UTF8, 0, text_.data(), size, wide.data(), size);
      written = WriteConsoleW(handle, wide.data(), static_cast<DWORD>(count), &done, nullptr);
    } else {
      written = WriteFile(handle, text_.data(), static_cast<DWORD>(text_.size()), &done, nullptr);
    }
    text_.clear();
    return written ? 0 : -1;
  }

 private:
  void Append(const std::string& piece) {
    text_ += piece;
    if (piece.find('\n') != std::string::npos) sync();
  }

  DWORD which_;
  std::string text_;
};

std::ostream& Stream(DWORD which) {
  static ConsoleBuffer out_buffer(STD_OUTPUT_HANDLE);
  static ConsoleBuffer err_buffer(STD_ERROR_HANDLE);
  static std::ostream out(&out_buffer);
  static std::ostream err(&err_buffer);
  return which == STD_OUTPUT_HANDLE ? out : err;
}

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return args;
}

std::ostream& ConsoleOut() {
  return Stream(STD_OUTPUT_HANDLE);
}

std::ostream& ConsoleErr() {
  return Stream(STD_ERROR_HANDLE);
}

}  // namespace platform
