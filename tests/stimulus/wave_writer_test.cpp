// The file's bytes, its progress reports, the sets it refuses and every way a
// write can fail.
#include <gtest/gtest.h>

#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"
#include "stimulus/wave_writer.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

stimulus::StimulusParams Set(std::int32_t frequency, std::int32_t duration, std::int32_t count,
                             std::int32_t rate = 44100, std::int32_t high = 32767,
                             std::int32_t low = 0) {
  stimulus::StimulusParams p{};
  p.Frequency = frequency, p.Duration = duration, p.Count = count, p.SampleRate = rate;
  p.StimulusAmplitude = high, p.ZeroAmplitude = low;
  return p;
}

// A set of `pulse` and `gap` frames a pulse: one pulse a second at a rate of
// pulse + gap frames, the duration rounded up so that it covers `pulse`.
stimulus::StimulusParams Train(std::int32_t pulse, std::int32_t gap, std::int32_t count,
                               std::int32_t high = 32767, std::int32_t low = 0) {
  const std::int64_t rate = std::int64_t{pulse} + gap;
  const auto duration =
      static_cast<std::int32_t>((pulse * std::int64_t{1000000} + rate - 1) / rate);
  return Set(1, duration, count, static_cast<std::int32_t>(rate), high, low);
}

struct Written {
  stimulus::WriteOutcome outcome;
  std::vector<int> progress;
};

Written Write(const stimulus::StimulusParams& p, const std::string& name) {
  Written w;
  w.outcome = stimulus::WriteWaveFile(p, name, [&w](int v) { w.progress.push_back(v); });
  return w;
}

void AppendFrames(Bytes& out, unsigned char lo, unsigned char hi, std::int64_t frames) {
  for (std::int64_t i = 0; i < frames; ++i) out.insert(out.end(), {lo, hi, lo, hi});
}

class WaveWriter : public testing::Test {
 protected:
  TempDir dir;
  std::string name = dir.File("tavrion.wav");
};

TEST_F(WaveWriter, DefaultFileIsExactly2984Bytes) {
  const Written w = Write(Set(300, 1000, 5), name);
  ASSERT_TRUE(w.outcome.ok) << w.outcome.message;
  // 2976 bytes follow; PCM, stereo, 44100 frames and 176400 bytes a second,
  // 4 bytes a frame of 16-bit samples; 2940 bytes of frames.
  const std::string header(
      "RIFF\xA0\x0B\0\0WAVEfmt \x10\0\0\0\1\0\2\0\x44\xAC\0\0\x10\xB1\2\0\4\0\x10\0"
      "data\x7C\x0B\0\0",
      44);
  Bytes expected(header.begin(), header.end());
  for (int k = 0; k < 5; ++k) {
    AppendFrames(expected, 0xFF, 0x7F, 44);
    AppendFrames(expected, 0x00, 0x00, 103);
  }
  EXPECT_EQ(ReadBytes(name), expected);
  EXPECT_EQ(w.progress, (std::vector<int>{20, 40, 60, 80, 100, 0}));
  EXPECT_EQ(Write(Train(1, 2, 3), name).progress, (std::vector<int>{33, 66, 100, 0}));
}

TEST_F(WaveWriter, TheHeaderAtTheHighestRateItHolds) {
  ASSERT_TRUE(Write(Set(100000, 1, 1, 1073741823), name).outcome.ok);
  const Bytes bytes = ReadBytes(name);
  // 10737 frames; 1073741823 frames and 4294967292 bytes a second.
  const std::string header(
      "RIFF\xE8\xA7\0\0WAVEfmt \x10\0\0\0\1\0\2\0\xFF\xFF\xFF\x3F\xFC\xFF\xFF\xFF\4\0\x10\0"
      "data\xC4\xA7\0\0",
      44);
  ASSERT_EQ(bytes.size(), 44u + 10737u * 4);
  EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 44), header);
}

TEST_F(WaveWriter, ARewriteWithAShorterTrainLeavesExactlyTheShorterFile) {
  // The file is written over in place: nothing of the longer train may stay.
  ASSERT_TRUE(Write(Train(3, 4, 100000, 5, 6), name).outcome.ok);
  ASSERT_TRUE(Write(Set(300, 1000, 1), name).outcome.ok);
  const std::string fresh = dir.File("fresh.wav");
  ASSERT_TRUE(Write(Set(300, 1000, 1), fresh).outcome.ok);
  EXPECT_EQ(ReadBytes(name).size(), 44u + 147u * 4);
  EXPECT_EQ(ReadBytes(name), ReadBytes(fresh));
}

