#include "typing.h"

namespace host {

namespace {

// The number row, punctuation and space of the US layout: each key with the
// character it gives alone and with Shift (0: none).
struct UsKey {
  UINT virtual_key;
  char plain;
  char shifted;
};

constexpr UsKey kUsKeys[] = {
    {0xC0, '`', '~'},  {'1', '1', '!'},  {'2', '2', '@'},   {'3', '3', '#'},  {'4', '4', '$'},
    {'5', '5', '%'},   {'6', '6', '^'},  {'7', '7', '&'},   {'8', '8', '*'},  {'9', '9', '('},
    {'0', '0', ')'},   {0xBD, '-', '_'}, {0xBB, '=', '+'},  {0xDB, '[', '{'}, {0xDD, ']', '}'},
    {0xDC, '\\', '|'}, {0xBA, ';', ':'}, {0xDE, '\'', '"'}, {0xBC, ',', '<'}, {0xBE, '.', '>'},
    {0xBF, '/', '?'},  {0x20, ' ', 0},
};

// The keys of the Russian letters а to я (0xE0 to 0xFF; the capitals are
// 0x20 lower) on the Russian layout, in alphabet order.
constexpr UINT kRussianKeys[32] = {
    'F', 0xBC, 'D', 'U', 'L', 'T',  0xBA, 'P', 'B', 'Q', 'R',  'K', 'V', 'Y',  'J',  'G',
    'H', 'C',  'N', 'E', 'A', 0xDB, 'W',  'X', 'I', 'O', 0xDD, 'S', 'M', 0xDE, 0xBE, 'Z',
};

constexpr UINT kYoKey = 0xC0;  // ё and Ё sit left of 1

}  // namespace

std::optional<KeyStroke> KeyFor(char c) {
  const auto byte = static_cast<unsigned char>(c);
  if (byte >= 'a' && byte <= 'z') return KeyStroke{static_cast<UINT>(byte - 'a' + 'A'), false, c};
  if (byte >= 'A' && byte <= 'Z') return KeyStroke{byte, true, c};
  if (byte >= 0xE0) return KeyStroke{kRussianKeys[byte - 0xE0], false, c};
  if (byte >= 0xC0) return KeyStroke{kRussianKeys[byte - 0xC0], true, c};
  switch (byte) {
    case 0xB8:
      return KeyStroke{kYoKey, false, c};
    case 0xA8:
      return KeyStroke{kYoKey, true, c};
    case '\r':
    case '\n':
      return KeyStroke{0x0D, false, '\r'};
    case '\b':
    case '\t':
    case 0x1B:
      return KeyStroke{byte, false, c};
    default:
      break;
  }
  for (const UsKey& key : kUsKeys) {
    if (c == key.plain) return KeyStroke{key.virtual_key, false, c};
    if (c == key.shifted && key.shifted != 0) return KeyStroke{key.virtual_key, true, c};
  }
  return std::nullopt;
}

}  // namespace host
