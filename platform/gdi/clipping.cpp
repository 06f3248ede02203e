// Clipping: the clip region of a context is a list of rectangles in device
// coordinates, or none at all (drawing reaches everything visible).
#include <platform/gdi.h>

#include "device_context.h"
#include "raster.h"

using gdi::DeviceContext;

namespace {

int Kind(const gdi::RectList& area) {
  if (area.empty()) return NULLREGION;
  return area.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// The area drawing reaches now, device coordinates.
gdi::RectList Effective(const DeviceContext& context) {
  gdi::RectList area = context.Reachable();
  if (context.state().clip.has_value()) area = gdi::Intersection(area, *context.state().clip);
  return area;
}

}  // namespace

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return ERROR;
  auto& clip = context->state().clip;
  if (!clip.has_value()) clip = context->Reachable();
  gdi::Intersect(*clip, gdi::ToDevice(*context, RECT{left, top, right, bottom}));
  return Kind(Effective(*context));
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return ERROR;
  auto& clip = context->state().clip;
  if (!clip.has_value()) clip = context->Reachable();
  gdi::Subtract(*clip, gdi::ToDevice(*context, RECT{left, top, right, bottom}));
  return Kind(Effective(*context));
}

int SelectClipRgn(HDC dc, HRGN region) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return ERROR;
  if (region == nullptr) {
    context->state().clip.reset();
    return Kind(Effective(*context));
  }
  std::shared_ptr<gdi::Object> object = gdi::Lookup(region);
  if (object == nullptr || object->kind != gdi::Kind::kRegion) return ERROR;
  // The region is copied, in device coordinates as given.
  context->state().clip = std::static_pointer_cast<gdi::Region>(object)->rects;
  return Kind(Effective(*context));
}

int GetClipBox(HDC dc, LPRECT rect) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || rect == nullptr) return ERROR;
  const gdi::RectList area = Effective(*context);
  const RECT box = gdi::Bounds(area);
  const POINT a = context->ToLogical({box.left, box.top});
  const POINT b = context->ToLogical({box.right, box.bottom});
  *rect = {a.x, a.y, b.x, b.y};
  return Kind(area);
}

BOOL PtVisible(HDC dc, int x, int y) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr) return FALSE;
  return gdi::Contains(Effective(*context), context->ToDevice({x, y})) ? TRUE : FALSE;
}

BOOL RectVisible(HDC dc, const RECT* rect) {
  DeviceContext* context = DeviceContext::FromHandle(dc);
  if (context == nullptr || rect == nullptr) return FALSE;
  gdi::RectList area = Effective(*context);
  gdi::Intersect(area, gdi::ToDevice(*context, *rect));
  return area.empty() ? FALSE : TRUE;
}
