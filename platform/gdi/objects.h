// The drawing objects behind HGDIOBJ handles: pens, brushes, fonts, bitmaps,
// regions and the palette.
//
// A handle is a number from a counter, never reused, looked up in a table, so
// a deleted or made-up handle is refused. Objects are shared: a context keeps
// what it has selected alive even if its handle is deleted meanwhile.
#pragma once

#include <memory>

#include <platform/gdi.h>

#include "rect_list.h"
#include "surface.h"

namespace gdi {

enum class Kind { kPen, kBrush, kFont, kBitmap, kRegion, kPalette };

struct Object {
  explicit Object(Kind k) : kind(k) {}
  virtual ~Object() = default;
  Kind kind;
  bool stock = false;
};

struct Pen : Object {
  Pen() : Object(Kind::kPen) {}
  LOGPEN log{};
  int style() const { return static_cast<int>(log.lopnStyle) & PS_STYLE_MASK; }
  int width() const { return log.lopnWidth.x < 1 ? 1 : log.lopnWidth.x; }
};

struct Brush : Object {
  Brush() : Object(Kind::kBrush) {}
  LOGBRUSH log{};
  // BS_PATTERN: a copy of the bitmap, so the bitmap may be deleted.
  std::shared_ptr<Surface> pattern;
};

struct Font : Object {
  Font() : Object(Kind::kFont) {}
  LOGFONTA log{};
};

struct Bitmap : Object {
  Bitmap() : Object(Kind::kBitmap) {}
  std::shared_ptr<Surface> surface;
  WORD bits_per_pixel = 32;  // 1 for monochrome bitmaps
  bool dib = false;          // made by CreateDIBSection
  BITMAPINFOHEADER header{};
  int selected = 0;  // contexts it is selected into (at most one)
};

struct Region : Object {
  Region() : Object(Kind::kRegion) {}
  RectList rects;
};

struct Palette : Object {
  Palette() : Object(Kind::kPalette) {}
};

// The object behind a handle, or null. Brushes also come from the system
// colour handles GetSysColorBrush gives and from COLOR_ index + 1, as
// FillRect takes them.
std::shared_ptr<Object> Lookup(HGDIOBJ handle);
std::shared_ptr<Brush> LookupBrush(HBRUSH handle);
HGDIOBJ Register(std::shared_ptr<Object> object);

// A memory context's first bitmap: 1 x 1 monochrome, as the API gives.
HBITMAP DefaultBitmap();

}  // namespace gdi
