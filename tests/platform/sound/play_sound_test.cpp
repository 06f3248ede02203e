// PlaySoundA on the headless host: what the host pulls as virtual time passes
// is the file's frames exactly, once, in a gapless loop, or not at all.
#include <gtest/gtest.h>
#include <platform/codepage.h>
#include <platform/headless.h>
#include <platform/kernel.h>
#include <platform/sound.h>
#include <platform/sound_failure.h>

#include <sys/stat.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <thread>
#include <vector>

#include "tests/support/temp_dir.h"

// Every allocation of this program is counted, so a test can see how much a
// call held at its peak. Each block carries its size in front.
namespace {

constexpr std::size_t kSizeHeader = alignof(std::max_align_t);
std::atomic<std::size_t> live_bytes{0};
std::atomic<std::size_t> peak_bytes{0};

}  // namespace

void* operator new(std::size_t size) {
  auto* block = static_cast<unsigned char*>(std::malloc(size + kSizeHeader));
  if (block == nullptr) throw std::bad_alloc();
  *reinterpret_cast<std::size_t*>(block) = size;
  const std::size_t now = live_bytes += size;
  std::size_t peak = peak_bytes;
  while (now > peak && !peak_bytes.compare_exchange_weak(peak, now)) {
  }
  return block + kSizeHeader;
}

void operator delete(void* pointer) noexcept {
  if (pointer == nullptr) return;
  auto* block = static_cast<unsigned char*>(pointer) - kSizeHeader;
  live_bytes -= *reinterpret_cast<std::size_t*>(block);
  std::free(block);
}

void operator delete(void* pointer, std::size_t) noexcept {
  operator delete(pointer);
}

