// The size of a text in a font, measured on a screen-compatible context.
#pragma once

#include <string_view>

#include <platform/gdi.h>
#include <platform/text.h>

inline SIZE TextExtent(HFONT font, std::string_view text) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  SIZE size{};
  GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
  SelectObject(dc, old);
  DeleteDC(dc);
  return size;
}
