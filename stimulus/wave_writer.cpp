#include "stimulus/wave_writer.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>

#include <platform/kernel.h>

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

// Collects the file's bytes in one buffer and hands it to the file whenever it
// is full, so memory stays the same however long the train.
class BufferedFile {
 public:
  BufferedFile(HANDLE file, std::size_t capacity_frames)
      : file_(file), frames_(new std::uint32_t[capacity_frames]), capacity_(capacity_frames) {}

  unsigned char* Bytes() { return reinterpret_cast<unsigned char*>(frames_.get()); }

  // The header occupies the first frames' worth of bytes (44 = 11 x 4).
  void AddHeader(const StimulusParams& p) {
    PutHeader(Bytes(), p);
    used_ = kHeaderBytes / kFrameBytes;
  }

  bool AddFrames(std::uint32_t pattern, std::int64_t count) {
    while (count > 0) {
      if (used_ == capacity_ && !Flush()) return false;
      const auto n = static_cast<std::size_t>(std::min<std::int64_t>(count, capacity_ - used_));
      std::fill_n(frames_.get() + used_, n, pattern);
      used_ += n;
      count -= static_cast<std::int64_t>(n);
    }
    return true;
  }

  bool Flush() {
    const auto bytes = static_cast<DWORD>(used_ * kFrameBytes);
    DWORD written = 0;
    const bool ok = WriteFile(file_, Bytes(), bytes, &written, nullptr) && written == bytes;
    used_ = 0;
    return ok;
  }

 private:
  HANDLE file_;
  std::unique_ptr<std::uint32_t[]> frames_;
  std::size_t capacity_;
  std::size_t used_ = 0;
};

static_assert(kHeaderBytes % kFrameBytes == 0);

}  // namespace

WriteOutcome WriteWaveFile(const StimulusParams& p, std::string_view file_name,
                           const std::function<void(int)>& progress) {
  const std::string name(file_name);
  HANDLE file = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {false, "Can't create file: " + name};

  const std::int64_t file_frames = std::int64_t{p.TotalSamples} + kHeaderBytes / kFrameBytes;
  BufferedFile out(file, static_cast<std::size_t>(
                             std::min<std::int64_t>(file_frames, kWriteBufferBytes / kFrameBytes)));
  out.AddHeader(p);
  const std::uint32_t pulse = FramePattern(p.StimulusAmplitude);
  const std::uint32_t gap = FramePattern(p.ZeroAmplitude);
  const std::int64_t period = std::int64_t{p.PulseSamples} + p.IntervalSamples;

  bool ok = true;
  for (std::int64_t k = 1; ok && k <= p.Count; ++k) {
    ok = out.AddFrames(pulse, p.PulseSamples) && out.AddFrames(gap, p.IntervalSamples);
    if (ok) progress(static_cast<int>(k * period * 100 / p.TotalSamples));
  }
  ok = ok && out.Flush();
  ok = CloseHandle(file) && ok;
  progress(0);
  if (!ok) return {false, "Can't write file: " + name};
  return {true, {}};
}

}  // namespace stimulus
