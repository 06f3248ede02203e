// Text between code page 1251 and UTF-16, always with code page 1251 and
// never with the system's own.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

namespace cp1251 {

std::wstring Wide(std::string_view text);
// Characters the code page lacks become '?'.
std::string Narrow(std::wstring_view text);

// A counted text of the program's, or up to its NUL when the count is negative.
std::wstring Wide(LPCSTR text, int count);

template <typename To, typename From>
std::basic_string<To> Recode(std::basic_string_view<From> text) {
  if constexpr (std::is_same_v<To, wchar_t>) {
    return Wide(text);
  } else {
    return Narrow(text);
  }
}

// A character in a message's wParam. Code page 1251 has a character for every
// byte, and a UTF-16 unit it lacks becomes '?'.
template <typename To>
WPARAM RecodeCharacter(WPARAM character) {
  if constexpr (std::is_same_v<To, wchar_t>) {
    const char c = static_cast<char>(character & 0xFF);
    const std::wstring wide = Wide(std::string_view(&c, 1));
    return wide.empty() ? WPARAM{'?'} : static_cast<WPARAM>(wide[0]);
  } else {
    const wchar_t c = static_cast<wchar_t>(character & 0xFFFF);
    const std::string narrow = Narrow(std::wstring_view(&c, 1));
    return narrow.empty() ? WPARAM{'?'} : static_cast<unsigned char>(narrow[0]);
  }
}

// A name that may be a number (an atom, a resource's number) in place of text,
// or null.
template <typename To>
class Name {
 public:
  template <typename From>
  explicit Name(const From* name) : name_(reinterpret_cast<const To*>(name)) {
    if (IS_INTRESOURCE(name)) return;
    text_ = Recode<To>(std::basic_string_view<From>(name));
    name_ = text_.c_str();
  }
  Name(const Name&) = delete;
  Name& operator=(const Name&) = delete;

  const To* get() const { return name_; }

 private:
  std::basic_string<To> text_;
  const To* name_;
};

using WideName = Name<wchar_t>;

// Lets `fill` write a text into a buffer of the other encoding, `size` units
// long, and puts it into `out`, `size` units with the NUL, cut to fit. `fill`
// takes the buffer and its size and answers the units it wrote. Returns the
// units given without the NUL.
template <typename Out, typename In, typename Fill>
std::size_t FillBuffer(Out* out, std::size_t size, Fill fill) {
  if (out == nullptr || size == 0) return 0;
  std::vector<In> buffer(size);
  const auto written = fill(buffer.data(), size);
  const std::size_t count =
      written > 0 ? std::min(static_cast<std::size_t>(written), size - 1) : std::size_t{0};
  const std::basic_string<Out> text = Recode<Out>(std::basic_string_view<In>(buffer.data(), count));
  const std::size_t given = std::min(text.size(), size - 1);
  std::copy_n(text.data(), given, out);
  out[given] = Out{};
  return given;
}

}  // namespace cp1251
