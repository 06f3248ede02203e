// The sound device output on SDL's disk driver, which writes what the
// callback gave the device to a file: the buffer size, 8-bit silence, that
// a stopped source is not called again, and SDL's reason when there is no
// device. tavrion-wav's tests play trains on it.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/host/sdl/sdl_audio.h"
#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Gives `frames` once, then ends; counts the calls.
class Source : public host::AudioSource {
 public:
  Source(Bytes frames, std::size_t frame_bytes)
      : bytes_(std::move(frames)), frame_bytes_(frame_bytes) {}

  std::size_t Fill(void* out, std::size_t frames) override {
    asked = frames;
    const std::size_t count = std::min(frames, (bytes_.size() - position_) / frame_bytes_);
    std::memcpy(out, bytes_.data() + position_, count * frame_bytes_);
    position_ += count * frame_bytes_;
    ++calls;
    return count;
  }

  std::atomic<std::size_t> asked{0};
  std::atomic<int> calls{0};

 private:
  Bytes bytes_;
  std::size_t frame_bytes_;
  std::size_t position_ = 0;
};

// The disk driver takes a buffer every buffer's length of real time.
void WaitForCalls(const Source& source, int calls) {
  for (int i = 0; i < 2000 && source.calls < calls; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

class SdlAudio : public testing::Test {
 protected:
  void SetUp() override {
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", device.c_str(), 1);
  }
  TempDir dir;
  std::string device = dir.File("device.raw");
};

TEST_F(SdlAudio, BuffersHoldAboutTenMillisecondsAndAStoppedSourceIsLetGo) {
  const std::pair<int, std::size_t> cases[] = {
      {44100, 512}, {48000, 512}, {22050, 256}, {8000, 64}, {96000, 1024}};
  host::SdlAudioOutput output;
  for (const auto& [rate, frames] : cases) {
    SCOPED_TRACE(rate);
    Source source(Bytes(40000, 0x11), 4);
    std::string reason;
    ASSERT_TRUE(output.StartAudio({rate, 2, 16}, &source, reason)) << reason;
    WaitForCalls(source, 1);
    EXPECT_EQ(source.asked, frames);
    output.StopAudio();
    const int calls = source.calls;
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    EXPECT_EQ(source.calls, calls);
  }
}

// 8-bit sound is unsigned: its silence is 0x80, not 0.
TEST_F(SdlAudio, After8BitSoundTheDeviceGets0x80) {
  {
    Source source(Bytes(10, 0x11), 1);
    host::SdlAudioOutput output;  // closed first, then the source goes
    std::string reason;
    ASSERT_TRUE(output.StartAudio({8000, 1, 8}, &source, reason)) << reason;
    WaitForCalls(source, 3);
  }
  Bytes expected(10, 0x11);
  Bytes played = ReadBytes(device);
  // SDL gives a paused device silence too: a slow start may put some first.
  played.erase(played.begin(), std::find_if(played.begin(), played.end(),
                                            [](std::uint8_t b) { return b != 0x80; }));
  ASSERT_GT(played.size(), expected.size());
  expected.resize(played.size(), 0x80);
  EXPECT_EQ(played, expected);
}

// Without a device nothing is called, and SDL's reason is handed on.
TEST_F(SdlAudio, WithoutADeviceStartFailsWithSdlsReason) {
  const std::tuple<const char*, host::AudioFormat, const char*> cases[] = {
      {"nosuchdriver", {44100, 2, 16}, "nosuchdriver"}, {"disk", {44100, 2, 24}, "24-bit sound"}};
  for (const auto& [driver, format, said] : cases) {
    SCOPED_TRACE(driver);
    setenv("SDL_AUDIODRIVER", driver, 1);
    host::SdlAudioOutput output;
    Source source(Bytes(40, 0x11), 4);
    std::string reason;
    EXPECT_FALSE(output.StartAudio(format, &source, reason));
    EXPECT_NE(reason.find(said), std::string::npos) << reason;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    EXPECT_EQ(source.calls, 0);
  }
}

}  // namespace
