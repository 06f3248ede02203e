// PlaySoundA: a sound file read whole when asked for and handed to the host's
// audio output; one sound plays at a time.
#include "play_sound.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include <platform/codepage.h>
#include <platform/sound.h>
#include <platform/sound_failure.h>

#include "../host/host.h"
#include "sound_file.h"

namespace sound {

namespace {

constexpr std::uint64_t kMillisecondsPerSecond = 1000;
// A device may start late, or take its frames a little slower than the host's
// clock runs; a waiting play gives it this long beyond the sound's length to
// take the last frame before the sound is stopped, and checks this often.
constexpr std::uint64_t kLateDeviceMilliseconds = 1000;
constexpr std::uint64_t kLateDevicePollMilliseconds = 5;

// A sound as it plays. Once handed to the host only its audio side touches
// `position_`; the host's StartAudio and StopAudio order that against the
// program's thread.
class Playing final : public host::AudioSource {
 public:
  Playing(std::string name, SoundData data, bool loop)
      : name_(std::move(name)), data_(std::move(data)), loop_(loop) {}

  const std::string& Name() const { return name_; }
  const host::AudioFormat& Format() const { return data_.format; }
  // Whole milliseconds, rounded up, so that the whole sound has been given
  // when they have passed.
  std::uint64_t Duration() const {
    const auto rate = static_cast<std::uint64_t>(data_.format.sample_rate);
    return (data_.frames * kMillisecondsPerSecond + rate - 1) / rate;
  }

  std::size_t Fill(void* out, std::size_t frames) override {
    auto* to = static_cast<std::uint8_t*>(out);
    const std::size_t frame_bytes = data_.format.FrameBytes();
    std::size_t written = 0;
    while (written < frames && data_.frames > 0) {
      if (position_ == data_.frames) {
        if (!loop_) break;
        position_ = 0;
      }
      const std::size_t count = std::min(frames - written, data_.frames - position_);
      std::memcpy(to + written * frame_bytes, data_.bytes.data() + position_ * frame_bytes,
                  count * frame_bytes);
      position_ += count;
      written += count;
    }
    if (!loop_ && position_ == data_.frames) handed_all_.store(true, std::memory_order_release);
    return written;
  }

  // Whether the output has taken the last frame of a sound played once; any
  // thread may ask.
  bool HandedAll() const {
    return data_.frames == 0 || handed_all_.load(std::memory_order_acquire);
  }

 private:
  std::string name_;
  SoundData data_;
  bool loop_;
  std::size_t position_ = 0;
  std::atomic<bool> handed_all_{false};
};

struct Player {
  std::mutex mutex;
  // Notified with each start and stop, which end a waiting SND_SYNC play.
  std::condition_variable changed;
  std::uint64_t generation = 0;
  std::unique_ptr<Playing> playing;
};

// Each thread's last failure, as the last error is each thread's.
thread_local LastFailure last_failure;

BOOL Fail(Failure failure, std::string reason = {}) {
  last_failure = {failure, std::move(reason)};
  return FALSE;
}

Player& State() {
  // Never destroyed: a detached thread may still play while the process ends.
  static Player* const player = new Player();
  return *player;
}

// With the player's lock held: `next`, or nothing, is what plays from now on.
// The old sound is freed only once the host has let go of it.
void Replace(Player& player, std::unique_ptr<Playing> next) {
  if (!next && player.playing) host::Current().StopAudio();
  player.playing = std::move(next);
  ++player.generation;
  player.changed.notify_all();
}

// With the player's lock held. False, with the host's reason, when the host
// has no output for `next`: then nothing plays at all, and nothing is kept as
// playing.
bool Start(Player& player, std::unique_ptr<Playing> next, std::string& reason) {
  const bool started = host::Current().StartAudio(next->Format(), next.get(), reason);
  Replace(player, started ? std::move(next) : nullptr);
  return started;
}

}  // namespace

LastFailure LastPlaySoundFailure() {
  return last_failure;
}

void ResetSound() {
  Player& player = State();
  const std::lock_guard lock(player.mutex);
  Replace(player, nullptr);
}

}  // namespace sound

BOOL PlaySoundA(LPCSTR name, HMODULE, DWORD flags) {
  sound::Player& player = sound::State();
  sound::last_failure = {};
  if (name == nullptr) {
    sound::ResetSound();
    return TRUE;
  }
  if ((flags & SND_PURGE) != 0) {
    std::lock_guard lock(player.mutex);
    if (player.playing && player.playing->Name() == name) sound::Replace(player, nullptr);
    return TRUE;
  }

  // FIXME: names of system sounds ("SystemAsterisk" ...), SND_RESOURCE and
  // SND_MEMORY are not supported; every name is a file name.
  // Read before taking the lock: what plays goes on while the file loads.
  std::optional<sound::SoundData> data = sound::ReadSoundFile(codepage::Cp1251ToUtf8(name));
  std::unique_lock lock(player.mutex);
  if (!data) {
    // The desktop stops what plays and would play its default sound; there is
    // none here, so nothing plays.
    sound::Replace(player, nullptr);
    return sound::Fail(sound::Failure::kFile);
  }
  // A loop needs SND_ASYNC; a waiting play plays once.
  const bool loop = (flags & SND_ASYNC) != 0 && (flags & SND_LOOP) != 0;
  auto next = std::make_unique<sound::Playing>(name, std::move(*data), loop);
  const std::uint64_t duration = next->Duration();
  const sound::Playing* const sound = next.get();
  std::string reason;
  if (!sound::Start(player, std::move(next), reason)) {
    return sound::Fail(sound::Failure::kOutput, codepage::Utf8ToCp1251Lossy(reason));
  }
  if ((flags & SND_ASYNC) != 0) return TRUE;

  host::Host& host = host::Current();
  const std::uint64_t mine = player.generation;
  // `sound` is alive as long as nothing replaced it.
  const auto replaced = [&] { return player.generation != mine; };
  const std::uint64_t start = host.Now();
  host.WaitUntil(lock, player.changed, start + duration, replaced);
  // Stopping before the output took the last frame would cut the end off.
  const std::uint64_t give_up = start + duration + sound::kLateDeviceMilliseconds;
  while (!replaced() && !sound->HandedAll() && host.Now() < give_up) {
    host.WaitUntil(lock, player.changed,
                   std::min(host.Now() + sound::kLateDevicePollMilliseconds, give_up), replaced);
  }
  if (!replaced()) sound::Replace(player, nullptr);
  return TRUE;
}
