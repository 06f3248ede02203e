// Any bytes read as the sound file PlaySoundA would play: the reader may
// refuse them, but must never crash, and what it gives back holds whole frames
// in the format it names. The bytes are a file in memory, so no sound device
// and no folder is touched.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "platform/sound/sound_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const int file = memfd_create("sound", 0);
  static const std::string path = "/proc/self/fd/" + std::to_string(file);
  if (file < 0 || ftruncate(file, 0) != 0 ||
      pwrite(file, data, size, 0) != static_cast<ssize_t>(size)) {
    std::abort();
  }
  const std::optional<sound::SoundData> sound = sound::ReadSoundFile(path);
  if (sound && (sound->format.sample_rate <= 0 || sound->format.channels <= 0 ||
                sound->bytes.size() != sound->frames * sound->format.FrameBytes())) {
    std::abort();
  }
  return 0;
}
