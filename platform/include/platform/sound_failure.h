// Why the last PlaySoundA failed, so that a program can tell its user more
// than that nothing played. Ours, not the desktop API's, whose PlaySoundA only
// returns FALSE.
#pragma once

#include <string>

namespace sound {

enum class Failure {
  kNone,    // the last PlaySoundA of this thread did what it was asked
  kFile,    // the name is no RIFF/WAVE PCM file that could be opened and read
  kOutput,  // there was no output to play on (no sound device)
};

struct LastFailure {
  Failure failure = Failure::kNone;
  // With kOutput, the host's words for why, in code page 1251; may be empty.
  std::string reason;
};

// The failure of the calling thread's last PlaySoundA.
LastFailure LastPlaySoundFailure();

}  // namespace sound
