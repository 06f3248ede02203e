// The messages that carry text, and their translation between a sender or
// procedure of one encoding and a receiver of the other. One table serves
// both ways: from the program's code page 1251 to the system's UTF-16 and
// back.
#pragma once

#include <windows.h>

#include <cstring>
#include <type_traits>

#include "cp1251_text.h"

namespace cp1251 {

enum class TextKind {
  kNone,
  kCharacter,  // wParam is a character
  kString,     // lParam points at a text, or is null
  kBuffer,     // wParam units at lParam to be filled; the result counts them
  kCreate,     // lParam points at the window's creation data, with its names
};

struct TextMessage {
  UINT message;
  TextKind kind;
};

// WM_GETTEXTLENGTH needs nothing: a code page 1251 character is one byte and
// one UTF-16 unit, so both count the same (the UTF-16 count is more for a
// character outside the first plane, which the answer may be).
inline constexpr TextMessage kTextMessages[] = {
    {WM_CHAR, TextKind::kCharacter},
    {WM_SYSCHAR, TextKind::kCharacter},
    {WM_DEADCHAR, TextKind::kCharacter},
    {WM_SYSDEADCHAR, TextKind::kCharacter},
    {EM_SETPASSWORDCHAR, TextKind::kCharacter},
    {WM_SETTEXT, TextKind::kString},
    {EM_REPLACESEL, TextKind::kString},
    {WM_GETTEXT, TextKind::kBuffer},
    {WM_NCCREATE, TextKind::kCreate},
    {WM_CREATE, TextKind::kCreate},
};

constexpr TextKind KindOf(UINT message) {
  for (const TextMessage& m : kTextMessages) {
    if (m.message == message) return m.kind;
  }
  return TextKind::kNone;
}

template <typename C>
using CreateStructOf = std::conditional_t<std::is_same_v<C, wchar_t>, CREATESTRUCTW, CREATESTRUCTA>;

// Hands a message in the encoding of From to `call`, which takes wParam and
// lParam in the encoding of To, and brings the answer back.
template <typename From, typename To, typename Call>
LRESULT Translate(UINT message, WPARAM wparam, LPARAM lparam, Call call) {
  switch (KindOf(message)) {
    case TextKind::kNone:
      break;
    case TextKind::kCharacter:
      return call(RecodeCharacter<To>(wparam), lparam);
    case TextKind::kString: {
      if (lparam == 0) break;
      const std::basic_string<To> text =
          Recode<To>(std::basic_string_view<From>(reinterpret_cast<const From*>(lparam)));
      return call(wparam, reinterpret_cast<LPARAM>(text.c_str()));
    }
    case TextKind::kBuffer:
      if (lparam == 0 || wparam == 0) break;
      return static_cast<LRESULT>(FillBuffer<From, To>(
          reinterpret_cast<From*>(lparam), wparam,
          [&](To* buffer, WPARAM size) { return call(size, reinterpret_cast<LPARAM>(buffer)); }));
    case TextKind::kCreate: {
      const auto* in = reinterpret_cast<const CreateStructOf<From>*>(lparam);
      if (in == nullptr) break;
      const Name<To> name(in->lpszName);
      const Name<To> class_name(in->lpszClass);
      CreateStructOf<To> out;
      static_assert(sizeof out == sizeof *in);
      std::memcpy(&out, in, sizeof out);
      out.lpszName = name.get();
      out.lpszClass = class_name.get();
      return call(wparam, reinterpret_cast<LPARAM>(&out));
    }
  }
  return call(wparam, lparam);
}

}  // namespace cp1251
