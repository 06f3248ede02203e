// tavrion-wav playing through SDL's disk driver, which writes the bytes the
// device was given to a file: the train must reach it whole, once or back to
// back with no frame missing or extra, and a missing device must be said.
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/temp_dir.h"

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::size_t kHeaderBytes = 44;
constexpr std::size_t kFrameBytes = 4;

class Play : public testing::Test {
 protected:
  // Runs the program with SDL's audio driver `driver`; returns the exit code.
  int Wav(const std::string& driver, const std::string& options) {
    const std::string command = "SDL_AUDIODRIVER=" + driver + " SDL_DISKAUDIOFILE='" + device +
                                "' '" TAVRION_WAV "' --output '" + train + "' " + options +
                                " >/dev/null 2>'" + dir.File("err") + "'";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  std::string Err() const {
    const Bytes bytes = ReadBytes(dir.File("err"));
    return {bytes.begin(), bytes.end()};
  }

  TempDir dir;
  std::string device = dir.File("device.raw");
  std::string train = dir.File("train.wav");
};

bool Silent(const Bytes& bytes, std::size_t frame) {
  for (std::size_t i = 0; i < kFrameBytes; ++i) {
    if (bytes[frame * kFrameBytes + i] != 0) return false;
  }
  return true;
}

TEST_F(Play, TheDeviceGetsTheTrainWhole) {
  // A baseline of 1000, so every frame of the train differs from silence.
  const std::string kTrain = "--count 3 --amplitude 20000 --zero 1000";
  const struct {
    std::string options;
    std::size_t fewest_copies, most_copies;
  } cases[] = {
      {"--play", 1, 1},
      // 441 frames are 10 ms: a second holds about a hundred copies.
      {"--loop 1", 50, 200},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.options);
    ASSERT_EQ(Wav("disk", kTrain + " " + c.options), 0) << Err();
    const Bytes file = ReadBytes(train);
    const Bytes frames(file.begin() + kHeaderBytes, file.end());
    const std::size_t length = frames.size() / kFrameBytes;
    ASSERT_EQ(length, 441u);
    const Bytes played = ReadBytes(device);
    const std::size_t total = played.size() / kFrameBytes;

    std::size_t start = 0;
    while (start < total && Silent(played, start)) ++start;
    std::size_t end = start;
    while (end < total && !Silent(played, end)) {
      const std::size_t at = (end - start) % length;
      ASSERT_TRUE(std::equal(frames.begin() + at * kFrameBytes,
                             frames.begin() + (at + 1) * kFrameBytes,
                             played.begin() + end * kFrameBytes))
          << "frame " << end - start << " of the sound";
      ++end;
    }
    EXPECT_GE(end - start, c.fewest_copies * length);
    EXPECT_LE(end - start, c.most_copies * length);
    for (std::size_t frame = end; frame < total; ++frame) {
      ASSERT_TRUE(Silent(played, frame)) << "sound again at frame " << frame - start;
    }
  }
}

TEST_F(Play, NoDeviceIsSaidOnceAndFails) {
  EXPECT_EQ(Wav("nonexistent", "--play"), 3);
  const std::string err = Err();
  const std::string reason = "tavrion: no sound output (";
  const std::size_t at = err.find(reason);
  ASSERT_NE(at, std::string::npos) << err;
  EXPECT_EQ(err.find(reason, at + 1), std::string::npos) << err;
  EXPECT_NE(err.find("was written but could not be played\n"), std::string::npos) << err;
  EXPECT_EQ(ReadBytes(train).size(), 44u + 735u * 4u);
}

}  // namespace
