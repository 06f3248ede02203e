// From PlaySoundA(SND_ASYNC) to the first frame handed to the output: on the
// headless recorder (virtual milliseconds until the first pull) and on SDL's
// disk driver (wall time until the device callback first asks the sound).
// Both include reading the file; the form's train of 5 pulses is played.
#include <atomic>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <platform/headless.h>
#include <platform/sound.h>

#include "bench/bench_support.h"
#include "platform/host/real_time_host.h"
#include "platform/host/sdl/sdl_audio.h"
#include "stimulus/wave_writer.h"

namespace {

using Clock = std::chrono::steady_clock;

std::string TrainFile() {
  const std::string file = BenchFile("tavrion-bench-audio.wav");
  stimulus::WriteWaveFile(DefaultShape(5), file, [](int) {});
  return file;
}

void BM_HeadlessStartToFirstPull(benchmark::State& state) {
  const std::string file = TrainFile();
  host::HeadlessHost& headless = host::Headless();
  std::uint64_t virtual_ms = 0;
  for (auto _ : state) {
    headless.Reset();
    PlaySoundA(file.c_str(), nullptr, SND_ASYNC);
    const std::uint64_t start = headless.Now();
    while (headless.Audio().pulls.empty()) headless.AdvanceClock(1);
    virtual_ms = headless.Audio().pulls.front().time - start;
  }
  headless.Reset();
  state.counters["virtual_ms"] = static_cast<double>(virtual_ms);
}
BENCHMARK(BM_HeadlessStartToFirstPull)->Unit(benchmark::kMicrosecond);

// Notes when the device first asks the sound for frames.
class FirstFill final : public host::AudioSource {
 public:
  void Watch(host::AudioSource* sound) {
    sound_ = sound;
    asked_.store(Clock::time_point{}, std::memory_order_release);
  }
  std::size_t Fill(void* out, std::size_t frames) override {
    if (asked_.load(std::memory_order_relaxed) == Clock::time_point{}) {
      asked_.store(Clock::now(), std::memory_order_release);
    }
    return sound_->Fill(out, frames);
  }
  Clock::time_point Asked() const { return asked_.load(std::memory_order_acquire); }

 private:
  host::AudioSource* sound_ = nullptr;
  std::atomic<Clock::time_point> asked_{};
};

// The SDL output with each sound seen through FirstFill.
class WatchedOutput final : public host::AudioOutput {
 public:
  bool StartAudio(const host::AudioFormat& format, host::AudioSource* source,
                  std::string& reason) override {
    device_.StopAudio();
    watch_.Watch(source);
    return device_.StartAudio(format, &watch_, reason);
  }
  void StopAudio() override { device_.StopAudio(); }
  const FirstFill& Watch() const { return watch_; }

 private:
  FirstFill watch_;
  host::SdlAudioOutput device_;
};

// Plays and returns the seconds until the device first asked for frames.
double StartToFirstFill(const std::string& file, const WatchedOutput& output) {
  const Clock::time_point start = Clock::now();
  PlaySoundA(file.c_str(), nullptr, SND_ASYNC);
  while (output.Watch().Asked() == Clock::time_point{}) std::this_thread::yield();
  const std::chrono::duration<double> latency = output.Watch().Asked() - start;
  PlaySoundA(nullptr, nullptr, SND_PURGE);
  return latency.count();
}

// The device opened by the first sound, then kept open: the first play pays
// for opening it, the later ones wait for its next buffer. A random pause
// before each play spreads the starts over the device's buffer, which the
// plays would otherwise follow right after.
void BM_DiskDeviceStartToFirstFill(benchmark::State& state) {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", "/dev/null", 1);
  const std::string file = TrainFile();
  auto output = std::make_unique<WatchedOutput>();
  const WatchedOutput& watched = *output;
  host::RealTimeHost real_time(std::move(output));
  host::Install(&real_time);
  const double opening = StartToFirstFill(file, watched);
  std::minstd_rand random;
  std::uniform_int_distribution<int> pause_us(0, 12000);
  for (auto _ : state) {
    std::this_thread::sleep_for(std::chrono::microseconds(pause_us(random)));
    state.SetIterationTime(StartToFirstFill(file, watched));
  }
  host::Install(nullptr);
  state.counters["first_play_ms"] = opening * 1000;
}
BENCHMARK(BM_DiskDeviceStartToFirstFill)->UseManualTime()->Unit(benchmark::kMillisecond);

}  // namespace
