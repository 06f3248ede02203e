// Areas as lists of rectangles that do not overlap: enough for update regions
// and clipping while windows are rectangles. An empty list is an empty area.
#pragma once

#include <vector>

#include <platform/types.h>

namespace gdi {

using RectList = std::vector<RECT>;

bool IsEmpty(const RECT& rect);

// `a` ∩ `b`; empty (possibly inverted) when they do not meet.
RECT Clip(const RECT& a, const RECT& b);

// `area` ∪ `rect`: only the parts of `rect` not yet covered are added, so the
// list stays free of overlaps.
void Add(RectList& area, const RECT& rect);

// `area` without `rect`; each rectangle it cuts leaves up to four pieces.
void Subtract(RectList& area, const RECT& rect);

// `area` ∩ `rect`.
void Intersect(RectList& area, const RECT& rect);

// `area` ∩ `other`.
RectList Intersection(const RectList& area, const RectList& other);

// The smallest rectangle holding the whole area; empty for an empty area.
RECT Bounds(const RectList& area);

void Offset(RectList& area, LONG dx, LONG dy);

// Whether `point` lies in the rectangle or the area (right and bottom edges
// excluded).
bool Contains(const RECT& rect, POINT point);
bool Contains(const RectList& area, POINT point);
// Whether one rectangle of the list holds all of `r`.
bool WithinOnePiece(const RectList& area, const RECT& r);

}  // namespace gdi
