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

// The set every start shows and the Default command restores, and
// tavrion-wav's; the main form's definition holds the same texts.
inline constexpr StimulusParams kDefaultParams{
    .Frequency = 300,
    .SampleRate = 44100,
    .Delay = 0,
    .Duration = 1000,
    .Count = 5,
    .StimulusAmplitude = 32767,
    .ZeroAmplitude = 0,
};
inline constexpr std::string_view kDefaultFileName = "tavrion.wav";

// The values kept by the main form between handlers. Every recalculation
// stores the six it read before anything else, and after its track-bar step
// goes on with them as a nested run left them; playback reads Frequency,
// Duration and Count, and refuses while the last write of the working file
// failed part-way.
struct SharedParams {
  std::int32_t Frequency = 0;
  std::int32_t Duration = 0;
  std::int32_t Count = 0;
  std::int32_t SampleRate = 0;
  std::int32_t StimulusAmplitude = 0;
  std::int32_t ZeroAmplitude = 0;
  bool WriteFailed = false;
};

// The highest sample rate whose byte rate (4 bytes a frame) fits the file's
// 32-bit header field.
inline constexpr std::int32_t kMaxSampleRate = 1073741823;

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
// accepted; params then holds the frame counts. Only for a set that passed
// the gate.
std::optional<std::string> DeriveAndCheck(StimulusParams& params);

// The two refusal texts of the window's own checks, code page 1251; the
// refusals added to them (a rate too high for the header, a train too long
// for the file) come from the string table.
std::string_view PulseWiderThanIntervalMessage();
std::string_view PulseTooShortMessage();

// The sample a value is written as: clamped into the 16-bit range.
std::int16_t ClampSample(std::int32_t value);

}  // namespace stimulus
