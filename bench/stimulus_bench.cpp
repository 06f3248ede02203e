// The wave writer against a plain sequential write of as many bytes, the
// one-write-per-sample writer it replaces, and one whole recalculation.
//
// Files go to $TAVRION_BENCH_DIR, or /tmp when it is not set.
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>
#include <platform/kernel.h>

#include "bench/bench_support.h"
#include "stimulus/recalculation.h"
#include "stimulus/wave_writer.h"

namespace {

// Both sides start from no file and no dirty pages, so neither pays for
// truncating the last file or for the write-back of the one before.
void FreshFile(benchmark::State& state, const std::string& file) {
  state.PauseTiming();
  ::unlink(file.c_str());
  ::sync();
  state.ResumeTiming();
}

constexpr std::int32_t kLongTrain = 1'000'000;  // 588,000,044 bytes

void BM_WaveWriter(benchmark::State& state) {
  const auto p = DefaultShape(static_cast<std::int32_t>(state.range(0)));
  const std::string file = BenchFile("tavrion-bench-writer.wav");
  for (auto _ : state) {
    FreshFile(state, file);
    if (!stimulus::WriteWaveFile(p, file, [](int) {}).ok) state.SkipWithError("write failed");
  }
  state.SetBytesProcessed(state.iterations() * (44 + std::int64_t{p.TotalSamples} * 4));
  ::unlink(file.c_str());
}
BENCHMARK(BM_WaveWriter)
    ->Arg(kLongTrain)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The yardstick: the same number of bytes from memory in 1 MiB pieces.
void BM_PlainWrite(benchmark::State& state) {
  const std::int64_t total = 44 + std::int64_t{state.range(0)} * 147 * 4;
  const std::vector<char> piece(1 << 20, 'x');
  const std::string file = BenchFile("tavrion-bench-plain.bin");
  for (auto _ : state) {
    FreshFile(state, file);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    for (std::int64_t left = total; left > 0;) {
      const auto n = static_cast<size_t>(std::min<std::int64_t>(left, piece.size()));
      if (::write(fd, piece.data(), n) != static_cast<ssize_t>(n)) state.SkipWithError("write");
      left -= static_cast<std::int64_t>(n);
    }
    ::close(fd);
  }
  state.SetBytesProcessed(state.iterations() * total);
  ::unlink(file.c_str());
}
BENCHMARK(BM_PlainWrite)
    ->Arg(kLongTrain)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

// The floor: every 2-byte sample handed to the system on its own.
void BM_SampleBySampleWrite(benchmark::State& state) {
  const auto p = DefaultShape(static_cast<std::int32_t>(state.range(0)));
  const std::string file = BenchFile("tavrion-bench-samples.wav");
  const std::int16_t high = 32767, low = 0;
  for (auto _ : state) {
    HANDLE h = CreateFileA(file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    char header[44] = {};
    DWORD done = 0;
    WriteFile(h, header, sizeof header, &done, nullptr);
    for (std::int32_t k = 0; k < p.Count; ++k) {
      for (std::int32_t i = 0; i < 2 * p.PulseSamples; ++i) WriteFile(h, &high, 2, &done, nullptr);
      for (std::int32_t i = 0; i < 2 * p.IntervalSamples; ++i)
        WriteFile(h, &low, 2, &done, nullptr);
    }
    CloseHandle(h);
  }
  state.SetBytesProcessed(state.iterations() * (44 + std::int64_t{p.TotalSamples} * 4));
  ::unlink(file.c_str());
}
BENCHMARK(BM_SampleBySampleWrite)
    ->Arg(2'000)
    ->Iterations(3)
    ->UseRealTime()
    ->Unit(benchmark::kMillisecond);

class BenchForm : public stimulus::StimulusForm, public stimulus::PreviewCanvas {
 public:
  std::string file = BenchFile("tavrion-bench-recalc.wav");
  std::string FieldText(stimulus::Field f) override {
    switch (f) {
      case stimulus::Field::Frequency:
        return "300";
      case stimulus::Field::SampleRate:
        return "44100";
      case stimulus::Field::Delay:
        return "0";
      case stimulus::Field::Duration:
        return "1000";
      case stimulus::Field::Count:
        return "5";
      case stimulus::Field::StimulusAmplitude:
        return "32767";
      case stimulus::Field::ZeroAmplitude:
        return "0";
      case stimulus::Field::FileName:
        return file;
    }
    return {};
  }
  void SetTrackBarPosition(stimulus::TrackBar, std::int32_t) override {}
  void ShowMessage(std::string_view) override { failed = true; }
  void SetProgress(int) override {}
  stimulus::PreviewCanvas& Preview() override { return *this; }
  int Width() override { return 485; }
  int Height() override { return 89; }
  void FillRect(int, int, int, int) override { ++calls; }
  void SetPenColor(std::int32_t) override { ++calls; }
  void SetPenStyle(stimulus::PenStyle) override { ++calls; }
  void MoveTo(int, int) override { ++calls; }
  void LineTo(int, int) override { ++calls; }
  bool failed = false;
  int calls = 0;
};

void BM_RecalculateDefaults(benchmark::State& state) {
  BenchForm form;
  stimulus::SharedParams shared;
  for (auto _ : state) stimulus::Recalculate(form, shared);
  if (form.failed) state.SkipWithError("recalculation refused");
  ::unlink(form.file.c_str());
}
BENCHMARK(BM_RecalculateDefaults)->Unit(benchmark::kMicrosecond);

}  // namespace
