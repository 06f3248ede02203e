// Drawing: a full redraw of the preview of the default train on a 485 x 89
// bitmap, as the preview draws it: fill, three dotted guides, then the trace
// of five pulses; and drawing a label of 20 characters in the form's font.
#include <cstring>

#include <benchmark/benchmark.h>
#include <platform/api.h>

#include "platform/gdi/surface.h"

namespace {

void BM_PreviewRedraw(benchmark::State& state) {
  constexpr int W = 485, H = 89;
  const BITMAPINFO info = gdi::TopDown32(W, H);
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  HPEN dotted = CreatePen(PS_DOT, 1, 0x00E2E8E8);
  HPEN green = CreatePen(PS_SOLID, 1, 0x00008000);
  HBRUSH white = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
  const RECT all{0, 0, W, H};
  HGDIOBJ old_pen = SelectObject(dc, dotted);
  for (auto _ : state) {
    FillRect(dc, &all, white);
    SelectObject(dc, dotted);
    for (int y : {1, H / 2, H - 1}) {
      MoveToEx(dc, 0, y, nullptr);
      LineTo(dc, W, y);
    }
    SelectObject(dc, green);
    MoveToEx(dc, 0, 44, nullptr);
    for (int k = 0; k < 5; ++k) {
      LineTo(dc, k * 97, 1);
      LineTo(dc, k * 97 + 29, 1);
      LineTo(dc, k * 97 + 29, 44);
      LineTo(dc, (k + 1) * 97, 44);
    }
    benchmark::DoNotOptimize(bits);
  }
  SelectObject(dc, old_pen);
  SelectObject(dc, old_bitmap);
  DeleteObject(dotted);
  DeleteObject(green);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
BENCHMARK(BM_PreviewRedraw);

void BM_Label20(benchmark::State& state) {
  const BITMAPINFO info = gdi::TopDown32(200, 20);
  void* bits = nullptr;
  HDC dc = CreateCompatibleDC(nullptr);
  HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old_bitmap = SelectObject(dc, bitmap);
  LOGFONTA log{};
  log.lfHeight = -11;
  log.lfWeight = 400;
  std::strcpy(log.lfFaceName, "MS Sans Serif");
  HFONT font = CreateFontIndirectA(&log);
  HGDIOBJ old_font = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  const char* label = "Sample Rate (Hz) 441";  // 20 characters
  for (auto _ : state) {
    RECT r{0, 0, 200, 20};
    DrawTextA(dc, label, 20, &r, DT_SINGLELINE | DT_NOPREFIX);
    benchmark::DoNotOptimize(bits);
  }
  SelectObject(dc, old_font);
  SelectObject(dc, old_bitmap);
  DeleteObject(font);
  DeleteObject(bitmap);
  DeleteDC(dc);
}
BENCHMARK(BM_Label20);

}  // namespace
