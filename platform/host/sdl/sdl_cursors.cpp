#include "sdl_cursors.h"

namespace host::sdl {

namespace {

// The numbers behind IDC_ARROW ..., which are resource names there.
constexpr WORD kArrow = 32512;
constexpr WORD kIBeam = 32513;
constexpr WORD kWait = 32514;
constexpr WORD kCross = 32515;
constexpr WORD kSizeNwse = 32642;
constexpr WORD kSizeNesw = 32643;
constexpr WORD kSizeWe = 32644;
constexpr WORD kSizeNs = 32645;
constexpr WORD kSizeAll = 32646;
constexpr WORD kNo = 32648;
constexpr WORD kHand = 32649;
constexpr WORD kAppStarting = 32650;

}  // namespace

std::optional<SDL_SystemCursor> SystemCursorFor(WORD system_cursor) {
  switch (system_cursor) {
    case 0:
      return std::nullopt;
    case kArrow:
      return SDL_SYSTEM_CURSOR_ARROW;
    case kIBeam:
      return SDL_SYSTEM_CURSOR_IBEAM;
    case kWait:
      return SDL_SYSTEM_CURSOR_WAIT;
    case kCross:
      return SDL_SYSTEM_CURSOR_CROSSHAIR;
    case kSizeNwse:
      return SDL_SYSTEM_CURSOR_SIZENWSE;
    case kSizeNesw:
      return SDL_SYSTEM_CURSOR_SIZENESW;
    case kSizeWe:
      return SDL_SYSTEM_CURSOR_SIZEWE;
    case kSizeNs:
      return SDL_SYSTEM_CURSOR_SIZENS;
    case kSizeAll:
      return SDL_SYSTEM_CURSOR_SIZEALL;
    case kNo:
      return SDL_SYSTEM_CURSOR_NO;
    case kHand:
      return SDL_SYSTEM_CURSOR_HAND;
    case kAppStarting:
      return SDL_SYSTEM_CURSOR_WAITARROW;
    // IDC_UPARROW, IDC_HELP and the rest: SDL has nothing closer.
    default:
      return SDL_SYSTEM_CURSOR_ARROW;
  }
}

}  // namespace host::sdl
