// The preview of the default train drawn through the framework's canvas on
// a 485 x 89 bitmap, with the preview's own call sequence: to compare with
// BM_PreviewRedraw of bench_gdi, which makes the same platform calls
// directly. And the cost of a pen change that finds its data in the cache.
#include <benchmark/benchmark.h>

#include "app/tavrion/canvas_preview.h"
#include "bench/bench_support.h"
#include "framework/graphics/bitmap.h"
#include "stimulus/preview.h"

namespace {

void BM_CanvasPreviewRedraw(benchmark::State& state) {
  std::unique_ptr<TBitmap, FreeDeleter> bitmap(Construct<TBitmap>());
  bitmap->SetWidth(485);
  bitmap->SetHeight(89);
  tavrion::CanvasPreview preview(bitmap->Canvas(), 485, 89);
  const stimulus::StimulusParams params = DefaultShape(5);
  for (auto _ : state) {
    stimulus::DrawPreview(preview, params);
    benchmark::DoNotOptimize(bitmap->Handle());
  }
}
BENCHMARK(BM_CanvasPreviewRedraw)->Unit(benchmark::kMicrosecond);

void BM_CachedPenChange(benchmark::State& state) {
  std::unique_ptr<TPen, FreeDeleter> keep(Construct<TPen>());
  keep->SetColor(clGreen);  // both data stay in the cache
  std::unique_ptr<TPen, FreeDeleter> pen(Construct<TPen>());
  for (auto _ : state) {
    pen->SetColor(clGreen);
    pen->SetColor(clBlack);
    benchmark::DoNotOptimize(pen->Handle());
  }
}
BENCHMARK(BM_CachedPenChange);

}  // namespace
