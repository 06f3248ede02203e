// The schematic preview of an accepted pulse train.
#pragma once

#include <cstdint>

#include "stimulus/params.h"
#include "stimulus/stimulus_form.h"

namespace stimulus {

inline constexpr std::int32_t kGuideColor = 0x00E2E8E8;
inline constexpr std::int32_t kTraceColor = 0x00008000;  // clGreen

// The integer geometry of the picture, from the image's size and the set.
struct PreviewGeometry {
  int pulse_width;
  int gap_width;
  int period;
  int zero_row;
  int stimulus_row;
};

PreviewGeometry ComputePreviewGeometry(int width, int height, const StimulusParams& params);

// The row of an amplitude in a picture `height` pixels high: 32767 at row 1,
// -32767 at row height - 2. Amplitudes beyond the 16-bit range give rows
// outside the picture; worked out in 64 bits and kept within int.
int AmplitudeRow(int height, std::int32_t amplitude);

// Wipes the picture and draws the guides and the trace.
void DrawPreview(PreviewCanvas& canvas, const StimulusParams& params);

}  // namespace stimulus
