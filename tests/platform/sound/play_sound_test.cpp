// PlaySoundA on the headless host: what the host pulls as virtual time passes
// is the file's frames exactly, once, in a gapless loop, or not at all.
#include <gtest/gtest.h>
#include <platform/headless.h>
#include <platform/kernel.h>
#include <platform/sound.h>

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "platform/host/real_time_host.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Wave {
  int rate;
  int channels;
  int bits;
  int frames;
};

// Samples that differ frame to frame and are never silence, so a missing,
// repeated or zero frame shows.
Bytes Frames(const Wave& wave, int seed = 0) {
  Bytes bytes;
  for (int i = 0; i < wave.frames * wave.channels; ++i) {
    if (wave.bits == 8) {
      bytes.push_back(static_cast<std::uint8_t>(1 + (i + seed) % 250));
    } else {
      const auto sample = static_cast<std::uint16_t>(1000 + 7 * i + seed);
      bytes.push_back(static_cast<std::uint8_t>(sample & 0xFF));
      bytes.push_back(static_cast<std::uint8_t>(sample >> 8));
    }
  }
  return bytes;
}

void Put(std::ofstream& out, std::uint32_t value, int size) {
  for (int i = 0; i < size; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A canonical PCM WAV file.
void WriteWave(const std::string& path, const Wave& wave, const Bytes& frames) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const auto size = static_cast<std::uint32_t>(frames.size());
  const auto block = static_cast<std::uint32_t>(wave.channels * wave.bits / 8);
  out << "RIFF";
  Put(out, 36 + size, 4);
  out << "WAVEfmt ";
  Put(out, 16, 4);
  Put(out, 1, 2);  // PCM
  Put(out, static_cast<std::uint32_t>(wave.channels), 2);
  Put(out, static_cast<std::uint32_t>(wave.rate), 4);
  Put(out, static_cast<std::uint32_t>(wave.rate) * block, 4);
  Put(out, block, 2);
  Put(out, static_cast<std::uint32_t>(wave.bits), 2);
  out << "data";
  Put(out, size, 4);
  out.write(reinterpret_cast<const char*>(frames.data()), static_cast<std::streamsize>(size));
}

Bytes Repeated(const Bytes& once, std::size_t size) {
  Bytes bytes;
  while (bytes.size() < size) bytes.push_back(once[bytes.size() % once.size()]);
  return bytes;
}

class PlaySound : public ::testing::Test {
 protected:
  void SetUp() override { host.Reset(); }
  void TearDown() override { host.Reset(); }

  std::string Write(const std::string& name, const Wave& wave, int seed = 0) {
    const std::string path = dir.File(name);
    WriteWave(path, wave, Frames(wave, seed));
    return path;
  }
  void Advance(int milliseconds, int step) {
    for (int passed = 0; passed < milliseconds; passed += step) host.AdvanceClock(step);
  }

  host::HeadlessHost& host = host::Headless();
  TempDir dir;
};

// 1000 frames at 8000 Hz: 125 ms, and no pull size below divides it.
constexpr Wave kShort{8000, 1, 16, 1000};

TEST_F(PlaySound, OnePlayGivesTheFileOnceInItsOwnFormat) {
  const struct {
    Wave wave;
    int step;
  } cases[] = {
      {{8000, 1, 8, 1000}, 7},
      {{44100, 2, 16, 3000}, 3},
      {{11025, 1, 16, 500}, 1000},
      {{22050, 2, 8, 777}, 10},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.wave.rate << " Hz, " << c.wave.channels << " ch, "
                                    << c.wave.bits << " bit, step " << c.step);
    const std::string path = Write("one.wav", c.wave);
    EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_FILENAME));
    Advance(2000, c.step);
    const host::AudioRecording audio = host.Audio();
    EXPECT_EQ(audio.format, (host::AudioFormat{c.wave.rate, c.wave.channels, c.wave.bits}));
    EXPECT_EQ(audio.bytes, Frames(c.wave));
    EXPECT_EQ(audio.pulls.back().frames, 0u);
  }
}

TEST_F(PlaySound, ALoopRepeatsTheFileWithNoFrameMissingOrExtra) {
  // Pulls of 56 frames, of 8 (one per millisecond), and one pull across passes.
  for (const int step : {7, 1, 500}) {
    SCOPED_TRACE(step);
    host.Reset();
    const std::string path = Write("loop.wav", kShort);
    EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_LOOP));
    Advance(step == 7 ? 504 : 500, step);
    const host::AudioRecording audio = host.Audio();
    const std::size_t frames = (step == 7 ? 504u : 500u) * 8;
    EXPECT_EQ(audio.Frames(), frames);
    EXPECT_EQ(audio.bytes, Repeated(Frames(kShort), frames * 2));
  }
}

TEST_F(PlaySound, PullsFollowVirtualTimeExactly) {
  const std::string path = Write("long.wav", {44100, 1, 16, 5000});
  PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_LOOP);
  host.AdvanceClock(10);
  Advance(990, 1);
  const host::AudioRecording audio = host.Audio();
  EXPECT_EQ(audio.Frames(), 44100u);
  ASSERT_EQ(audio.pulls.size(), 991u);
  EXPECT_EQ(audio.pulls[0].time, 0u);
  EXPECT_EQ(audio.pulls[0].frames, 441u);
  EXPECT_EQ(audio.pulls[1].time, 10u);
  EXPECT_EQ(audio.pulls[990].time, 999u);
}

