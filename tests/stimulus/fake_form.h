// A stand-in for the main form, just enough for the engine's tests: edit
// fields whose change runs the recalculation, track bars that clamp into
// their ranges and write their position back into their fields, and a log of
// what the engine did.
#pragma once

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "framework/rtl/intconv.h"
#include "stimulus/recalculation.h"

namespace fake {

using stimulus::Field;
using stimulus::TrackBar;

class RecordingCanvas : public stimulus::PreviewCanvas {
 public:
  int width = 485;
  int height = 89;
  std::vector<std::string> calls;

  int Width() override { return width; }
  int Height() override { return height; }
  void FillRect(int l, int t, int r, int b) override { Add("FillRect", {l, t, r, b}); }
  void SetPenColor(std::int32_t c) override { Add("Color", {c}); }
  void SetPenStyle(stimulus::PenStyle s) override {
    calls.push_back(s == stimulus::PenStyle::Dot ? "Style Dot" : "Style Solid");
  }
  void MoveTo(int x, int y) override { Add("MoveTo", {x, y}); }
  void LineTo(int x, int y) override { Add("LineTo", {x, y}); }

 private:
  void Add(const std::string& name, std::initializer_list<std::int64_t> args) {
    std::string call = name;
    for (const auto a : args) call.append(" ").append(std::to_string(a));
    calls.push_back(call);
  }
};

struct Bar {
  std::int32_t min, max, position;
  Field edit;
};

class Form : public stimulus::StimulusForm {
 public:
  stimulus::SharedParams shared;
  RecordingCanvas canvas;
  // Messages, progress values, track-bar moves and drawings, in order.
  std::vector<std::string> log;

  std::map<Field, std::string> text = {
      {Field::Frequency, "300"},   {Field::SampleRate, "44100"},
      {Field::Delay, "0"},         {Field::Duration, "1000"},
      {Field::Count, "5"},         {Field::StimulusAmplitude, "32767"},
      {Field::ZeroAmplitude, "0"}, {Field::FileName, "tavrion.wav"},
  };
  std::map<TrackBar, Bar> bars = {
      {TrackBar::TrackBar1, {-32767, 32767, 32767, Field::StimulusAmplitude}},
      {TrackBar::TrackBar2, {-32767, 32767, 0, Field::ZeroAmplitude}},
      {TrackBar::TrackBar3, {1, 1000, 300, Field::Frequency}},
      {TrackBar::TrackBar4, {100, 10000, 1000, Field::Duration}},
      {TrackBar::TrackBar5, {1, 50, 5, Field::Count}},
      {TrackBar::TrackBar6, {4100, 44100, 44100, Field::SampleRate}},
  };

  // As the user or a handler would: an edit's change runs the recalculation
  // unless the text is the same or the field is the delay.
  void SetText(Field field, const std::string& value) {
    if (text[field] == value) return;
    text[field] = value;
    if (field != Field::Delay) stimulus::Recalculate(*this, shared);
  }

  std::string FieldText(Field field) override { return text[field]; }

  void SetTrackBarPosition(TrackBar bar, std::int32_t position) override {
    Bar& b = bars[bar];
    const std::int32_t clamped = std::clamp(position, b.min, b.max);
    if (clamped == b.position) return;
    b.position = clamped;
    log.push_back("TrackBar" + std::to_string(static_cast<int>(bar)) + "=" +
                  std::to_string(clamped));
    SetText(b.edit, IntToStr(clamped));
  }

  void ShowMessage(std::string_view message) override {
    log.push_back("message " + std::string(message));
  }
  void SetProgress(int position) override { log.push_back("progress " + std::to_string(position)); }
  stimulus::PreviewCanvas& Preview() override {
    log.push_back("preview");
    return canvas;
  }
};

}  // namespace fake
