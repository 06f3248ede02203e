// Sound files are read with libsndfile, whole, when a sound is asked for.
#include "sound_file.h"

#include <algorithm>
#include <cstring>
#include <fstream>
#include <memory>
#include <new>
#include <vector>

#include <sys/stat.h>

#include <sndfile.h>

namespace sound {

namespace {

constexpr int kNarrowSampleBits = 8;
constexpr int kWideSampleBits = 16;
// A 16-bit sample's upper byte, shifted to unsigned: the 8-bit sample.
constexpr int kNarrowShift = 8;
constexpr int kNarrowMidpoint = 128;

struct CloseFile {
  void operator()(SNDFILE* file) const { sf_close(file); }
};

// What the desktop plays: a RIFF/WAVE file of PCM or floating-point samples.
// libsndfile would read many more, which the desktop refuses.
bool IsWave(int format) {
  const int container = format & SF_FORMAT_TYPEMASK;
  switch (format & SF_FORMAT_SUBMASK) {
    case SF_FORMAT_PCM_U8:
    case SF_FORMAT_PCM_16:
    case SF_FORMAT_PCM_24:
    case SF_FORMAT_PCM_32:
    case SF_FORMAT_FLOAT:
      return container == SF_FORMAT_WAV || container == SF_FORMAT_WAVEX;
    default:
      return false;
  }
}

bool IsNarrow(int format) {
  const int subtype = format & SF_FORMAT_SUBMASK;
  return subtype == SF_FORMAT_PCM_U8 || subtype == SF_FORMAT_PCM_S8;
}

// Samples are read about this many at a time: the buffer grows with what the
// file really holds, never with what its header claims (a pipe has no size to
// bound a claim by).
constexpr std::size_t kBlockSamples = 1 << 16;

void AppendSamples(const std::vector<short>& samples, std::size_t count, int bits,
                   std::vector<std::uint8_t>& bytes) {
  if (bits == kNarrowSampleBits) {
    for (std::size_t i = 0; i < count; ++i) {
      bytes.push_back(static_cast<std::uint8_t>((samples[i] >> kNarrowShift) + kNarrowMidpoint));
    }
  } else {
    const auto* from = reinterpret_cast<const std::uint8_t*>(samples.data());
    bytes.insert(bytes.end(), from, from + count * sizeof(short));
  }
}

// The frames of an open file; nothing when it cannot be read.
std::optional<SoundData> ReadFrames(SNDFILE* file, const SF_INFO& info) {
  SoundData data;
  data.format = {.sample_rate = info.samplerate,
                 .channels = info.channels,
                 .bits_per_sample = IsNarrow(info.format) ? kNarrowSampleBits : kWideSampleBits};
  const auto channels = static_cast<std::size_t>(info.channels);
  // libsndfile scales every sample type to 16 bits, 8-bit ones exactly.
  const std::size_t block_frames = std::max<std::size_t>(1, kBlockSamples / channels);
  std::vector<short> block(block_frames * channels);
  // A file cut short plays what it has.
  for (;;) {
    const sf_count_t read =
        sf_readf_short(file, block.data(), static_cast<sf_count_t>(block_frames));
    if (read < 0) return std::nullopt;
    if (read == 0) break;
    const auto frames = static_cast<std::size_t>(read);
    AppendSamples(block, frames * channels, data.format.bits_per_sample, data.bytes);
    data.frames += frames;
  }
  return data;
}

// A regular file that does not begin as RIFF/WAVE is refused before
// libsndfile sees it, so none of its other formats' parsers run on a file
// the desktop would not play anyway. A pipe cannot be looked at twice; its
// format is judged by what libsndfile makes of it.
bool MayBeWave(const std::string& utf8Path) {
  struct stat status {};
  if (::stat(utf8Path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return true;
  char head[12] = {};
  std::ifstream file(utf8Path, std::ios::binary);
  return file.read(head, sizeof head) && std::memcmp(head, "RIFF", 4) == 0 &&
         std::memcmp(head + 8, "WAVE", 4) == 0;
}

}  // namespace

std::optional<SoundData> ReadSoundFile(const std::string& utf8Path) {
  if (!MayBeWave(utf8Path)) return std::nullopt;
  SF_INFO info{};
  const std::unique_ptr<SNDFILE, CloseFile> file(sf_open(utf8Path.c_str(), SFM_READ, &info));
  if (!file || !IsWave(info.format) || info.samplerate <= 0 || info.channels <= 0 ||
      info.frames < 0) {
    return std::nullopt;
  }
  try {
    return ReadFrames(file.get(), info);
  } catch (const std::bad_alloc&) {
    // A file holding more than memory does.
    return std::nullopt;
  }
}

}  // namespace sound
