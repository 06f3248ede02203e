// The stimulus parameter set and the user-interface-free steps of the
// recalculation: reading the texts, the silent gate, the derivation of the
// frame counts and the checks that refuse a set with a message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace stimulus {

// The parameter fields of the main form, in the order they are read, and the
// working file's name.
enum class Field {
  Frequency,
  SampleRate,
  Delay,
  Duration,
  Count,
  StimulusAmplitude,
  ZeroAmplitude,
  FileName
};

// The seven parameter texts, as the fields hold them.
struct ParameterTexts {
  std::string frequency;           // Edit1
  std::string sample_rate;         // Edit5
  std::string delay;               // Edit10
  std::string duration;            // Edit2
  std::string count;               // Edit3
  std::string stimulus_amplitude;  // Edit9
  std::string zero_amplitude;      // Edit12
};

// Fallbacks for texts that do not read; an amplitude that reads as exactly
// kAmplitudeUnreadable counts as unreadable too.
inline constexpr std::int32_t kDelayUnreadable = -1;
inline constexpr std::int32_t kAmplitudeUnreadable = 999999;

struct StimulusParams {
  std::int32_t Frequency = 0;
  std::int32_t SampleRate = 0;
  std::int32_t Delay = 0;
  std::int32_t Duration = 0;
  std::int32_t Count = 0;
  std::int32_t StimulusAmplitude = 0;
  std::int32_t ZeroAmplitude = 0;
  std::int32_t PulseSamples = 0;
  std::int32_t IntervalSamples = 0;
  std::int32_t TotalSamples = 0;
};

// The values kept by the main form between handlers; playback reads them.
struct SharedParams {
  std::int32_t Frequency = 0;
  std::int32_t Duration = 0;
  std::int32_t Count = 0;
};

// Reads every text with its fallback, in the order of the struct.
StimulusParams ReadParams(const ParameterTexts& texts);

// The silent gate: the first field whose value stops the set, in reading
// order, or nothing when the set may go on to the checks.
std::optional<Field> GateFailure(const StimulusParams& params);
inline bool PassesGate(const StimulusParams& params) {
  return !GateFailure(params);
}

// Derives the three frame counts and checks them. Returns the refusal message
// (code page 1251) of the first check that fails, or nothing when the set is
// accepted; params then holds the frame counts.
std::optional<std::string_view> DeriveAndCheck(StimulusParams& params);

// The refusal texts, code page 1251.
std::string_view PulseWiderThanIntervalMessage();
std::string_view PulseTooShortMessage();
std::string_view TrainTooLongMessage();

// The sample a value is written as: clamped into the 16-bit range.
std::int16_t ClampSample(std::int32_t value);

}  // namespace stimulus
