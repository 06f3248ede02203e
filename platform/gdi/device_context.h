// A device context: where drawing through an HDC lands, with its selected
// objects, colours, modes, origins and clipping.
//
// A window's context draws into its top-level window's surface at the
// context's offset, cut to the visible rectangles the window manager
// computed; a memory context draws into its selected bitmap.
//
// An HDC is a number from a counter, never reused, that names a live context
// in a table, so a stale or made-up HDC is refused instead of followed.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include <platform/types.h>

#include "objects.h"
#include "rect_list.h"
#include "surface.h"

namespace gdi {

// What SaveDC keeps and RestoreDC puts back.
struct DcState {
  HPEN pen_handle = nullptr;
  std::shared_ptr<Pen> pen;
  HBRUSH brush_handle = nullptr;
  std::shared_ptr<Brush> brush;
  HFONT font_handle = nullptr;  // kept for the text layer
  std::shared_ptr<Font> font;
  HBITMAP bitmap_handle = nullptr;  // memory contexts
  std::shared_ptr<Bitmap> bitmap;
  HPALETTE palette = nullptr;
  COLORREF text_color = 0x000000;
  COLORREF background_color = 0xFFFFFF;
  int background_mode = OPAQUE;
  int rop2 = R2_COPYPEN;
  int stretch_mode = BLACKONWHITE;
  POINT window_origin{0, 0};
  POINT viewport_origin{0, 0};
  POINT brush_origin{0, 0};
  POINT position{0, 0};
  std::optional<RectList> clip;  // device coordinates; none: no clip region
};

class DeviceContext {
 public:
  // What the context covers.
  enum class Area {
    kClient,  // GetDC, BeginPaint: (0, 0) is the client area's corner
    kWindow,  // GetWindowDC: (0, 0) is the window's corner, frame included
    kScreen,  // GetDC(NULL): the whole screen
    kMemory,  // CreateCompatibleDC: the selected bitmap
  };

  // `origin` is the screen position of the context's (0, 0); `visible` the
  // parts of the surface drawing may reach, in the context's coordinates.
  DeviceContext(HWND window, Area area, POINT origin, RectList visible);
  // A memory context with the default 1 x 1 monochrome bitmap.
  DeviceContext();
  ~DeviceContext();
  DeviceContext(const DeviceContext&) = delete;
  DeviceContext& operator=(const DeviceContext&) = delete;

  // The live context behind a handle, or null.
  static DeviceContext* FromHandle(HDC dc);
  // Hands a context out by its handle, which owns it from then on, until
  // Destroy (ReleaseDC, EndPaint, DeleteDC).
  static HDC Keep(std::unique_ptr<DeviceContext> context);
  // Destroys a context handed out with Keep; false for any other handle.
  static bool Destroy(HDC dc);
  HDC handle() const { return handle_; }

  HWND window() const { return window_; }
  Area area() const { return area_; }
  POINT origin() const { return origin_; }
  const RectList& visible() const { return visible_; }

  // Made by BeginPaint: EndPaint releases it, ReleaseDC does not.
  bool painting() const { return painting_; }
  void set_painting(bool painting) { painting_ = painting; }

  // The colours text is drawn with, 0x00BBGGRR.
  DWORD text_color() const { return state_.text_color; }
  void set_text_color(DWORD color) { state_.text_color = color; }
  DWORD background_color() const { return state_.background_color; }
  void set_background_color(DWORD color) { state_.background_color = color; }

  DcState& state() { return state_; }
  const DcState& state() const { return state_; }
  std::vector<DcState>& saved() { return saved_; }

  // Selection of the objects; the bitmap one is for memory contexts only and
  // fails (false) for a bitmap selected elsewhere.
  void SelectPen(HPEN handle, std::shared_ptr<Pen> pen);
  bool SelectBitmap(HBITMAP handle, std::shared_ptr<Bitmap> bitmap);
  void PutState(DcState state);

  // Logical to device coordinates.
  POINT ToDevice(POINT p) const {
    return {p.x - state_.window_origin.x + state_.viewport_origin.x,
            p.y - state_.window_origin.y + state_.viewport_origin.y};
  }
  POINT ToLogical(POINT p) const {
    return {p.x + state_.window_origin.x - state_.viewport_origin.x,
            p.y + state_.window_origin.y - state_.viewport_origin.y};
  }

  // Where drawing lands: the surface (null when there is none: a destroyed
  // window) and the surface position of the context's device (0, 0).
  struct Target {
    std::shared_ptr<Surface> surface;
    POINT offset{0, 0};
    RectList clip;  // device coordinates, inside the surface
  };
  Target Resolve() const;

  // The bounds drawing may reach without a clip region: the visible area of
  // a window context, the bitmap of a memory context; device coordinates.
  RectList Reachable() const;

  // Where the style of the current pen has got to, in pixels, so a pattern
  // continues from one line to the next.
  int style_position = 0;

 private:
  void List();

  HDC handle_ = nullptr;
  HWND window_;
  Area area_;
  POINT origin_;
  RectList visible_;
  bool painting_ = false;
  DcState state_;
  std::vector<DcState> saved_;
};

// The stock objects a fresh context starts with.
void SelectDefaults(DcState& state);

}  // namespace gdi
