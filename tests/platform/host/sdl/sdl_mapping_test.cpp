// SDL's keys and cursors as the desktop's: keys by position, both sides of
// the modifiers; the system cursors by their likeness.
#include <SDL_keyboard.h>

#include <cstdint>
#include <utility>

#include <gtest/gtest.h>
#include <platform/windows.h>

#include "platform/host/sdl/sdl_cursors.h"
#include "platform/host/sdl/sdl_keys.h"

namespace {

TEST(SdlKeys, KeysHaveTheirVirtualKeyCodes) {
  const std::pair<SDL_Scancode, UINT> cases[] = {
      {SDL_SCANCODE_A, 'A'},
      {SDL_SCANCODE_Z, 'Z'},
      {SDL_SCANCODE_1, '1'},
      {SDL_SCANCODE_9, '9'},
      {SDL_SCANCODE_0, '0'},
      {SDL_SCANCODE_F1, VK_F1},
      {SDL_SCANCODE_F12, VK_F1 + 11},
      {SDL_SCANCODE_KP_ENTER, VK_RETURN},
      {SDL_SCANCODE_RETURN, VK_RETURN},
      {SDL_SCANCODE_BACKSPACE, VK_BACK},
      {SDL_SCANCODE_PAGEUP, VK_PRIOR},
      {SDL_SCANCODE_PAGEDOWN, VK_NEXT},
      {SDL_SCANCODE_LSHIFT, VK_LSHIFT},
      {SDL_SCANCODE_RSHIFT, VK_RSHIFT},
      {SDL_SCANCODE_LCTRL, VK_LCONTROL},
      {SDL_SCANCODE_RALT, VK_RMENU},
      {SDL_SCANCODE_KP_0, 0x60},
      {SDL_SCANCODE_KP_9, 0x69},
      {SDL_SCANCODE_COMMA, 0xBC},
      {SDL_SCANCODE_GRAVE, 0xC0},
  };
  for (const auto& [scancode, key] : cases) {
    SCOPED_TRACE(SDL_GetScancodeName(scancode));
    EXPECT_EQ(host::sdl::VirtualKeyFor(scancode), key);
  }
  EXPECT_FALSE(host::sdl::VirtualKeyFor(SDL_SCANCODE_UNKNOWN).has_value());
  EXPECT_FALSE(host::sdl::VirtualKeyFor(SDL_SCANCODE_F13).has_value());
}

TEST(SdlCursors, SystemCursorsHaveTheirLikeness) {
  const std::pair<LPCSTR, SDL_SystemCursor> cases[] = {
      {IDC_ARROW, SDL_SYSTEM_CURSOR_ARROW},       {IDC_IBEAM, SDL_SYSTEM_CURSOR_IBEAM},
      {IDC_WAIT, SDL_SYSTEM_CURSOR_WAIT},         {IDC_CROSS, SDL_SYSTEM_CURSOR_CROSSHAIR},
      {IDC_SIZENWSE, SDL_SYSTEM_CURSOR_SIZENWSE}, {IDC_SIZENESW, SDL_SYSTEM_CURSOR_SIZENESW},
      {IDC_SIZEWE, SDL_SYSTEM_CURSOR_SIZEWE},     {IDC_SIZENS, SDL_SYSTEM_CURSOR_SIZENS},
      {IDC_SIZEALL, SDL_SYSTEM_CURSOR_SIZEALL},   {IDC_NO, SDL_SYSTEM_CURSOR_NO},
      {IDC_HAND, SDL_SYSTEM_CURSOR_HAND},         {IDC_APPSTARTING, SDL_SYSTEM_CURSOR_WAITARROW},
      {IDC_UPARROW, SDL_SYSTEM_CURSOR_ARROW},     {IDC_HELP, SDL_SYSTEM_CURSOR_ARROW},
  };
  for (const auto& [cursor, sdl] : cases) {
    const auto id = static_cast<WORD>(reinterpret_cast<std::uintptr_t>(cursor));
    EXPECT_EQ(host::sdl::SystemCursorFor(id), sdl) << id;
  }
  EXPECT_FALSE(host::sdl::SystemCursorFor(0).has_value());
}

}  // namespace
