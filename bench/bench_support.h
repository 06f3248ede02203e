// What the benchmarks share: where their files go and the form's train.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <string>

#include "stimulus/params.h"

// A file in $TAVRION_BENCH_DIR, or in /tmp when it is not set.
inline std::string BenchFile(const char* name) {
  const char* dir = std::getenv("TAVRION_BENCH_DIR");
  return std::string(dir != nullptr ? dir : "/tmp") + "/" + name;
}

// The form's default train (44 + 103 frames a pulse at 44100 Hz), `count` pulses.
inline stimulus::StimulusParams DefaultShape(std::int32_t count) {
  stimulus::StimulusParams p{};
  p.Frequency = 300, p.Duration = 1000, p.Count = count, p.SampleRate = 44100;
  p.StimulusAmplitude = 32767, p.ZeroAmplitude = 0;
  p.PulseSamples = 44, p.IntervalSamples = 103, p.TotalSamples = 147 * count;
  return p;
}
