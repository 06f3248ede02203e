// A device context: where drawing through an HDC lands. For now it knows the
// surface and the clipping; the drawing layer adds the selected objects, the
// colours, the origins and the clipping calls.
//
// An HDC is the address of its DeviceContext. Every live context is listed,
// so a stale or made-up HDC is refused instead of followed.
#pragma once

#include <platform/types.h>

#include "rect_list.h"

namespace gdi {

class DeviceContext {
 public:
  // What part of a window the context covers.
  enum class Area {
    kClient,  // GetDC, BeginPaint: (0, 0) is the client area's corner
    kWindow,  // GetWindowDC: (0, 0) is the window's corner, frame included
    kScreen,  // GetDC(NULL): the whole screen
  };

  // `origin` is the screen position of the context's (0, 0); `visible` the
  // parts of the surface drawing may reach, in the context's coordinates.
  DeviceContext(HWND window, Area area, POINT origin, RectList visible);
  ~DeviceContext();
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  // The live context behind a handle, or null.
  static DeviceContext* FromHandle(HDC dc);
  HDC handle() { return reinterpret_cast<HDC>(this); }

  HWND window() const { return window_; }
  Area area() const { return area_; }
  POINT origin() const { return origin_; }
  const RectList& visible() const { return visible_; }

  // Made by BeginPaint: EndPaint releases it, ReleaseDC does not.
  bool painting() const { return painting_; }
  void set_painting(bool painting) { painting_ = painting; }

  // The colours text is drawn with, 0x00BBGGRR.
  DWORD text_color() const { return text_color_; }
  void set_text_color(DWORD color) { text_color_ = color; }
  DWORD background_color() const { return background_color_; }
  void set_background_color(DWORD color) { background_color_ = color; }

 private:
  HWND window_;
  Area area_;
  POINT origin_;
  RectList visible_;
  bool painting_ = false;
  DWORD text_color_ = 0x000000;
  DWORD background_color_ = 0xFFFFFF;
};

}  // namespace gdi