TEST_F(WaveWriter, SamplesAreLittleEndianAndClamped) {
  const struct {
    std::int32_t amplitude;
    unsigned char lo, hi;
  } cases[] = {
      {-32767, 0x01, 0x80}, {0, 0x00, 0x00},      {-1, 0xFF, 0xFF},
      {40000, 0xFF, 0x7F},  {-40000, 0x00, 0x80}, {INT32_MAX, 0xFF, 0x7F},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(Write(Train(1, 1, 1, c.amplitude, c.amplitude), name).outcome.ok);
    Bytes frames;
    AppendFrames(frames, c.lo, c.hi, 2);
    const Bytes bytes = ReadBytes(name);
    EXPECT_EQ(Bytes(bytes.begin() + 44, bytes.end()), frames) << c.amplitude;
  }
}

TEST_F(WaveWriter, TrainsLongerThanTheBufferAreWholeAndInOrder) {
  // The buffer holds 262144 frames: these trains need it filled with whole
  // periods and written many times, or the last batch short, or a period
  // longer than the buffer written a run at a time.
  const struct {
    std::int32_t pulse, gap, count;
  } cases[] = {{100000, 70001, 3}, {3, 4, 100000}, {300000, 5, 2}, {5, 262145, 2}};
  for (const auto& c : cases) {
    const Written w = Write(Train(c.pulse, c.gap, c.count, -2, 3), name);
    ASSERT_TRUE(w.outcome.ok);
    EXPECT_EQ(w.progress.size(), static_cast<std::size_t>(c.count) + 1);
    Bytes frames;
    for (int k = 0; k < c.count; ++k) {
      AppendFrames(frames, 0xFE, 0xFF, c.pulse);
      AppendFrames(frames, 0x03, 0x00, c.gap);
    }
    const Bytes bytes = ReadBytes(name);
    ASSERT_EQ(bytes.size(), 44 + frames.size()) << c.pulse << " " << c.gap << " " << c.count;
    EXPECT_TRUE(std::equal(frames.begin(), frames.end(), bytes.begin() + 44));
  }
}

TEST_F(WaveWriter, SetsThatWouldNotBeAcceptedAreRefusedBeforeTheFileIsTouched) {
  WriteText(name, "kept");
  stimulus::StimulusParams lying = Set(300, 1000, 5);
  lying.PulseSamples = 1, lying.IntervalSamples = 0, lying.TotalSamples = 0;
  const struct {
    stimulus::StimulusParams p;
    std::string message;  // empty: written, from the counts it derived
  } cases[] = {
      {Set(0, 1000, 5), LoadResString(SInvalidTrain)},
      {Set(300, 1000, -1), LoadResString(SInvalidTrain)},
      {Set(1000, 1000, 5), std::string(stimulus::PulseWiderThanIntervalMessage())},
      {Set(1, 1000, 1000000), LoadResString(STrainTooLong)},
      {lying, ""},
  };
  for (const auto& c : cases) {
    const Written w = Write(c.p, name);
    EXPECT_EQ(w.outcome.message, c.message);
    EXPECT_EQ(ReadBytes(name).size(), c.message.empty() ? 2984u : 4u) << c.message;
    EXPECT_EQ(w.progress.empty(), !c.message.empty());
  }
}

TEST_F(WaveWriter, AFailingWriteLeavesAnIncompleteFileAndProgressAtZero) {
  // The second train is larger than the buffer: the first hand-over fails.
  for (const auto& train : {Set(300, 1000, 5), Train(100000, 100000, 4)}) {
    const Written w = Write(train, "/dev/full");
    EXPECT_FALSE(w.outcome.ok);
    EXPECT_TRUE(w.outcome.incomplete);
    EXPECT_EQ(w.outcome.message, "Can't write file: /dev/full");
    EXPECT_LT(w.progress.size(), static_cast<std::size_t>(train.Count) + 1);
    EXPECT_EQ(w.progress.back(), 0);
  }
}

}  // namespace
