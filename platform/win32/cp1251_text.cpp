#include "cp1251_text.h"

namespace cp1251 {

namespace {

constexpr UINT kCodePage = 1251;

}  // namespace

std::wstring Wide(std::string_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::wstring out(text.size(), L'\0');
  out.resize(static_cast<std::size_t>(
      MultiByteToWideChar(kCodePage, 0, text.data(), size, out.data(), size)));
  return out;
}

std::string Narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int size = static_cast<int>(text.size());
  std::string out(text.size(), '\0');
  out.resize(static_cast<std::size_t>(WideCharToMultiByte(
      kCodePage, WC_NO_BEST_FIT_CHARS, text.data(), size, out.data(), size, "?", nullptr)));
  return out;
}

std::wstring Wide(LPCSTR text, int count) {
  if (text == nullptr) return {};
  return Wide(count < 0 ? std::string_view(text)
                        : std::string_view(text, static_cast<std::size_t>(count)));
}

}  // namespace cp1251
