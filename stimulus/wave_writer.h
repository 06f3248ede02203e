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
  // A write failed after the file was made: what is on disk is cut short.
  bool incomplete = false;
  // The message for the user when !ok, code page 1251.
  std::string message;
};

// The largest buffer the writer uses, whatever the length of the train.
inline constexpr std::size_t kWriteBufferBytes = 1 << 20;

// Writes the train to the file named by `file_name` (code page 1251), over
// what it held, and cuts it to the train's length. The frame counts are derived here from the set
// (the caller's are not trusted), and a set that would not be accepted is refused before the file
// is touched. `progress` gets 100 x frames produced div TotalSamples after
// every pulse and 0 at the end; it is not called when nothing is written.
// Amplitudes outside the 16-bit range are written clamped into it.
WriteOutcome WriteWaveFile(const StimulusParams& params, std::string_view file_name,
                           const std::function<void(int)>& progress);

}  // namespace stimulus
