// The attributes of a device context that the window manager's default
// handling sets, and filling. Pixels arrive with the drawing layer; until
// then a fill is checked and accepted.
#include <platform/gdi.h>

#include "device_context.h"

COLORREF SetTextColor(HDC dc, COLORREF color) {
  gdi::DeviceContext* context = gdi::DeviceContext::FromHandle(dc);
  if (context == nullptr) return 0xFFFFFFFF;  // CLR_INVALID
  const COLORREF old = context->text_color();
  context->set_text_color(color);
  return old;
}

COLORREF SetBkColor(HDC dc, COLORREF color) {
  gdi::DeviceContext* context = gdi::DeviceContext::FromHandle(dc);
  if (context == nullptr) return 0xFFFFFFFF;
  const COLORREF old = context->background_color();
  context->set_background_color(color);
  return old;
}

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  return gdi::DeviceContext::FromHandle(dc) != nullptr && rect != nullptr && brush != nullptr ? 1
                                                                                              : 0;
}
