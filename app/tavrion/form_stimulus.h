// The stimulus engine's view of the main form: its fields, track bars,
// progress bar and preview, the screen cursor, the clock, the delay wait and
// the sound.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "app/tavrion/canvas_preview.h"
#include "stimulus/playback.h"
#include "stimulus/stimulus_form.h"

class TForm1;

class MainFormStimulus final : public stimulus::StimulusForm, public stimulus::PlaybackHost {
 public:
  explicit MainFormStimulus(TForm1& form) : form_(form) {}

  void ShowMessage(std::string_view text) override;

  std::string FieldText(stimulus::Field field) override;
  void SetTrackBarPosition(stimulus::TrackBar bar, std::int32_t position) override;
  void SetProgress(int position) override;
  stimulus::PreviewCanvas& Preview() override;

  std::int16_t ScreenCursor() override;
  void SetScreenCursor(std::int16_t cursor) override;
  std::string DelayText() override;
  std::string FileName() override;
  bool LoopChecked() override;
  std::int32_t ClockSeconds() override;
  bool AwaitClock() override;
  std::optional<stimulus::SoundRefusal> PlaySound(const char* name, DWORD flags) override;

  // A click on Button1 runs the wait; a change of the continuous box or the
  // program's end during it cancels the pending start.
  bool Waiting() const { return waiting_; }
  void CancelPendingStart() { cancelled_ = true; }
  void BeginWait() { waiting_ = true, cancelled_ = false; }
  void EndWait() { waiting_ = false; }

 private:
  TForm1& form_;
  tavrion::CanvasPreview preview_{};
  bool waiting_ = false;
  bool cancelled_ = false;
};
