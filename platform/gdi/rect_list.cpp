#include "rect_list.h"

#include <algorithm>

namespace gdi {

RECT Clip(const RECT& a, const RECT& b) {
  return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
          std::min(a.bottom, b.bottom)};
}

namespace {

// The pieces of `from` outside `cut`, appended to `out`: a band above, a band
// below, and the parts left and right of `cut` between them.
void AppendDifference(const RECT& from, const RECT& cut, RectList& out) {
  const RECT common = Clip(from, cut);
  if (IsEmpty(common)) {
    out.push_back(from);
    return;
  }
  const RECT pieces[] = {
      {from.left, from.top, from.right, common.top},
      {from.left, common.bottom, from.right, from.bottom},
      {from.left, common.top, common.left, common.bottom},
      {common.right, common.top, from.right, common.bottom},
  };
  for (const RECT& piece : pieces) {
    if (!IsEmpty(piece)) out.push_back(piece);
  }
}

}  // namespace

bool IsEmpty(const RECT& rect) {
  return rect.right <= rect.left || rect.bottom <= rect.top;
}

void Add(RectList& area, const RECT& rect) {
  if (IsEmpty(rect)) return;
  // Rectangles the new one covers go, so repeated invalidation of growing
  // areas does not split the list into ever more pieces.
  area.erase(std::remove_if(area.begin(), area.end(),
                            [&](const RECT& have) {
                              return have.left >= rect.left && have.top >= rect.top &&
                                     have.right <= rect.right && have.bottom <= rect.bottom;
                            }),
             area.end());
  RectList fresh{rect};
  for (const RECT& have : area) Subtract(fresh, have);
  area.insert(area.end(), fresh.begin(), fresh.end());
}

void Subtract(RectList& area, const RECT& rect) {
  if (IsEmpty(rect) || area.empty()) return;
  RectList out;
  out.reserve(area.size() + 3);
  for (const RECT& have : area) AppendDifference(have, rect, out);
  area = std::move(out);
}

void Intersect(RectList& area, const RECT& rect) {
  RectList out;
  for (const RECT& have : area) {
    const RECT common = Clip(have, rect);
    if (!IsEmpty(common)) out.push_back(common);
  }
  area = std::move(out);
}

RectList Intersection(const RectList& area, const RectList& other) {
  // Both lists are free of overlaps, so the pairwise parts are too.
  RectList out;
  for (const RECT& a : area) {
    for (const RECT& b : other) {
      const RECT common = Clip(a, b);
      if (!IsEmpty(common)) out.push_back(common);
    }
  }
  return out;
}

RECT Bounds(const RectList& area) {
  if (area.empty()) return {0, 0, 0, 0};
  RECT box = area.front();
  for (const RECT& r : area) {
    box.left = std::min(box.left, r.left);
    box.top = std::min(box.top, r.top);
    box.right = std::max(box.right, r.right);
    box.bottom = std::max(box.bottom, r.bottom);
  }
  return box;
}

void Offset(RectList& area, LONG dx, LONG dy) {
  for (RECT& r : area) {
    r.left += dx;
    r.right += dx;
    r.top += dy;
    r.bottom += dy;
  }
}

bool Contains(const RECT& r, POINT point) {
  return point.x >= r.left && point.x < r.right && point.y >= r.top && point.y < r.bottom;
}

bool Contains(const RectList& area, POINT point) {
  return std::any_of(area.begin(), area.end(), [&](const RECT& r) { return Contains(r, point); });
}

bool WithinOnePiece(const RectList& area, const RECT& r) {
  return std::any_of(area.begin(), area.end(), [&](const RECT& piece) {
    return r.left >= piece.left && r.top >= piece.top && r.right <= piece.right &&
           r.bottom <= piece.bottom;
  });
}

}  // namespace gdi
