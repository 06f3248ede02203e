#include "sdl_audio.h"

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>

namespace host {

namespace {

// Buffers the device is given to play out before it closes: SDL waits for
// two, and the sound server keeps about one more of its own.
constexpr int kDrainBuffers = 4;
constexpr int kMillisecondsPerSecond = 1000;

// Each complaint is said once per process: a program that plays many times
// should not repeat the same line at every play.
std::atomic_flag said_no_output = ATOMIC_FLAG_INIT;
std::atomic_flag said_rate = ATOMIC_FLAG_INIT;

// SDL's reason for having no output, said on standard error the first time.
bool NoOutput(std::string& reason) {
  reason = SDL_GetError();
  if (!said_no_output.test_and_set()) {
    std::fprintf(stderr, "tavrion: no sound output (%s); nothing is played\n", reason.c_str());
  }
  return false;
}

void SayRate(int device_rate, int sound_rate) {
  if (said_rate.test_and_set()) return;
  std::fprintf(stderr,
               "tavrion: the sound device runs at %d Hz, not %d Hz; the sound server "
               "resamples and the pulse edges ring\n",
               device_rate, sound_rate);
}

// The rate the default device runs at, as the sound server tells it, or 0
// when the driver does not say. A server takes a stream at any rate and
// resamples it to its own, so opening the device shows no difference.
int ServerRate() {
  char* name = nullptr;
  SDL_AudioSpec spec{};
  if (SDL_GetDefaultAudioInfo(&name, &spec, 0) != 0) return 0;
  SDL_free(name);
  return spec.freq;
}

}  // namespace

int DeviceBufferFrames(int sample_rate) {
  const int target = std::max(1, sample_rate / 100);
  int below = 1;
  while (below * 2 <= target && below < 16384) below *= 2;
  const int above = below * 2;
  return target - below <= above - target ? below : above;
}

SdlAudioOutput::~SdlAudioOutput() {
  const std::lock_guard guard(mutex_);
  if (device_ != 0) {
    SDL_LockAudioDevice(device_);
    source_ = nullptr;
    SDL_UnlockAudioDevice(device_);
    // Closing drops what the device holds, which may be the end of a sound.
    SDL_Delay(static_cast<Uint32>(kDrainBuffers * buffer_frames_ * kMillisecondsPerSecond /
                                  format_.sample_rate));
    Close();
  }
  if (subsystem_) SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioOutput::Callback(void* self, std::uint8_t* stream, int length) {
  auto& output = *static_cast<SdlAudioOutput*>(self);
  const auto bytes = static_cast<std::size_t>(length);
  const std::size_t frames = bytes / output.frame_bytes_;
  std::size_t given = 0;
  if (output.source_ != nullptr) given = std::min(frames, output.source_->Fill(stream, frames));
  const std::size_t filled = given * output.frame_bytes_;
  std::memset(stream + filled, output.silence_, bytes - filled);
}

bool SdlAudioOutput::StartAudio(const AudioFormat& format, AudioSource* source,
                                std::string& reason) {
  const std::lock_guard guard(mutex_);
  if (!subsystem_) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return NoOutput(reason);
    subsystem_ = true;
  }
  // A device that went away stays open but plays nowhere; open it again.
  if (device_ == 0 || format != format_ || SDL_GetAudioDeviceStatus(device_) == SDL_AUDIO_STOPPED) {
    Close();
    if (!OpenFor(format, reason)) return false;
  }
  SDL_LockAudioDevice(device_);
  source_ = source;
  SDL_UnlockAudioDevice(device_);
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void SdlAudioOutput::StopAudio() {
  const std::lock_guard guard(mutex_);
  if (device_ == 0) return;
  // The device goes on with silence, so the frames it holds still play and
  // the next sound starts within a buffer.
  SDL_LockAudioDevice(device_);
  source_ = nullptr;
  SDL_UnlockAudioDevice(device_);
}

bool SdlAudioOutput::OpenFor(const AudioFormat& format, std::string& reason) {
  if (format.sample_rate <= 0 || format.channels <= 0 || format.channels > 8 ||
      (format.bits_per_sample != 8 && format.bits_per_sample != 16)) {
    SDL_SetError("%d-bit sound with %d channels at %d Hz cannot be played", format.bits_per_sample,
                 format.channels, format.sample_rate);
    return NoOutput(reason);
  }
  SDL_AudioSpec wanted{};
  wanted.freq = format.sample_rate;
  wanted.format = format.bits_per_sample == 8 ? AUDIO_U8 : AUDIO_S16SYS;
  wanted.channels = static_cast<Uint8>(format.channels);
  wanted.samples = static_cast<Uint16>(DeviceBufferFrames(format.sample_rate));
  wanted.callback = &SdlAudioOutput::Callback;
  wanted.userdata = this;
  // The callback reads these only once the device runs.
  frame_bytes_ = format.FrameBytes();
  silence_ = format.bits_per_sample == 8 ? 0x80 : 0;

  // Asked first to keep its own rate, the device tells whether it can run at
  // the sound's; if not, SDL converts, and the edges of the pulses suffer.
  SDL_AudioSpec obtained{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, SDL_AUDIO_ALLOW_FREQUENCY_CHANGE);
  if (device_ != 0 && obtained.freq != wanted.freq) {
    SDL_CloseAudioDevice(device_);
    SayRate(obtained.freq, wanted.freq);
    device_ = SDL_OpenAudioDevice(nullptr, 0, &wanted, &obtained, 0);
  } else if (device_ != 0) {
    const int server_rate = ServerRate();
    if (server_rate > 0 && server_rate != wanted.freq) SayRate(server_rate, wanted.freq);
  }
  if (device_ == 0) return NoOutput(reason);
  format_ = format;
  buffer_frames_ = wanted.samples;
  return true;
}

void SdlAudioOutput::Close() {
  if (device_ != 0) SDL_CloseAudioDevice(device_);
  device_ = 0;
  source_ = nullptr;
}

}  // namespace host
