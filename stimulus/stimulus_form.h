// What the stimulus engine needs of the main form. The form implements these;
// tests implement them with fakes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "stimulus/params.h"

namespace stimulus {

// The six mirrors, numbered as on the form.
enum class TrackBar { TrackBar1 = 1, TrackBar2, TrackBar3, TrackBar4, TrackBar5, TrackBar6 };

class MessageShower {
 public:
  virtual ~MessageShower() = default;
  // Shows a code page 1251 text in a modal box with one OK button.
  virtual void ShowMessage(std::string_view text) = 0;
};

enum class PenStyle { Solid, Dot };

// The preview's picture: the image control's current size and its canvas.
class PreviewCanvas {
 public:
  virtual ~PreviewCanvas() = default;
  virtual int Width() = 0;
  virtual int Height() = 0;
  // Fills left, top, right, bottom (right and bottom excluded) with the brush.
  virtual void FillRect(int left, int top, int right, int bottom) = 0;
  virtual void SetPenColor(std::int32_t color) = 0;
  virtual void SetPenStyle(PenStyle style) = 0;
  virtual void MoveTo(int x, int y) = 0;
  virtual void LineTo(int x, int y) = 0;
};

class StimulusForm : public virtual MessageShower {
 public:
  virtual std::string FieldText(Field field) = 0;
  // Sets a track bar's position; its change handler may run the
  // recalculation again before this returns.
  virtual void SetTrackBarPosition(TrackBar bar, std::int32_t position) = 0;
  virtual void SetProgress(int position) = 0;
  virtual PreviewCanvas& Preview() = 0;
};

}  // namespace stimulus
