#include "stimulus/playback.h"

#include <platform/codepage.h>
#include <platform/sound.h>

#include "framework/rtl/format.h"
#include "framework/rtl/intconv.h"
#include "framework/rtl/scope_exit.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace stimulus {

namespace {

// The message for a file that did not play.
std::string RefusalText(const SoundRefusal& refusal, const std::string& name) {
  switch (refusal.cause) {
    case SoundRefusal::Cause::kFileMissing:
      return Format(LoadResString(SWorkingFileMissing), {name});
    case SoundRefusal::Cause::kFileUnplayable:
      return Format(LoadResString(SWorkingFileUnplayable), {name});
    case SoundRefusal::Cause::kNoOutput:
      break;
  }
  const std::string reason =
      refusal.reason.empty() ? LoadResString(SReasonUnknown) : refusal.reason;
  return Format(LoadResString(SNoSoundOutput), {reason});
}

}  // namespace

void Stimulate(PlaybackHost& host, const SharedParams& shared) {
  const std::int16_t saved = host.ScreenCursor();
  if (shared.Frequency == 0) return host.ShowMessage("Нулевая частота ?"_cp1251);
  if (shared.Duration == 0) return host.ShowMessage("Нулевая продолжительность импульса ?"_cp1251);
  if (shared.Count == 0) return host.ShowMessage("Воспроизвести ноль импульсов ?"_cp1251);
  // The file on disk is a train cut short, its header promising the whole.
  if (shared.WriteFailed) return host.ShowMessage(LoadResString(SWorkingFileIncomplete));

  {
    // The saved cursor comes back however the wait ends.
    host.SetScreenCursor(kHourGlassCursor);
    const ScopeExit restore([&host, saved] { host.SetScreenCursor(saved); });
    const std::int32_t delay = StrToInt(host.DelayText());
    // The end time is a 32-bit sum, as the clock is: a delay that carries it
    // past the 32-bit range puts it in the past, and nothing is waited.
    const auto end = static_cast<std::int32_t>(static_cast<std::uint32_t>(host.ClockSeconds()) +
                                               static_cast<std::uint32_t>(delay));
    while (static_cast<double>(end) - static_cast<double>(host.ClockSeconds()) > 0) {
      if (!host.AwaitClock()) return;
    }
  }

  const std::string name = host.FileName();
  std::optional<SoundRefusal> refusal;
  if (!host.LoopChecked()) refusal = host.PlaySound(name.c_str(), SND_ASYNC);
  if (!refusal && host.LoopChecked()) refusal = host.PlaySound(name.c_str(), SND_ASYNC | SND_LOOP);
  if (refusal) host.ShowMessage(RefusalText(*refusal, name));
}

void StopSound(PlaybackHost& host) {
  host.PlaySound(nullptr, SND_PURGE);
}

}  // namespace stimulus
