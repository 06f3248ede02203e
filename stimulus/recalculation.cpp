#include "stimulus/recalculation.h"

#include <utility>

#include "stimulus/preview.h"
#include "stimulus/wave_writer.h"

namespace stimulus {

namespace {

// The values a run keeps in the form's shared values and takes back after
// the track-bar step.
constexpr std::pair<std::int32_t StimulusParams::*, std::int32_t SharedParams::*> kSharedFields[] =
    {
        {&StimulusParams::Frequency, &SharedParams::Frequency},
        {&StimulusParams::Duration, &SharedParams::Duration},
        {&StimulusParams::Count, &SharedParams::Count},
        {&StimulusParams::SampleRate, &SharedParams::SampleRate},
        {&StimulusParams::StimulusAmplitude, &SharedParams::StimulusAmplitude},
        {&StimulusParams::ZeroAmplitude, &SharedParams::ZeroAmplitude},
};

}  // namespace

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
  for (const auto& [param, kept] : kSharedFields) shared.*kept = p.*param;
  if (!PassesGate(p)) return;

  form.SetTrackBarPosition(TrackBar::TrackBar1, p.StimulusAmplitude);
  form.SetTrackBarPosition(TrackBar::TrackBar2, p.ZeroAmplitude);
  form.SetTrackBarPosition(TrackBar::TrackBar3, p.Frequency);
  form.SetTrackBarPosition(TrackBar::TrackBar4, p.Duration);
  form.SetTrackBarPosition(TrackBar::TrackBar5, p.Count);
  form.SetTrackBarPosition(TrackBar::TrackBar6, p.SampleRate);

  // Nested runs through the track bars may have rewritten the fields: go on
  // with what the last of them read, so that the file written last matches
  // the fields as they stand (a clamped sample rate included). A nested run
  // only ever rewrites a field with a track-bar position, but the division
  // below must never see a zero, so the gate is asked again.
  for (const auto& [param, kept] : kSharedFields) p.*param = shared.*kept;
  if (!PassesGate(p)) return;

  if (const auto refusal = DeriveAndCheck(p)) {
    form.ShowMessage(*refusal);
    return;
  }
  const WriteOutcome written = WriteWaveFile(p, form.FieldText(Field::FileName),
                                             [&form](int position) { form.SetProgress(position); });
  // A file cut short plays a damaged train: playback refuses it until a
  // write completes. A file that could not be created was left as it was.
  if (written.ok || written.incomplete) shared.WriteFailed = written.incomplete;
  if (!written.ok) {
    form.ShowMessage(written.message);
    return;
  }
  DrawPreview(form.Preview(), p);
}

}  // namespace stimulus
