// The sound output side of the host: PCM frames pulled as the output plays.
#pragma once

#include <cstddef>
#include <string>

namespace host {

// The layout of the PCM frames a sound hands the host: interleaved samples,
// 8-bit unsigned or 16-bit signed in the machine's byte order.
struct AudioFormat {
  int sample_rate = 0;  // frames per second
  int channels = 0;
  int bits_per_sample = 0;  // 8 or 16

  std::size_t FrameBytes() const {
    return static_cast<std::size_t>(channels) * static_cast<std::size_t>(bits_per_sample / 8);
  }
  bool operator==(const AudioFormat&) const = default;
};

// What a playing sound gives the host. Fill is called on the host's audio
// side (a real host's device callback), so it must never block or allocate.
class AudioSource {
 public:
  virtual ~AudioSource() = default;
  // Writes up to `frames` frames to `out` and returns how many it wrote:
  // fewer only once the sound has ended.
  virtual std::size_t Fill(void* out, std::size_t frames) = 0;
};

class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  // From StartAudio on, the output pulls `source`'s frames as it plays them,
  // until StopAudio or the next StartAudio, which replaces the source. Once
  // either returns the output no longer calls the old source, so its owner
  // may free it. Returns false, having played nothing, when there is no
  // output to play on (no device, or it refuses the format), with the
  // output's words for why in `reason` (UTF-8; empty when it has none).
  virtual bool StartAudio(const AudioFormat& /* format */, AudioSource* /* source */,
                          std::string& /* reason */) {
    return false;
  }
  virtual void StopAudio() {}
};

}  // namespace host