TEST_F(PlaySound, StoppingEndsTheSoundAtOnce) {
  const struct {
    const char* what;
    DWORD flags;
    bool named;
  } cases[] = {
      {"purge", SND_PURGE, false},
      {"null name", SND_ASYNC, false},
      {"purge by name", SND_PURGE, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    host.Reset();
    const std::string path = Write("loop.wav", kShort);
    PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_LOOP);
    host.AdvanceClock(200);
    EXPECT_TRUE(PlaySoundA(c.named ? path.c_str() : nullptr, nullptr, c.flags));
    host.AdvanceClock(200);
    EXPECT_EQ(host.Audio().Frames(), 1600u);
  }
}

TEST_F(PlaySound, ANewPlayReplacesALoop) {
  const Wave other{8000, 2, 8, 300};
  const std::string loop = Write("loop.wav", kShort);
  const std::string next = Write("next.wav", other);
  PlaySoundA(loop.c_str(), nullptr, SND_ASYNC | SND_LOOP);
  host.AdvanceClock(300);
  EXPECT_TRUE(PlaySoundA(next.c_str(), nullptr, SND_ASYNC));
  host.AdvanceClock(300);
  const host::AudioRecording audio = host.Audio();
  EXPECT_EQ(audio.format, (host::AudioFormat{8000, 2, 8}));
  EXPECT_EQ(audio.bytes, Frames(other));
  EXPECT_EQ(audio.pulls.front().time, 300u);
}

TEST_F(PlaySound, AFileThatCannotBeReadPlaysNothingAndFails) {
  const std::string loop = Write("loop.wav", kShort);
  const std::string garbage = dir.File("garbage.wav");
  WriteText(garbage, "not a sound at all");
  for (const std::string& name : {dir.File("missing.wav"), garbage, std::string()}) {
    SCOPED_TRACE(name);
    host.Reset();
    PlaySoundA(loop.c_str(), nullptr, SND_ASYNC | SND_LOOP);
    host.AdvanceClock(100);
    EXPECT_FALSE(PlaySoundA(name.c_str(), nullptr, SND_ASYNC | SND_NODEFAULT));
    host.AdvanceClock(100);
    EXPECT_EQ(host.Audio().Frames(), 800u);
    EXPECT_FALSE(PlaySoundA(name.c_str(), nullptr, SND_SYNC));
    EXPECT_EQ(GetTickCount(), 200u);
  }
}

TEST_F(PlaySound, RewritingTheFileDuringPlayChangesNothing) {
  const std::string path = Write("one.wav", kShort);
  PlaySoundA(path.c_str(), nullptr, SND_ASYNC);
  host.AdvanceClock(20);
  Write("one.wav", {8000, 1, 16, 100}, 5);
  host.AdvanceClock(200);
  EXPECT_EQ(host.Audio().bytes, Frames(kShort));
}

TEST_F(PlaySound, AWaitingPlayReturnsAfterTheSoundsLength) {
  // 1001 frames at 8000 Hz: 125.125 ms, given whole after 126.
  const Wave wave{8000, 1, 16, 1001};
  const std::string path = Write("sync.wav", wave);
  for (const DWORD flags : {SND_SYNC, SND_SYNC | SND_LOOP}) {
    SCOPED_TRACE(flags);
    host.Reset();
    EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, flags));
    EXPECT_EQ(GetTickCount(), 126u);
    host.AdvanceClock(100);
    EXPECT_EQ(host.Audio().bytes, Frames(wave));
  }
}

// A host with no sound output that counts the waits.
class NoOutputHost : public host::RealTimeHost {
 public:
  bool WaitUntil(std::unique_lock<std::mutex>& lock, std::condition_variable& changed,
                 std::uint64_t deadline, const std::function<bool()>& ready) override {
    ++waits;
    return RealTimeHost::WaitUntil(lock, changed, deadline, ready);
  }
  int waits = 0;
};

TEST_F(PlaySound, WithNoOutputNothingPlaysAndNothingWaits) {
  const std::string path = Write("one.wav", kShort);
  NoOutputHost quiet;
  host::Install(&quiet);
  for (const DWORD flags : {SND_ASYNC, SND_ASYNC | SND_LOOP, SND_SYNC}) {
    SCOPED_TRACE(flags);
    EXPECT_FALSE(PlaySoundA(path.c_str(), nullptr, flags));
  }
  host::Install(nullptr);
  EXPECT_EQ(quiet.waits, 0);
}

struct Waiting {
  std::string path;
  DWORD returned_at = 0;
};

DWORD PlayAndWait(LPVOID param) {
  auto* waiting = static_cast<Waiting*>(param);
  PlaySoundA(waiting->path.c_str(), nullptr, SND_SYNC);
  waiting->returned_at = GetTickCount();
  return 0;
}

TEST_F(PlaySound, APlayFromAnotherThreadEndsAWaitingPlay) {
  Waiting waiting{Write("long.wav", {8000, 1, 16, 8000})};
  const std::string next = Write("next.wav", kShort);
  HANDLE thread = CreateThread(nullptr, 0, PlayAndWait, &waiting, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  host.AdvanceClock(50);
  EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
  PlaySoundA(next.c_str(), nullptr, SND_ASYNC);
  EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(waiting.returned_at, 50u);
  host.AdvanceClock(200);
  EXPECT_EQ(host.Audio().bytes, Frames(kShort));
  CloseHandle(thread);
}

}  // namespace
