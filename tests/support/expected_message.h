// One line of an expected message table and an actual message in its words:
// "Name WM_X", then any of
//   <how>    a word for how it came ("posted" ...; none for sent)
//   w=N      the wParam (decimal, 0x hex, -1 for all bits), or w=Name, the
//            handle of a window the log knows by that name
//   l=N      the lParam's low 32 bits (or l=Name)
//   ?        the message may be missing
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <set>
#include <sstream>
#include <stdexcept>
#include <string>

#include <platform/windows.h>

#include "tests/support/message_names.h"

struct ExpectedMessage {
  std::string window;
  UINT message = 0;
  std::string how;
  bool has_wparam = false;
  WPARAM wparam = 0;
  bool has_lparam = false;
  std::uint32_t lparam = 0;
  bool optional = false;

  bool Matches(const std::string& w, UINT m, const std::string& h, WPARAM wp, LPARAM lp) const {
    return window == w && message == m && how == h && (!has_wparam || wparam == wp) &&
           (!has_lparam || lparam == static_cast<std::uint32_t>(lp));
  }
};

// The handle of a named window, or null.
using HandleOfName = std::function<HWND(const std::string&)>;
// The name of a window's handle, or empty.
using NameOfHandle = std::function<std::string(HWND)>;

inline ExpectedMessage ParseExpectedMessage(const std::string& line, const HandleOfName& handle,
                                            const std::set<std::string>& hows) {
  std::istringstream words(line);
  ExpectedMessage e;
  std::string message;
  words >> e.window >> message;
  const auto value = [&](const std::string& text) {
    HWND named = handle(text);
    return named != nullptr ? reinterpret_cast<WPARAM>(named)
                            : static_cast<WPARAM>(std::stoll(text, nullptr, 0));
  };
  e.message = MessageNumber(message);
  for (std::string word; words >> word;) {
    if (hows.contains(word)) {
      e.how = word;
    } else if (word == "?") {
      e.optional = true;
    } else if (word.rfind("l=", 0) == 0) {
      e.has_lparam = true;
      e.lparam = static_cast<std::uint32_t>(value(word.substr(2)));
    } else if (word.rfind("w=", 0) == 0) {
      e.has_wparam = true;
      e.wparam = value(word.substr(2));
    } else {
      throw std::invalid_argument("unknown word in an expected sequence: " + line);
    }
  }
  return e;
}

// The actual message in the table's words, with the parameters the line
// beside it names.
inline std::string DescribeMessage(const std::string& window, UINT message, const std::string& how,
                                   WPARAM wparam, LPARAM lparam, const ExpectedMessage& e,
                                   const NameOfHandle& name) {
  std::string text = window + " " + MessageName(message) + (how.empty() ? "" : " " + how);
  char digits[40];
  const std::string named = wparam != 0 ? name(reinterpret_cast<HWND>(wparam)) : "";
  if (e.has_wparam && !named.empty()) {
    text += " w=" + named;
  } else if (e.has_wparam) {
    std::snprintf(digits, sizeof digits, " w=0x%llX", static_cast<unsigned long long>(wparam));
    text += digits;
  }
  if (e.has_lparam) {
    std::snprintf(digits, sizeof digits, " l=0x%X", static_cast<unsigned>(lparam));
    text += digits;
  }
  return text;
}
