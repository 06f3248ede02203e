// Starting and stopping the stimulus: the logic behind the stimulate button
// and the continuous-stimulation check box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <platform/types.h>

#include "stimulus/params.h"
#include "stimulus/stimulus_form.h"

namespace stimulus {

inline constexpr std::int16_t kHourGlassCursor = -11;  // crHourGlass

// Why the working file did not start playing.
struct SoundRefusal {
  enum class Cause { kFileMissing, kFileUnplayable, kNoOutput };
  Cause cause;
  // With kNoOutput, the output's own words (code page 1251), when it gave any.
  std::string reason;
};

class PlaybackHost : public virtual MessageShower {
 public:
  virtual std::int16_t ScreenCursor() = 0;
  virtual void SetScreenCursor(std::int16_t cursor) = 0;
  virtual std::string DelayText() = 0;  // Edit10
  virtual std::string FileName() = 0;   // the working file
  virtual bool LoopChecked() = 0;       // CheckBox2
  // The local calendar time in whole seconds, counted on across midnight.
  virtual std::int32_t ClockSeconds() = 0;
  // Sleeps until the clock's next whole second or until the window needs
  // attention, whichever comes first. False once the pending start has been
  // cancelled: the continuous box was clicked, or the program is closing.
  virtual bool AwaitClock() = 0;
  // PlaySoundA with no module handle; a null name goes with SND_PURGE.
  // Nothing when it did what it was asked, otherwise why not.
  virtual std::optional<SoundRefusal> PlaySound(const char* name, DWORD flags) = 0;
};

// Checks the shared values (and refuses while the last write of the working
// file failed part-way), waits out the delay of Edit10 and plays the file
// once or looped; a file that does not play is told in a message with its
// cause. An unreadable delay raises EConvertError after the cursor is
// restored; nothing is played then, nor after a cancelled wait.
void Stimulate(PlaybackHost& host, const SharedParams& shared);

// Stops whatever this program is playing.
void StopSound(PlaybackHost& host);

}  // namespace stimulus
