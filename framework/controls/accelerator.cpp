#include "framework/controls/accelerator.h"

namespace {

// Upper case in code page 1251: Latin, Cyrillic and "ё".
unsigned char UpperCase(unsigned char c) {
  if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
  if (c >= 0xE0) return static_cast<unsigned char>(c - 0x20);
  if (c == 0xB8) return 0xA8;
  return c;
}

// The bit of a key message's data that says Alt is down.
constexpr LPARAM kAltDown = LPARAM{1} << 29;

}  // namespace

bool IsAccel(WPARAM key, const std::string& caption) {
  if (key > 0xFF) return false;
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    // "&&" stands for a plain "&".
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return UpperCase(static_cast<unsigned char>(caption[i + 1])) ==
           UpperCase(static_cast<unsigned char>(key));
  }
  return false;
}

bool NoShiftKeys(LPARAM key_data) {
  return GetKeyState(VK_SHIFT) >= 0 && GetKeyState(VK_CONTROL) >= 0 && (key_data & kAltDown) == 0;
}
