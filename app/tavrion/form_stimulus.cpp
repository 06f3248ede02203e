#include "app/tavrion/form_stimulus.h"

#include <platform/kernel.h>
#include <platform/sound.h>
#include <platform/sound_failure.h>

#include <utility>

#include "app/tavrion/delay_wait.h"
#include "app/tavrion/local_clock.h"
#include "app/tavrion/main_form.h"
#include "framework/dialogs/dialogs.h"

namespace {

TEdit* EditOf(TForm1& form, stimulus::Field field) {
  switch (field) {
    case stimulus::Field::Frequency:
      return form.Edit1;
    case stimulus::Field::SampleRate:
      return form.Edit5;
    case stimulus::Field::Delay:
      return form.Edit10;
    case stimulus::Field::Duration:
      return form.Edit2;
    case stimulus::Field::Count:
      return form.Edit3;
    case stimulus::Field::StimulusAmplitude:
      return form.Edit9;
    case stimulus::Field::ZeroAmplitude:
      return form.Edit12;
    case stimulus::Field::FileName:
      break;
  }
  return form.Edit4;
}

TTrackBar* TrackBarOf(TForm1& form, stimulus::TrackBar bar) {
  switch (bar) {
    case stimulus::TrackBar::TrackBar1:
      return form.TrackBar1;
    case stimulus::TrackBar::TrackBar2:
      return form.TrackBar2;
    case stimulus::TrackBar::TrackBar3:
      return form.TrackBar3;
    case stimulus::TrackBar::TrackBar4:
      return form.TrackBar4;
    case stimulus::TrackBar::TrackBar5:
      return form.TrackBar5;
    case stimulus::TrackBar::TrackBar6:
      break;
  }
  return form.TrackBar6;
}

}  // namespace

void MainFormStimulus::ShowMessage(std::string_view text) {
  ::ShowMessage(std::string(text));
}

std::string MainFormStimulus::FieldText(stimulus::Field field) {
  // The working file is the name last confirmed, not what Edit4 shows now.
  if (field == stimulus::Field::FileName) return FileName();
  return EditOf(form_, field)->GetText();
}

void MainFormStimulus::SetTrackBarPosition(stimulus::TrackBar bar, std::int32_t position) {
  TrackBarOf(form_, bar)->SetPosition(position);
}

void MainFormStimulus::SetProgress(int position) {
  form_.ProgressBar1->SetPosition(position);
}

stimulus::PreviewCanvas& MainFormStimulus::Preview() {
  TImage* image = form_.Image1;
  preview_.Attach(image->Canvas(), image->Width(), image->Height());
  return preview_;
}

std::int16_t MainFormStimulus::ScreenCursor() {
  return Screen->Cursor();
}

void MainFormStimulus::SetScreenCursor(std::int16_t cursor) {
  Screen->SetCursor(cursor);
}

std::string MainFormStimulus::DelayText() {
  return form_.Edit10->GetText();
}

std::string MainFormStimulus::FileName() {
  return form_.FileName();
}

bool MainFormStimulus::LoopChecked() {
  return form_.CheckBox2->Checked();
}

std::int32_t MainFormStimulus::ClockSeconds() {
  return tavrion::LocalClockSeconds();
}

bool MainFormStimulus::AwaitClock() {
  if (!cancelled_) tavrion::AwaitNextSecond(form_.CheckBox2->Handle(), cancelled_);
  return !cancelled_;
}

std::optional<stimulus::SoundRefusal> MainFormStimulus::PlaySound(const char* name, DWORD flags) {
  using Cause = stimulus::SoundRefusal::Cause;
  if (PlaySoundA(name, nullptr, flags)) return std::nullopt;
  // The desktop's PlaySoundA gives no reason. A missing file shows through the
  // file system; the rest only our platform can tell.
  if (GetFileAttributesA(name) == INVALID_FILE_ATTRIBUTES) {
    return stimulus::SoundRefusal{Cause::kFileMissing, {}};
  }
  sound::LastFailure last = sound::LastPlaySoundFailure();
  if (last.failure == sound::Failure::kFile) {
    return stimulus::SoundRefusal{Cause::kFileUnplayable, {}};
  }
  return stimulus::SoundRefusal{Cause::kNoOutput, std::move(last.reason)};
}
