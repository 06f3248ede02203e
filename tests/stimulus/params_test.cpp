// Reading, gate, derivation and checks of a parameter set, without a form.
#include <gtest/gtest.h>

#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"
#include "stimulus/params.h"

namespace {

using stimulus::Field;
using Texts = stimulus::ParameterTexts;

TEST(Params, UnreadableTextsTakeTheirFallbacks) {
  const stimulus::StimulusParams p =
      stimulus::ReadParams({"abc", "", "x", "1 ", "-", "99999999999", "$"});
  EXPECT_EQ(std::tie(p.Frequency, p.SampleRate, p.Delay, p.Duration, p.Count),
            std::make_tuple(0, 0, -1, 0, 0));
  EXPECT_EQ(std::tie(p.StimulusAmplitude, p.ZeroAmplitude), std::make_tuple(999999, 999999));
}

TEST(Params, GateNamesTheFirstFieldThatStopsTheSet) {
  const struct {
    std::string Texts::*text;
    const char* value;
    std::optional<Field> failure;
  } cases[] = {
      {&Texts::frequency, "-5", Field::Frequency},
      {&Texts::sample_rate, "0", Field::SampleRate},
      {&Texts::delay, "", Field::Delay},
      {&Texts::duration, "-1", Field::Duration},
      {&Texts::count, "0", Field::Count},
      {&Texts::stimulus_amplitude, "999999", Field::StimulusAmplitude},
      {&Texts::zero_amplitude, "0xF423F", Field::ZeroAmplitude},
      // no range test beyond these
      {&Texts::stimulus_amplitude, "40000", std::nullopt},
      {&Texts::frequency, "50000", std::nullopt},
  };
  for (const auto& c : cases) {
    Texts texts = {"300", "44100", "0", "1000", "5", "32767", "0"};
    texts.*c.text = c.value;
    EXPECT_EQ(stimulus::GateFailure(stimulus::ReadParams(texts)), c.failure) << c.value;
  }
}

TEST(Params, ChecksRefuseInTheirOrder) {
  const std::string wider(stimulus::PulseWiderThanIntervalMessage());
  const std::string shorter(stimulus::PulseTooShortMessage());
  const std::string longer = LoadResString(STrainTooLong);
  const std::string rate = LoadResString(SSampleRateTooHigh);
  const struct {
    std::int32_t frequency, duration, count, rate;
    std::optional<std::string> refusal;
    std::int32_t total = 0;  // when accepted
  } cases[] = {
      {300, 1000, 5, 44100, std::nullopt, 735},  // the defaults: 44 + 103 frames a pulse
      {1000, 1000, 5, 44100, wider},             // period 44 frames, all pulse
      {300, 10, 5, 44100, shorter},              // pulse of 0 frames
      {50000, 1, 5, 44100, wider},               // both fail: the first check speaks
      {300, 100000, 5, 44100, wider},            // 4410 frames against a 147-frame period
      {1, 500000, 536870907, 2, std::nullopt, 1073741814},  // the last that fits the size fields
      {1, 500000, 536870908, 2, longer},
      {1, 2000, 1, 1000000000, std::nullopt, 1000000000},  // rate x duration needs 64 bits
      {100000, 1, 1, 1073741823, std::nullopt, 10737},     // the highest rate the header holds
      {100000, 1, 1, 1073741824, rate},
      {300, 1000, 5, 2000000000, rate},
      {1, 1000, 2147483647, 2147483647, rate},  // the rate speaks before the length
  };
  for (const auto& c : cases) {
    stimulus::StimulusParams p{};
    p.Frequency = c.frequency, p.Duration = c.duration, p.Count = c.count, p.SampleRate = c.rate;
    EXPECT_EQ(stimulus::DeriveAndCheck(p), c.refusal)
        << c.frequency << " " << c.duration << " " << c.count << " " << c.rate;
    EXPECT_EQ(p.TotalSamples, c.total);
  }
}

}  // namespace
