#include <platform/sound_failure.h>
#include <platform/system_api.h>

namespace {

thread_local sound::LastFailure last_failure;

}  // namespace

namespace platform {

BOOL PlaySoundOnDevice(LPCSTR name, HMODULE module, DWORD flags) {
  last_failure = {};
  if (name != nullptr && waveOutGetNumDevs() == 0) {
    last_failure = {sound::Failure::kOutput, "no sound output device"};
    return FALSE;
  }
  return Cp1251PlaySoundA(name, module, flags);
}

}  // namespace platform

namespace sound {

// The system tells no more than that a sound did not play; a missing device
// is the one reason known here.
LastFailure LastPlaySoundFailure() {
  return last_failure;
}

}  // namespace sound
