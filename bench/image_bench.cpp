// The preview through the framework: the default train's picture drawn with
// the preview's own calls on a 485 x 89 TImage's canvas, alone and then
// painted into its parent's window. Compare with BM_PreviewRedraw of
// bench_gdi, the same drawing on the platform alone.
#include <benchmark/benchmark.h>

#include "app/tavrion/canvas_preview.h"
#include "bench/bench_support.h"
#include "stimulus/preview.h"

#include "framework/controls/image.h"
#include "platform/api.h"
#include "tests/support/control_sheet.h"

namespace {

void Run(benchmark::State& state, bool paint) {
  TSheet* sheet = MakeShownSheet(489, 93);
  auto* image = Construct<TImage>(sheet);
  image->SetBounds(2, 2, 485, 89);
  image->SetParent(sheet);
  tavrion::CanvasPreview preview(image->Canvas(), 485, 89);
  const stimulus::StimulusParams params = DefaultShape(5);
  for (auto _ : state) {
    stimulus::DrawPreview(preview, params);
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
