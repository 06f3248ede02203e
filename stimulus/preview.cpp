#include "stimulus/preview.h"

#include <algorithm>
#include <limits>

namespace stimulus {

int AmplitudeRow(int height, std::int32_t amplitude) {
  const std::int64_t row =
      (std::int64_t{height} - 2) * (32768 - std::int64_t{amplitude}) / 65536 + 1;
  return static_cast<int>(std::clamp<std::int64_t>(row, std::numeric_limits<int>::min(),
                                                   std::numeric_limits<int>::max()));
}

PreviewGeometry ComputePreviewGeometry(int width, int height, const StimulusParams& p) {
  const std::int64_t pulse_frames = p.PulseSamples;
  const std::int64_t period_frames = pulse_frames + p.IntervalSamples;
  PreviewGeometry g{};
  g.pulse_width = static_cast<int>(std::int64_t{width} * pulse_frames / period_frames / p.Count);
  g.gap_width = width / p.Count - g.pulse_width;
  g.period = g.pulse_width + g.gap_width;
  g.zero_row = AmplitudeRow(height, p.ZeroAmplitude);
  g.stimulus_row = AmplitudeRow(height, p.StimulusAmplitude);
  return g;
}

void DrawPreview(PreviewCanvas& canvas, const StimulusParams& p) {
  const int w = canvas.Width();
  const int h = canvas.Height();
  const PreviewGeometry g = ComputePreviewGeometry(w, h, p);

  canvas.FillRect(0, 0, w, h);
  canvas.SetPenColor(kGuideColor);
  canvas.SetPenStyle(PenStyle::Dot);
  for (const int y : {1, h / 2, h - 1}) {
    canvas.MoveTo(0, y);
    canvas.LineTo(w, y);
  }
  canvas.SetPenStyle(PenStyle::Solid);
  canvas.MoveTo(0, g.zero_row);
  canvas.SetPenColor(kTraceColor);
  for (std::int32_t k = 0; k < p.Count; ++k) {
    const int start = k * g.period;
    canvas.LineTo(start, g.stimulus_row);
    canvas.LineTo(start + g.pulse_width, g.stimulus_row);
    canvas.LineTo(start + g.pulse_width, g.zero_row);
    canvas.LineTo(start + g.period, g.zero_row);
  }
}

}  // namespace stimulus
