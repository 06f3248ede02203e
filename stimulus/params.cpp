#include "stimulus/params.h"

#include <algorithm>
#include <limits>

#include <platform/codepage.h>

#include "framework/rtl/intconv.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace stimulus {

StimulusParams ReadParams(const ParameterTexts& texts) {
  StimulusParams p;
  p.Frequency = StrToIntDef(texts.frequency, 0);
  p.SampleRate = StrToIntDef(texts.sample_rate, 0);
  p.Delay = StrToIntDef(texts.delay, kDelayUnreadable);
  p.Duration = StrToIntDef(texts.duration, 0);
  p.Count = StrToIntDef(texts.count, 0);
  p.StimulusAmplitude = StrToIntDef(texts.stimulus_amplitude, kAmplitudeUnreadable);
  p.ZeroAmplitude = StrToIntDef(texts.zero_amplitude, kAmplitudeUnreadable);
  return p;
}

std::optional<Field> GateFailure(const StimulusParams& p) {
  if (p.Frequency <= 0) return Field::Frequency;
  if (p.SampleRate <= 0) return Field::SampleRate;
  if (p.Delay < 0) return Field::Delay;
  if (p.Duration <= 0) return Field::Duration;
  if (p.Count <= 0) return Field::Count;
  if (p.StimulusAmplitude == kAmplitudeUnreadable) return Field::StimulusAmplitude;
  if (p.ZeroAmplitude == kAmplitudeUnreadable) return Field::ZeroAmplitude;
  return std::nullopt;
}

std::string_view PulseWiderThanIntervalMessage() {
  return "Oops! Ширина импульсов больше межимпульсного интервала!"_cp1251;
}

std::string_view PulseTooShortMessage() {
  return "Невозможно воспроизвести такой короткий импульс\nпри текушей Sample Rate"_cp1251;
}

std::optional<std::string> DeriveAndCheck(StimulusParams& p) {
  const std::int64_t pulse = std::int64_t{p.SampleRate} * p.Duration / 1000000;
  const std::int64_t interval = std::int64_t{p.SampleRate} / p.Frequency - pulse;
  if (interval <= 0) return std::string(PulseWiderThanIntervalMessage());
  if (pulse <= 0) return std::string(PulseTooShortMessage());
  // The header's byte rate would wrap past 32 bits.
  if (p.SampleRate > kMaxSampleRate) return LoadResString(SSampleRateTooHigh);

  // Both counts now lie in 1 .. SampleRate div Frequency. The whole train must
  // fit the file's 32-bit size fields (TotalSamples x 4 + 36 at most 2^32 - 1),
  // which also keeps TotalSamples within 32 signed bits.
  const std::int64_t total = (pulse + interval) * p.Count;
  constexpr std::int64_t kMaxTotal =
      (std::int64_t{std::numeric_limits<std::uint32_t>::max()} - 36) / 4;
  static_assert(kMaxTotal <= std::numeric_limits<std::int32_t>::max());
  if (total > kMaxTotal) return LoadResString(STrainTooLong);
  p.PulseSamples = static_cast<std::int32_t>(pulse);
  p.IntervalSamples = static_cast<std::int32_t>(interval);
  p.TotalSamples = static_cast<std::int32_t>(total);
  return std::nullopt;
}

std::int16_t ClampSample(std::int32_t value) {
  return static_cast<std::int16_t>(std::clamp<std::int32_t>(value, -32768, 32767));
}

}  // namespace stimulus
