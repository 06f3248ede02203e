#include "scan_codes.h"

#include "key_state.h"

namespace user {

UINT ScanCode(UINT key) {
  static const char kLetters[] =
      "\x1E\x30\x2E\x20\x12\x21\x22\x23\x17\x24\x25\x26\x32\x31\x18\x19"
      "\x10\x13\x1F\x14\x16\x2F\x11\x2D\x15\x2C";
  if (key >= 'A' && key <= 'Z') return static_cast<unsigned char>(kLetters[key - 'A']);
  if (key >= '1' && key <= '9') return key - '1' + 0x02;
  if (key == '0') return 0x0B;
  if (key >= VK_F1 && key <= VK_F10) return key - VK_F1 + 0x3B;
  switch (Generic(key)) {
    case VK_ESCAPE:
      return 0x01;
    case VK_BACK:
      return 0x0E;
    case VK_TAB:
      return 0x0F;
    case VK_RETURN:
      return 0x1C;
    case VK_CONTROL:
      return 0x1D;
    case VK_SHIFT:
      return key == VK_RSHIFT ? 0x36 : 0x2A;
    case VK_MENU:
      return 0x38;
    case VK_SPACE:
      return 0x39;
    case VK_CAPITAL:
      return 0x3A;
    case VK_NUMLOCK:
      return 0x45;
    case VK_SCROLL:
      return 0x46;
    case VK_HOME:
      return 0x47;
    case VK_UP:
      return 0x48;
    case VK_PRIOR:
      return 0x49;
    case VK_LEFT:
      return 0x4B;
    case VK_RIGHT:
      return 0x4D;
    case VK_END:
      return 0x4F;
    case VK_DOWN:
      return 0x50;
    case VK_NEXT:
      return 0x51;
    case VK_INSERT:
      return 0x52;
    case VK_DELETE:
      return 0x53;
    default:
      return 0;
  }
}

bool IsExtended(UINT key) {
  switch (key) {
    case VK_RCONTROL:
    case VK_RMENU:
    case VK_INSERT:
    case VK_DELETE:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_NUMLOCK:
      return true;
    default:
      return false;
  }
}

}  // namespace user
