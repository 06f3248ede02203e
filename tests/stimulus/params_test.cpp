// Reading, gate, derivation and checks of a parameter set, without a form.
#include <gtest/gtest.h>

#include "stimulus/params.h"

namespace {

using stimulus::Field;

stimulus::ParameterTexts Defaults() {
  return {"300", "44100", "0", "1000", "5", "32767", "0"};
}

TEST(Params, WorkedExampleOfTheDefaults) {
  stimulus::StimulusParams p = stimulus::ReadParams(Defaults());
  ASSERT_TRUE(stimulus::PassesGate(p));
  EXPECT_EQ(stimulus::DeriveAndCheck(p), std::nullopt);
  EXPECT_EQ(p.PulseSamples, 44);
  EXPECT_EQ(p.IntervalSamples, 103);
  EXPECT_EQ(p.TotalSamples, 735);
}

TEST(Params, UnreadableTextsTakeTheirFallbacks) {
  const stimulus::StimulusParams p =
      stimulus::ReadParams({"abc", "", "x", "1 ", "-", "99999999999", "$"});
  EXPECT_EQ(p.Frequency, 0);
  EXPECT_EQ(p.SampleRate, 0);
  EXPECT_EQ(p.Delay, -1);
  EXPECT_EQ(p.Duration, 0);
  EXPECT_EQ(p.Count, 0);
  EXPECT_EQ(p.StimulusAmplitude, 999999);
  EXPECT_EQ(p.ZeroAmplitude, 999999);
}

TEST(Params, GateNamesTheFirstFieldThatStopsTheSet) {
  const struct {
    std::string stimulus::ParameterTexts::*text;
    const char* value;
    std::optional<Field> failure;
  } cases[] = {
      {&stimulus::ParameterTexts::frequency, "0", Field::Frequency},
      {&stimulus::ParameterTexts::frequency, "-5", Field::Frequency},
      {&stimulus::ParameterTexts::sample_rate, "0", Field::SampleRate},
      {&stimulus::ParameterTexts::delay, "", Field::Delay},
      {&stimulus::ParameterTexts::delay, "-1", Field::Delay},
      {&stimulus::ParameterTexts::duration, "-1", Field::Duration},
      {&stimulus::ParameterTexts::count, "0", Field::Count},
      {&stimulus::ParameterTexts::stimulus_amplitude, "999999", Field::StimulusAmplitude},
      {&stimulus::ParameterTexts::zero_amplitude, "0xF423F", Field::ZeroAmplitude},
      // no range test beyond these
      {&stimulus::ParameterTexts::stimulus_amplitude, "40000", std::nullopt},
      {&stimulus::ParameterTexts::zero_amplitude, "-999999", std::nullopt},
      {&stimulus::ParameterTexts::frequency, "50000", std::nullopt},
      {&stimulus::ParameterTexts::delay, "2147483647", std::nullopt},
  };
  for (const auto& c : cases) {
    stimulus::ParameterTexts texts = Defaults();
    texts.*c.text = c.value;
    EXPECT_EQ(stimulus::GateFailure(stimulus::ReadParams(texts)), c.failure) << c.value;
  }
}

TEST(Params, ChecksRefuseInTheirOrder) {
  const auto wider = stimulus::PulseWiderThanIntervalMessage();
  const auto shorter = stimulus::PulseTooShortMessage();
  const auto longer = stimulus::TrainTooLongMessage();
  const struct {
    std::int32_t frequency, duration, count, rate;
    std::optional<std::string_view> refusal;
  } cases[] = {
      {1000, 1000, 5, 44100, wider},   // period 44 frames, all pulse
      {300, 10, 5, 44100, shorter},    // pulse of 0 frames
      {50000, 1000, 5, 44100, wider},  // period of 0 frames
      {50000, 1, 5, 44100, wider},     // both fail: the first check speaks
      {300, 100000, 5, 44100, wider},  // 4410 frames against a 147-frame period
      {300, 1000, 5, 44100, std::nullopt},
      {1, 1000, 1000000, 44100, longer},        // 44.1e9 frames
      {1, 500000, 24347, 44100, std::nullopt},  // 1073702700 frames: fits
      {1, 500000, 24348, 44100, longer},        // 1073746800 frames: over
      {1, 1000, 2147483647, 2147483647, longer},
      {1, 2000, 1, 1000000000, std::nullopt},  // rate x duration needs 64 bits
  };
  for (const auto& c : cases) {
    stimulus::StimulusParams p{};
    p.Frequency = c.frequency, p.Duration = c.duration, p.Count = c.count, p.SampleRate = c.rate;
    EXPECT_EQ(stimulus::DeriveAndCheck(p), c.refusal)
        << c.frequency << " " << c.duration << " " << c.count << " " << c.rate;
  }
}

TEST(Params, TheLimitOfTheSizeFields) {
  // 1073741814 frames give 4294967292 bytes in the RIFF size: the last that fit.
  stimulus::StimulusParams p{};
  p.Frequency = 1, p.Duration = 500000, p.SampleRate = 2, p.Count = 536870907;  // 2 frames a pulse
  EXPECT_EQ(stimulus::DeriveAndCheck(p), std::nullopt);
  EXPECT_EQ(p.TotalSamples, 1073741814);
  p.Count = 536870908;
  EXPECT_EQ(stimulus::DeriveAndCheck(p), stimulus::TrainTooLongMessage());
}

TEST(Params, SamplesAreClampedIntoSixteenBits) {
  const std::pair<std::int32_t, std::int16_t> cases[] = {
      {40000, 32767},   {-40000, -32768}, {32767, 32767},     {-32768, -32768},
      {-32767, -32767}, {0, 0},           {INT32_MAX, 32767}, {INT32_MIN, -32768}};
  for (const auto& [value, sample] : cases)
    EXPECT_EQ(stimulus::ClampSample(value), sample) << value;
}

}  // namespace
