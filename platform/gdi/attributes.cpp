// The attributes of a device context: colours, modes, origins, the saved
// states, the device's capabilities; and making memory contexts.
#include <utility>

#include <platform/gdi.h>
#include <platform/windows.h>

#include "device_context.h"

using gdi::DeviceContext;

namespace {

// Runs `change` on the context's state; `fail` when the handle is stale.
template <typename Result, typename Change>
Result WithState(HDC dc, Result fail, Change change) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return fail;
  return change(context->state());
}

BOOL MovePoint(HDC dc, POINT gdi::DcState::*member, int x, int y, bool relative, LPPOINT previous) {
  return WithState(dc, FALSE, [&](gdi::DcState& state) {
    POINT& point = state.*member;
    if (previous != nullptr) *previous = point;
    point = relative ? POINT{point.x + x, point.y + y} : POINT{x, y};
    return TRUE;
  });
}

BOOL ReadPoint(HDC dc, POINT gdi::DcState::*member, LPPOINT out) {
  return WithState(dc, FALSE, [&](gdi::DcState& state) {
    if (out == nullptr) return FALSE;
    *out = state.*member;
    return TRUE;
  });
}

}  // namespace

COLORREF SetTextColor(HDC dc, COLORREF color) {
  return WithState(dc, CLR_INVALID, [&](gdi::DcState& state) {
    return std::exchange(state.text_color, color & 0xFFFFFF);
  });
}

COLORREF GetTextColor(HDC dc) {
  return WithState(dc, CLR_INVALID, [](gdi::DcState& state) { return state.text_color; });
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  return WithState(dc, CLR_INVALID, [&](gdi::DcState& state) {
    return std::exchange(state.background_color, color & 0xFFFFFF);
  });
}

COLORREF GetBkColor(HDC dc) {
  return WithState(dc, CLR_INVALID, [](gdi::DcState& state) { return state.background_color; });
}

int SetBkMode(HDC dc, int mode) {
  if (mode != TRANSPARENT && mode != OPAQUE) return 0;
  return WithState(dc, 0,
                   [&](gdi::DcState& state) { return std::exchange(state.background_mode, mode); });
}

int GetBkMode(HDC dc) {
  return WithState(dc, 0, [](gdi::DcState& state) { return state.background_mode; });
}

int SetROP2(HDC dc, int mode) {
  if (mode < R2_BLACK || mode > R2_WHITE) return 0;
  return WithState(dc, 0, [&](gdi::DcState& state) { return std::exchange(state.rop2, mode); });
}

int GetROP2(HDC dc) {
  return WithState(dc, 0, [](gdi::DcState& state) { return state.rop2; });
}

int SetStretchBltMode(HDC dc, int mode) {
  if (mode < BLACKONWHITE || mode > HALFTONE) return 0;
  return WithState(dc, 0,
                   [&](gdi::DcState& state) { return std::exchange(state.stretch_mode, mode); });
}

int GetStretchBltMode(HDC dc) {
  return WithState(dc, 0, [](gdi::DcState& state) { return state.stretch_mode; });
}

BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return MovePoint(dc, &gdi::DcState::brush_origin, x, y, false, previous);
}
BOOL GetBrushOrgEx(HDC dc, LPPOINT origin) {
  return ReadPoint(dc, &gdi::DcState::brush_origin, origin);
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return MovePoint(dc, &gdi::DcState::window_origin, x, y, false, previous);
}
BOOL GetWindowOrgEx(HDC dc, LPPOINT origin) {
  return ReadPoint(dc, &gdi::DcState::window_origin, origin);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, LPPOINT previous) {
  return MovePoint(dc, &gdi::DcState::window_origin, dx, dy, true, previous);
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return MovePoint(dc, &gdi::DcState::viewport_origin, x, y, false, previous);
}
BOOL GetViewportOrgEx(HDC dc, LPPOINT origin) {
  return ReadPoint(dc, &gdi::DcState::viewport_origin, origin);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous) {
  return MovePoint(dc, &gdi::DcState::viewport_origin, dx, dy, true, previous);
}

BOOL LPtoDP(HDC dc, LPPOINT points, int count) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || (points == nullptr && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = context->ToDevice(points[i]);
  return TRUE;
}

BOOL DPtoLP(HDC dc, LPPOINT points, int count) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || (points == nullptr && count > 0)) return FALSE;
  for (int i = 0; i < count; ++i) points[i] = context->ToLogical(points[i]);
  return TRUE;
}

int SaveDC(HDC dc) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return 0;
  context->saved().push_back(context->state());
  return static_cast<int>(context->saved().size());
}

BOOL RestoreDC(HDC dc, int saved) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return FALSE;
  auto& stack = context->saved();
  const int depth = static_cast<int>(stack.size());
  // A negative number counts back from the latest save.
  const int level = saved < 0 ? depth + 1 + saved : saved;
  if (level < 1 || level > depth) return FALSE;
  gdi::DcState state = std::move(stack[level - 1]);
  stack.resize(level - 1);
  context->PutState(std::move(state));
  return TRUE;
}

int GetDeviceCaps(HDC dc, int index) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return 0;
  const bool memory = context->area() == DeviceContext::Area::kMemory;
  const bool monochrome =
      memory && context->state().bitmap != nullptr && context->state().bitmap->bits_per_pixel == 1;
  switch (index) {
    case HORZRES:
      return GetSystemMetrics(SM_CXSCREEN);
    case VERTRES:
      return GetSystemMetrics(SM_CYSCREEN);
    case HORZSIZE:  // millimetres at 96 pixels per inch
      return GetSystemMetrics(SM_CXSCREEN) * 254 / 960;
    case VERTSIZE:
      return GetSystemMetrics(SM_CYSCREEN) * 254 / 960;
    case BITSPIXEL:
      return monochrome ? 1 : 32;
    case PLANES:
      return 1;
    case NUMCOLORS:
      return monochrome ? 2 : -1;
    case RASTERCAPS:
      return RC_BITBLT | RC_STRETCHBLT;
    case LOGPIXELSX:
    case LOGPIXELSY:
      return 96;
    case SIZEPALETTE:
      return 0;
    default:
      return 0;
  }
}

HDC CreateCompatibleDC(HDC) {
  return DeviceContext::Keep(std::make_unique<DeviceContext>());
}

BOOL DeleteDC(HDC dc) {
  const DeviceContext* context = DeviceContext::FromHandle(dc);
  // A window's context belongs to ReleaseDC or EndPaint.
  if (context == nullptr || context->area() != DeviceContext::Area::kMemory) return FALSE;
  return DeviceContext::Destroy(dc) ? TRUE : FALSE;
}
