// The preview's drawing calls for the worked example, and its geometry in
// the edge cases.
#include <gtest/gtest.h>

#include "stimulus/preview.h"
#include "tests/stimulus/fake_form.h"

namespace {

using Calls = std::vector<std::string>;

stimulus::StimulusParams Set(std::int32_t pulse, std::int32_t gap, std::int32_t count,
                             std::int32_t high, std::int32_t low) {
  stimulus::StimulusParams p{};
  p.PulseSamples = pulse, p.IntervalSamples = gap, p.Count = count;
  p.StimulusAmplitude = high, p.ZeroAmplitude = low;
  return p;
}

TEST(Preview, WorkedExampleOfTheDefaults) {
  // The wipe, the guide pen and three dotted guides, then the trace.
  Calls expected = {"FillRect 0 0 485 89", "Color 14870760", "Style Dot",     "MoveTo 0 1",
                    "LineTo 485 1",        "MoveTo 0 44",    "LineTo 485 44", "MoveTo 0 88",
                    "LineTo 485 88",       "Style Solid",    "MoveTo 0 44",   "Color 32768"};
  for (int x = 0; x < 485; x += 97) {
    for (const auto& [px, py] : {std::pair{x, 1}, {x + 29, 1}, {x + 29, 44}, {x + 97, 44}}) {
      expected.push_back("LineTo " + std::to_string(px) + " " + std::to_string(py));
    }
  }
  fake::RecordingCanvas canvas;
  stimulus::DrawPreview(canvas, Set(44, 103, 5, 32767, 0));
  EXPECT_EQ(canvas.calls, expected);
}

TEST(Preview, Geometry) {
  const struct {
    stimulus::StimulusParams p;
    stimulus::PreviewGeometry g;
  } cases[] = {
      {Set(1, 1, 600, 32767, 0), {0, 0, 0, 44, 1}},        // more pulses than pixels
      {Set(44, 103, 5, 100, 100), {29, 68, 97, 44, 44}},   // equal amplitudes
      {Set(44, 103, 5, -32767, 0), {29, 68, 97, 44, 87}},  // pulses downward
      {Set(44, 103, 5, 40000, -40000), {29, 68, 97, 97, -8}},
      // ((W x P) div (P + I)) div N, not (W div N) x P div (P + I), which gives 66
      {Set(5, 1, 6, 32767, 0), {67, 13, 80, 44, 1}},
  };
  for (const auto& c : cases) {
    const auto g = stimulus::ComputePreviewGeometry(485, 89, c.p);
    EXPECT_EQ(std::tie(g.pulse_width, g.gap_width, g.period, g.zero_row, g.stimulus_row),
              std::tie(c.g.pulse_width, c.g.gap_width, c.g.period, c.g.zero_row, c.g.stimulus_row))
        << c.p.PulseSamples << " " << c.p.IntervalSamples << " " << c.p.Count;
  }
}

TEST(Preview, RowsOfAmplitudesThatOverflowThirtyTwoBits) {
  EXPECT_EQ(stimulus::AmplitudeRow(89, INT32_MIN), 2850859 + 1);   // 87 x 2147516416 / 65536
  EXPECT_EQ(stimulus::AmplitudeRow(89, INT32_MAX), -2850772 + 1);  // truncated toward zero
  // A row beyond the int range stays at its edge.
  EXPECT_EQ(stimulus::AmplitudeRow(100000, INT32_MIN), INT32_MAX);
}

}  // namespace
