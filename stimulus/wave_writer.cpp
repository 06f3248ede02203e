#include "stimulus/wave_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <numeric>

#include <platform/kernel.h>

#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace stimulus {

namespace {

constexpr std::size_t kHeaderBytes = 44;
constexpr std::size_t kFrameBytes = 4;

void PutU16(unsigned char* at, std::uint16_t v) {
  at[0] = static_cast<unsigned char>(v);
  at[1] = static_cast<unsigned char>(v >> 8);
}

void PutU32(unsigned char* at, std::uint32_t v) {
  PutU16(at, static_cast<std::uint16_t>(v));
  PutU16(at + 2, static_cast<std::uint16_t>(v >> 16));
}

void PutHeader(unsigned char* h, const StimulusParams& p) {
  const std::uint32_t data_bytes = static_cast<std::uint32_t>(p.TotalSamples) * kFrameBytes;
  std::memcpy(h, "RIFF", 4);
  PutU32(h + 4, data_bytes + 36);
  std::memcpy(h + 8, "WAVEfmt ", 8);
  PutU32(h + 16, 16);
  PutU16(h + 20, 1);
  PutU16(h + 22, 2);
  PutU32(h + 24, static_cast<std::uint32_t>(p.SampleRate));
  PutU32(h + 28, static_cast<std::uint32_t>(p.SampleRate) * kFrameBytes);
  PutU16(h + 32, kFrameBytes);
  PutU16(h + 34, 16);
  std::memcpy(h + 36, "data", 4);
  PutU32(h + 40, data_bytes);
}

// One frame, both channels the same sample, as it lies in the file.
std::uint32_t FramePattern(std::int32_t amplitude) {
  unsigned char bytes[kFrameBytes];
  const auto sample = static_cast<std::uint16_t>(ClampSample(amplitude));
  PutU16(bytes, sample);
  PutU16(bytes + 2, sample);
  std::uint32_t pattern;
  std::memcpy(&pattern, bytes, sizeof pattern);
  return pattern;
}

// The system copies a write fastest when the bytes lie in memory as they
// will lie in the file's pages, to the byte within a cache line. Every write
// after the header starts 44 bytes into a line, and so do the frames.
constexpr std::size_t kLineFrames = 64 / kFrameBytes;
std::uint32_t* FirstFrame(std::uint32_t* storage) {
  const auto address = reinterpret_cast<std::uintptr_t>(storage);
  const std::uintptr_t line = (address + 63) / 64 * 64;
  return reinterpret_cast<std::uint32_t*>(line + kHeaderBytes % 64);
}

// Hands repeated frames to the file from one buffer of at most
// kWriteBufferBytes. The train is the same period over and over, so the
// buffer is filled once with as many whole periods as fit and then written as
// often as needed; memory stays the same however long the train.
class FrameWriter {
 public:
  FrameWriter(HANDLE file, std::int64_t needed_frames)
      : file_(file),
        capacity_(static_cast<std::size_t>(
            std::min<std::int64_t>(needed_frames, kWriteBufferBytes / kFrameBytes))),
        storage_(new std::uint32_t[capacity_ + kLineFrames * 2]),
        frames_(FirstFrame(storage_.get())) {}

  std::size_t capacity() const { return capacity_; }

  bool WriteBytes(const void* bytes, std::size_t size) {
    DWORD written = 0;
    return WriteFile(file_, bytes, static_cast<DWORD>(size), &written, nullptr) && written == size;
  }

  // Fills the buffer with `periods` copies of (pulse frames, gap frames).
  void FillPeriods(std::uint32_t pulse, std::int64_t pulse_frames, std::uint32_t gap,
                   std::int64_t gap_frames, std::size_t periods) {
    std::uint32_t* at = frames_;
    for (std::size_t i = 0; i < periods; ++i) {
      at = std::fill_n(at, pulse_frames, pulse);
      at = std::fill_n(at, gap_frames, gap);
    }
  }

  bool WriteBuffered(std::int64_t frames) {
    return WriteBytes(frames_, static_cast<std::size_t>(frames) * kFrameBytes);
  }

  // Writes `count` frames of one value, a buffer at a time.
  bool WriteRun(std::uint32_t pattern, std::int64_t count) {
    const auto filled = static_cast<std::size_t>(std::min<std::int64_t>(count, capacity_));
    std::fill_n(frames_, filled, pattern);
    for (; count > 0; count -= static_cast<std::int64_t>(filled)) {
      if (!WriteBuffered(std::min<std::int64_t>(count, filled))) return false;
    }
    return true;
  }

 private:
  HANDLE file_;
  std::size_t capacity_;
  std::unique_ptr<std::uint32_t[]> storage_;
  std::uint32_t* frames_;
};

// Writes the frames of all pulses, reporting progress after each pulse has
// been handed over; false when a write fails.
bool WriteTrain(FrameWriter& out, const StimulusParams& p,
                const std::function<void(int)>& progress) {
  const std::uint32_t pulse = FramePattern(p.StimulusAmplitude);
  const std::uint32_t gap = FramePattern(p.ZeroAmplitude);
  const std::int64_t period = std::int64_t{p.PulseSamples} + p.IntervalSamples;
  const auto report = [&](std::int64_t k) {
    progress(static_cast<int>(k * period * 100 / p.TotalSamples));
  };

  if (period <= static_cast<std::int64_t>(out.capacity())) {
    // Periods a write in multiples of `unit`, so that a write is whole
    // lines long and the next one starts where this one did within a line.
    const std::int64_t unit =
        static_cast<std::int64_t>(kLineFrames) / std::gcd(period, std::int64_t{kLineFrames});
    const std::int64_t fit = static_cast<std::int64_t>(out.capacity()) / period;
    const std::int64_t per_buffer = fit >= unit ? fit / unit * unit : fit;
    out.FillPeriods(pulse, p.PulseSamples, gap, p.IntervalSamples,
                    static_cast<std::size_t>(std::min<std::int64_t>(per_buffer, p.Count)));
    for (std::int64_t done = 0; done < p.Count;) {
      const std::int64_t batch = std::min<std::int64_t>(per_buffer, p.Count - done);
      if (!out.WriteBuffered(batch * period)) return false;
      for (const std::int64_t end = done + batch; done < end;) report(++done);
    }
    return true;
  }
  // Periods longer than the buffer: each run of equal frames on its own.
  for (std::int64_t k = 1; k <= p.Count; ++k) {
    if (!out.WriteRun(pulse, p.PulseSamples) || !out.WriteRun(gap, p.IntervalSamples)) {
      return false;
    }
    report(k);
  }
  return true;
}

}  // namespace

WriteOutcome WriteWaveFile(const StimulusParams& params, std::string_view file_name,
                           const std::function<void(int)>& progress) {
  StimulusParams p = params;
  if (!PassesGate(p)) return {false, false, LoadResString(SInvalidTrain)};
  if (auto refusal = DeriveAndCheck(p)) return {false, false, std::move(*refusal)};
  const std::string name(file_name);
  // The file is written over in place and cut to its new length at the end:
  // some file systems write a file that was emptied first back to disk when
  // it is closed, which costs more than the train itself.
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {false, false, "Can't create file: " + name};

  FrameWriter out(file, p.TotalSamples);
  unsigned char header[kHeaderBytes];
  PutHeader(header, p);
  bool ok =
      out.WriteBytes(header, sizeof header) && WriteTrain(out, p, progress) && SetEndOfFile(file);
  ok = CloseHandle(file) && ok;
  progress(0);
  if (!ok) return {false, true, "Can't write file: " + name};
  return {true, false, {}};
}

}  // namespace stimulus
