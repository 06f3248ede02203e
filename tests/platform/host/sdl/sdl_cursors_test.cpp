// The system cursors' numbers as SDL's cursors.
#include "platform/host/sdl/sdl_cursors.h"

#include <cstdint>

#include <gtest/gtest.h>
#include <platform/windows.h>

namespace {

WORD Id(LPCSTR resource) {
  return static_cast<WORD>(reinterpret_cast<std::uintptr_t>(resource));
}

TEST(SdlCursors, SystemCursorsHaveTheirLikeness) {
  const struct {
    LPCSTR cursor;
    SDL_SystemCursor sdl;
  } cases[] = {
      {IDC_ARROW, SDL_SYSTEM_CURSOR_ARROW},       {IDC_IBEAM, SDL_SYSTEM_CURSOR_IBEAM},
      {IDC_WAIT, SDL_SYSTEM_CURSOR_WAIT},         {IDC_CROSS, SDL_SYSTEM_CURSOR_CROSSHAIR},
      {IDC_SIZENWSE, SDL_SYSTEM_CURSOR_SIZENWSE}, {IDC_SIZENESW, SDL_SYSTEM_CURSOR_SIZENESW},
      {IDC_SIZEWE, SDL_SYSTEM_CURSOR_SIZEWE},     {IDC_SIZENS, SDL_SYSTEM_CURSOR_SIZENS},
      {IDC_SIZEALL, SDL_SYSTEM_CURSOR_SIZEALL},   {IDC_NO, SDL_SYSTEM_CURSOR_NO},
      {IDC_HAND, SDL_SYSTEM_CURSOR_HAND},         {IDC_APPSTARTING, SDL_SYSTEM_CURSOR_WAITARROW},
      {IDC_UPARROW, SDL_SYSTEM_CURSOR_ARROW},     {IDC_HELP, SDL_SYSTEM_CURSOR_ARROW},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(Id(c.cursor));
    EXPECT_EQ(host::sdl::SystemCursorFor(Id(c.cursor)), c.sdl);
  }
  EXPECT_FALSE(host::sdl::SystemCursorFor(0).has_value());
}

}  // namespace