namespace {

using namespace std::string_literals;
using Bytes = std::vector<std::uint8_t>;

struct Wave {
  int rate, channels, bits, frames;
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

constexpr std::uint16_t kPcm = 1;
constexpr std::uint16_t kMuLaw = 7;

// A canonical WAV file, PCM unless another format tag is given.
// `claim` is the data size the header gives, the frames' own size unless said.
void WriteWave(const std::string& path, const Wave& wave, const Bytes& frames,
               std::uint16_t tag = kPcm, std::uint32_t claim = 0) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  const auto put = [&out](std::uint32_t value, int size) {
    for (int i = 0; i < size; ++i) out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
  };
  const auto size = static_cast<std::uint32_t>(frames.size());
  if (claim == 0) claim = size;
  const auto rate = static_cast<std::uint32_t>(wave.rate);
  const auto block = static_cast<std::uint32_t>(wave.channels * wave.bits / 8);
  out << "RIFF";
  put(36 + claim, 4);
  out << "WAVEfmt ";
  put(16, 4);
  put(tag, 2);
  put(static_cast<std::uint32_t>(wave.channels), 2);
  put(rate, 4);
  put(rate * block, 4);
  put(block, 2);
  put(static_cast<std::uint32_t>(wave.bits), 2);
  out << "data";
  put(claim, 4);
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

// 1001 frames at 8000 Hz last 125.125 ms: a waiting play returns after 126,
// and a loop does not make it wait longer.
TEST_F(PlaySound, OnePlayGivesTheFileOnceInItsOwnFormat) {
  const struct {
    Wave wave;
    int step;
    DWORD flags;
    DWORD returns_after;
  } cases[] = {
      {{8000, 1, 8, 1000}, 7, SND_ASYNC | SND_FILENAME, 0},
      {{44100, 2, 16, 3000}, 3, SND_ASYNC | SND_FILENAME, 0},
      {{11025, 1, 16, 500}, 1000, SND_ASYNC | SND_FILENAME, 0},
      {{22050, 2, 8, 777}, 10, SND_ASYNC | SND_FILENAME, 0},
      {{8000, 1, 16, 1001}, 1, SND_SYNC, 126},
      {{8000, 1, 16, 1001}, 1, SND_SYNC | SND_LOOP, 126},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message()
                 << c.wave.rate << " Hz, " << c.wave.channels << " ch, " << c.wave.bits
                 << " bit, step " << c.step << ", flags " << c.flags);
    const std::string path = Write("one.wav", c.wave);
    const DWORD start = GetTickCount();
    EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, c.flags));
    EXPECT_EQ(GetTickCount() - start, c.returns_after);
    Advance(2000, c.step);
    const host::AudioRecording audio = host.Audio();
    EXPECT_EQ(audio.format, (host::AudioFormat{c.wave.rate, c.wave.channels, c.wave.bits}));
    EXPECT_EQ(audio.bytes, Frames(c.wave));
    if (c.returns_after == 0) {
      EXPECT_EQ(audio.pulls.back().frames, 0u);  // still pulled after the end
    }
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

// Stopping, and a file that cannot be read, end a loop at once; a play
// that fails waits for nothing. A header's claim is never taken for what the
// file holds: reading any of these holds a few megabytes at most.
TEST_F(PlaySound, WhatEndsTheSoundAtOnceAndWhatAHeaderClaimCosts) {
  const std::string loop = Write("loop.wav", kShort);
  const std::string missing = dir.File("missing.wav");
  const std::string garbage = dir.File("garbage.wav");
  WriteText(garbage, "not a sound at all");
  // Sounds, but not RIFF/WAVE PCM: the desktop plays neither.
  const std::string aiff = dir.File("sound.aiff");
  // Two frames of 16-bit mono at 8000 Hz.
  WriteText(aiff,
            "FORM\0\0\0\x32"
            "AIFF"
            "COMM\0\0\0\x12\0\x01\0\0\0\x02\0\x10\x40\x0B\xFA\0\0\0\0\0\0\0"
            "SSND\0\0\0\x0C\0\0\0\0\0\0\0\0\x10\0\x20\0"s);
  const std::string mu_law = dir.File("mu-law.wav");
  WriteWave(mu_law, {8000, 1, 8, 100}, Frames({8000, 1, 8, 100}), kMuLaw);
  // 19 frames that claim to be 2^28: a 1 GiB buffer if the claim were believed.
  const Wave held{44100, 2, 16, 19};
  const std::uint32_t claim = 1U << 30;
  const std::string huge = dir.File("huge.wav");
  WriteWave(huge, held, Frames(held), kPcm, claim);
  // A pipe has no size to bound the claim by.
  const std::string pipe = dir.File("pipe.wav");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
  constexpr std::size_t kFewMegabytes = 4 << 20;
  const struct {
    const char* what;
    const char* name;
    DWORD flags;
    BOOL result;
    std::size_t heard;  // frames since the last start
  } cases[] = {
      {"purge", nullptr, SND_PURGE, TRUE, 800},
      {"null name", nullptr, SND_ASYNC, TRUE, 800},
      {"purge by name", loop.c_str(), SND_PURGE, TRUE, 800},
      {"a missing file", missing.c_str(), SND_ASYNC | SND_NODEFAULT, FALSE, 800},
      {"not a sound", garbage.c_str(), SND_ASYNC | SND_NODEFAULT, FALSE, 800},
      {"an AIFF sound", aiff.c_str(), SND_ASYNC | SND_NODEFAULT, FALSE, 800},
      {"a mu-law wave", mu_law.c_str(), SND_ASYNC | SND_NODEFAULT, FALSE, 800},
      {"a folder", dir.path().c_str(), SND_ASYNC | SND_NODEFAULT, FALSE, 800},
      {"an empty name", "", SND_ASYNC | SND_NODEFAULT, FALSE, 800},
      {"a file claiming 2^28 frames", huge.c_str(), SND_ASYNC | SND_NODEFAULT, TRUE, 19},
      {"a pipe claiming 2^28 frames", pipe.c_str(), SND_ASYNC | SND_NODEFAULT, TRUE, 19},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    host.Reset();
    PlaySoundA(loop.c_str(), nullptr, SND_ASYNC | SND_LOOP);
    host.AdvanceClock(100);
    std::thread writer;
    if (c.name == pipe.c_str()) {
      writer = std::thread([&] { WriteWave(pipe, held, Frames(held), kPcm, claim); });
    }
    const std::size_t before = peak_bytes = live_bytes.load();
    EXPECT_EQ(PlaySoundA(c.name, nullptr, c.flags), c.result);
    EXPECT_LT(peak_bytes - before, kFewMegabytes);
    if (writer.joinable()) writer.join();
    EXPECT_EQ(sound::LastPlaySoundFailure().failure,
              c.result ? sound::Failure::kNone : sound::Failure::kFile);
    host.AdvanceClock(100);
    EXPECT_EQ(host.Audio().Frames(), c.heard);
    if (!c.result) {
      EXPECT_FALSE(PlaySoundA(c.name, nullptr, SND_SYNC));
      EXPECT_EQ(GetTickCount(), 200u);
    }
  }
}

// A new play replaces a loop, and rewriting its file while it plays changes
// nothing of what is heard.
TEST_F(PlaySound, ANewPlayReplacesALoopAndKeepsWhatItRead) {
  const Wave other{8000, 2, 8, 300};
  const std::string loop = Write("loop.wav", kShort);
  const std::string next = Write("next.wav", other);
  PlaySoundA(loop.c_str(), nullptr, SND_ASYNC | SND_LOOP);
  host.AdvanceClock(300);
  EXPECT_TRUE(PlaySoundA(next.c_str(), nullptr, SND_ASYNC));
  host.AdvanceClock(10);
  Write("next.wav", {8000, 1, 16, 100}, 5);
  host.AdvanceClock(300);
  const host::AudioRecording audio = host.Audio();
  EXPECT_EQ(audio.format, (host::AudioFormat{8000, 2, 8}));
  EXPECT_EQ(audio.bytes, Frames(other));
  EXPECT_EQ(audio.pulls.front().time, 300u);
}

// Without an output nothing plays and nothing waits, the host's reason is
// kept in code page 1251, and once the output is back a play works again.
TEST_F(PlaySound, WithNoOutputNothingPlaysNothingWaitsAndTheReasonIsKept) {
  const std::string path = Write("one.wav", kShort);
  PlaySoundA(path.c_str(), nullptr, SND_ASYNC | SND_LOOP);
  host.AdvanceClock(100);
  host.SetNoAudioOutput("устройство занято");
  for (const DWORD flags : {SND_ASYNC, SND_ASYNC | SND_LOOP, SND_SYNC}) {
    SCOPED_TRACE(flags);
    EXPECT_FALSE(PlaySoundA(path.c_str(), nullptr, flags));
    const sound::LastFailure failure = sound::LastPlaySoundFailure();
    EXPECT_EQ(failure.failure, sound::Failure::kOutput);
    EXPECT_EQ(failure.reason, "устройство занято"_cp1251);
  }
  host.AdvanceClock(100);
  EXPECT_EQ(GetTickCount(), 200u);       // the waiting play did not wait
  EXPECT_EQ(host.Audio().Frames(), 0u);  // and the loop was stopped
  host.SetNoAudioOutput(std::nullopt);
  EXPECT_TRUE(PlaySoundA(path.c_str(), nullptr, SND_ASYNC));
  EXPECT_EQ(sound::LastPlaySoundFailure().failure, sound::Failure::kNone);
  host.AdvanceClock(200);
  EXPECT_EQ(host.Audio().bytes, Frames(kShort));
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
