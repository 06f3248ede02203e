// The sound device through SDL: the host's audio output on real hardware.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "../audio_output.h"

namespace host {

// Frames per device buffer at `sample_rate`: the power of two nearest a
// hundredth of a second (512 at 44100 Hz), so a new sound reaches the device
// within about 10 ms and a buffer is still large enough not to run dry.
int DeviceBufferFrames(int sample_rate);

// Plays on the default sound device. The audio subsystem is started on the
// first StartAudio, and the device is opened at the sound's own rate, sample
// width and channels; it stays open, giving silence between sounds, and is
// opened again only for a sound in another format.
class SdlAudioOutput final : public AudioOutput {
 public:
  SdlAudioOutput() = default;
  // Lets the device play out the frames it already holds, then closes it.
  ~SdlAudioOutput() override;
  SdlAudioOutput(const SdlAudioOutput&) = delete;
  SdlAudioOutput& operator=(const SdlAudioOutput&) = delete;

  // False, with SDL's reason and after one line on standard error (the first
  // time in the process), when there is no device to play on.
  bool StartAudio(const AudioFormat& format, AudioSource* source, std::string& reason) override;
  void StopAudio() override;

 private:
  static void Callback(void* self, std::uint8_t* stream, int length);
  // With mutex_ held: the device open for `format`, or false with SDL's reason.
  bool OpenFor(const AudioFormat& format, std::string& reason);
  void Close();

  // Orders StartAudio and StopAudio of different threads.
  std::mutex mutex_;
  bool subsystem_ = false;
  std::uint32_t device_ = 0;  // an SDL_AudioDeviceID; 0 when closed
  AudioFormat format_;
  int buffer_frames_ = 0;
  // Read by the callback; written only under the device's lock, so that once
  // the lock is released the callback no longer sees the old source.
  AudioSource* source_ = nullptr;
  std::size_t frame_bytes_ = 0;
  std::uint8_t silence_ = 0;
};

}  // namespace host
