// Writes an accepted pulse train as a 16-bit stereo PCM RIFF/WAVE file.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

#include "stimulus/params.h"

namespace stimulus {

struct WriteOutcome {
  bool ok = false;
  // The message for the user when !ok, code page 1251.
  std::string message;
};

// The largest buffer the writer uses, whatever the length of the train.
inline constexpr std::size_t kWriteBufferBytes = 1 << 20;

// Writes the train to the file named by `file_name` (code page 1251), replacing
// it. `progress` gets 100 x frames produced div TotalSamples after every pulse
// and 0 at the end; it is not called when the file cannot be created.
// Amplitudes outside the 16-bit range are written clamped into it.
WriteOutcome WriteWaveFile(const StimulusParams& params, std::string_view file_name,
                           const std::function<void(int)>& progress);

}  // namespace stimulus
