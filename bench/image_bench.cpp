// The preview through the framework: the default train's picture drawn on a
// 485 x 89 TImage's canvas (fill, three dotted guides, the trace of five
// pulses), then painted into its parent's window. Compare with
// BM_PreviewRedraw of bench_gdi, the same drawing on the platform alone.
#include <benchmark/benchmark.h>

#include "framework/controls/image.h"
#include "platform/api.h"
#include "tests/support/control_sheet.h"

namespace {

void DrawPreview(TCanvas* canvas) {
  constexpr int W = 485, H = 89;
  canvas->Brush()->SetColor(clWhite);
  canvas->FillRect({0, 0, W, H});
  canvas->Pen()->SetColor(0x00E2E8E8);
  canvas->Pen()->SetStyle(psDot);
  for (int y : {1, H / 2, H - 1}) {
    canvas->MoveTo(0, y);
    canvas->LineTo(W, y);
  }
  canvas->Pen()->SetColor(clGreen);
  canvas->Pen()->SetStyle(psSolid);
  canvas->MoveTo(0, 44);
  for (int k = 0; k < 5; ++k) {
    canvas->LineTo(k * 97, 1);
    canvas->LineTo(k * 97 + 29, 1);
    canvas->LineTo(k * 97 + 29, 44);
    canvas->LineTo((k + 1) * 97, 44);
  }
}

void Run(benchmark::State& state, bool paint) {
  TSheet* sheet = MakeShownSheet(489, 93);
  auto* image = Construct<TImage>(sheet);
  image->SetBounds(2, 2, 485, 89);
  image->SetParent(sheet);
  TCanvas* canvas = image->Canvas();
  for (auto _ : state) {
    DrawPreview(canvas);
    if (paint) UpdateWindow(sheet->Handle());
  }
  FreeShownSheet(sheet);
}

void BM_ImagePreviewDraw(benchmark::State& state) {
  Run(state, false);
}
BENCHMARK(BM_ImagePreviewDraw);

void BM_ImagePreviewDrawAndPaint(benchmark::State& state) {
  Run(state, true);
}
BENCHMARK(BM_ImagePreviewDrawAndPaint);

}  // namespace
