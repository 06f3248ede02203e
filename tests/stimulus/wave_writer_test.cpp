// The file's bytes, its progress reports and every way a write can fail.
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "stimulus/wave_writer.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

stimulus::StimulusParams Train(std::int32_t pulse, std::int32_t gap, std::int32_t count,
                               std::int32_t high = 32767, std::int32_t low = 0,
                               std::int32_t rate = 44100) {
  stimulus::StimulusParams p{};
  p.SampleRate = rate;
  p.Count = count;
  p.StimulusAmplitude = high;
  p.ZeroAmplitude = low;
  p.PulseSamples = pulse;
  p.IntervalSamples = gap;
  p.TotalSamples = (pulse + gap) * count;
  return p;
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

void AppendFrames(Bytes& out, unsigned char lo, unsigned char hi, int frames) {
  for (int i = 0; i < frames; ++i) out.insert(out.end(), {lo, hi, lo, hi});
}

TEST(WaveWriter, DefaultFileIsExactly2984Bytes) {
  TempDir dir;
  const std::string name = dir.File("tavrion.wav");
  const Written w = Write(Train(44, 103, 5), name);
  ASSERT_TRUE(w.outcome.ok) << w.outcome.message;

  // clang-format off
  Bytes expected = {
      'R', 'I', 'F', 'F', 0xA0, 0x0B, 0, 0,     // 2976
      'W', 'A', 'V', 'E', 'f', 'm', 't', ' ',   //
      16, 0, 0, 0, 1, 0, 2, 0,                  // chunk size, PCM, stereo
      0x44, 0xAC, 0, 0, 0x10, 0xB1, 2, 0,       // 44100, 176400 bytes/s
      4, 0, 16, 0, 'd', 'a', 't', 'a',          // frame size, bits
      0x7C, 0x0B, 0, 0,                         // 2940
  };
  // clang-format on
  for (int k = 0; k < 5; ++k) {
    AppendFrames(expected, 0xFF, 0x7F, 44);
    AppendFrames(expected, 0x00, 0x00, 103);
  }
  ASSERT_EQ(expected.size(), 2984u);
  EXPECT_EQ(ReadBytes(name), expected);
  EXPECT_EQ(w.progress, (std::vector<int>{20, 40, 60, 80, 100, 0}));
}

TEST(WaveWriter, ProgressOncePerPulseThenZero) {
  TempDir dir;
  EXPECT_EQ(Write(Train(1, 1, 1), dir.File("a.wav")).progress, (std::vector<int>{100, 0}));
  EXPECT_EQ(Write(Train(1, 2, 3), dir.File("b.wav")).progress, (std::vector<int>{33, 66, 100, 0}));
}

TEST(WaveWriter, SamplesAreLittleEndianAndClamped) {
  const struct {
    std::int32_t amplitude;
    unsigned char lo, hi;
  } cases[] = {
      {-32767, 0x01, 0x80}, {0, 0x00, 0x00},      {1, 0x01, 0x00},      {-1, 0xFF, 0xFF},
      {40000, 0xFF, 0x7F},  {-40000, 0x00, 0x80}, {-32768, 0x00, 0x80}, {INT32_MAX, 0xFF, 0x7F},
  };
  TempDir dir;
  for (const auto& c : cases) {
    const std::string name = dir.File("s.wav");
    ASSERT_TRUE(Write(Train(1, 1, 1, c.amplitude, c.amplitude), name).outcome.ok);
    const Bytes bytes = ReadBytes(name);
    ASSERT_EQ(bytes.size(), 52u);
    for (std::size_t i = 44; i < 52; i += 2) {
      EXPECT_EQ(bytes[i], c.lo) << c.amplitude;
      EXPECT_EQ(bytes[i + 1], c.hi) << c.amplitude;
    }
  }
}

TEST(WaveWriter, TrainsLongerThanTheBufferAreWholeAndInOrder) {
  // The buffer holds 262144 frames: these trains need it filled with whole
  // periods and written many times, or the last batch short, or a period
  // longer than the buffer written a run at a time.
  const struct {
    std::int32_t pulse, gap, count;
  } cases[] = {{100000, 70001, 3}, {3, 4, 100000}, {300000, 5, 2}, {5, 262145, 2}};
  TempDir dir;
  for (const auto& c : cases) {
    const std::string name = dir.File("long.wav");
    const Written w = Write(Train(c.pulse, c.gap, c.count, -2, 3, 8000), name);
    ASSERT_TRUE(w.outcome.ok);
    EXPECT_EQ(w.progress.size(), static_cast<std::size_t>(c.count) + 1);
    EXPECT_EQ(w.progress[w.progress.size() - 2], 100);
    const Bytes bytes = ReadBytes(name);
    Bytes frames;
    for (int k = 0; k < c.count; ++k) {
      AppendFrames(frames, 0xFE, 0xFF, c.pulse);
      AppendFrames(frames, 0x03, 0x00, c.gap);
    }
    ASSERT_EQ(bytes.size(), 44 + frames.size()) << c.pulse << " " << c.gap << " " << c.count;
    EXPECT_TRUE(std::equal(frames.begin(), frames.end(), bytes.begin() + 44))
        << c.pulse << " " << c.gap << " " << c.count;
  }
}

TEST(WaveWriter, NamesThatCannotBeCreatedLeaveEverythingAsItWas) {
  TempDir dir;
  const std::string blocker = dir.File("file");
  WriteText(blocker, "x");
  const std::string cases[] = {"", dir.File("missing/tavrion.wav"), blocker + "/under-a-file.wav",
                               dir.path().string(), "/proc/tavrion.wav"};
  for (const std::string& name : cases) {
    const Written w = Write(Train(44, 103, 5), name);
    EXPECT_FALSE(w.outcome.ok) << name;
    EXPECT_EQ(w.outcome.message, "Can't create file: " + name);
    EXPECT_TRUE(w.progress.empty()) << name;
  }
  EXPECT_EQ(ReadBytes(blocker), (Bytes{'x'}));
}

TEST(WaveWriter, ReadOnlyFolderRefusesCreation) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only folders";
  TempDir dir;
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  const std::string name = dir.File("tavrion.wav");
  EXPECT_EQ(Write(Train(1, 1, 1), name).outcome.message, "Can't create file: " + name);
}

TEST(WaveWriter, FailingWriteIsReportedAndProgressReturnsToZero) {
  const Written w = Write(Train(44, 103, 5), "/dev/full");
  EXPECT_FALSE(w.outcome.ok);
  EXPECT_EQ(w.outcome.message, "Can't write file: /dev/full");
  ASSERT_FALSE(w.progress.empty());
  EXPECT_EQ(w.progress.back(), 0);
}

TEST(WaveWriter, FailureMidwayStopsProgressAtTheFailure) {
  // Larger than the buffer, so the first hand-over fails before the end.
  const Written w = Write(Train(100000, 100000, 4), "/dev/full");
  EXPECT_FALSE(w.outcome.ok);
  EXPECT_LT(w.progress.size(), 5u);
  EXPECT_EQ(w.progress.back(), 0);
}

}  // namespace
