#include "stimulus/recalculation.h"

#include "stimulus/preview.h"
#include "stimulus/wave_writer.h"

namespace stimulus {

void Recalculate(StimulusForm& form, SharedParams& shared) {
  StimulusParams p = ReadParams({
      .frequency = form.FieldText(Field::Frequency),
      .sample_rate = form.FieldText(Field::SampleRate),
      .delay = form.FieldText(Field::Delay),
      .duration = form.FieldText(Field::Duration),
      .count = form.FieldText(Field::Count),
      .stimulus_amplitude = form.FieldText(Field::StimulusAmplitude),
      .zero_amplitude = form.FieldText(Field::ZeroAmplitude),
  });
  shared = {p.Frequency, p.Duration, p.Count};
  if (!PassesGate(p)) return;

  form.SetTrackBarPosition(TrackBar::TrackBar1, p.StimulusAmplitude);
  form.SetTrackBarPosition(TrackBar::TrackBar2, p.ZeroAmplitude);
  form.SetTrackBarPosition(TrackBar::TrackBar3, p.Frequency);
  form.SetTrackBarPosition(TrackBar::TrackBar4, p.Duration);
  form.SetTrackBarPosition(TrackBar::TrackBar5, p.Count);
  form.SetTrackBarPosition(TrackBar::TrackBar6, p.SampleRate);

  // Nested runs through the track bars may have rewritten the shared values.
  // They only ever store track-bar positions, which are positive, but the
  // division below must never see a zero, so the gate is asked again.
  p.Frequency = shared.Frequency;
  p.Duration = shared.Duration;
  p.Count = shared.Count;
  if (!PassesGate(p)) return;

  if (const auto refusal = DeriveAndCheck(p)) {
    form.ShowMessage(*refusal);
    return;
  }
  const WriteOutcome written = WriteWaveFile(p, form.FieldText(Field::FileName),
                                             [&form](int position) { form.SetProgress(position); });
  if (!written.ok) {
    form.ShowMessage(written.message);
    return;
  }
  DrawPreview(form.Preview(), p);
}

}  // namespace stimulus
