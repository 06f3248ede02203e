// Reading a sound file whole into PCM frames the host can play.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "../host/host.h"

namespace sound {

struct SoundData {
  host::AudioFormat format;
  std::vector<std::uint8_t> bytes;  // the frames, back to back
  std::size_t frames = 0;
};

// The RIFF/WAVE file at `utf8Path` in its own rate and channels: 8-bit samples
// as 8-bit unsigned, anything wider as 16-bit. Nothing when it cannot be opened
// or read, or holds another format or compressed samples.
std::optional<SoundData> ReadSoundFile(const std::string& utf8Path);

}  // namespace sound
