// TTrackBar: a slider over the system's "msctls_trackbar32". Its settings
// live in fields, pushed into the window whenever one is made.
#pragma once

#include <cstdint>

#include "framework/controls/win_control.h"

TAVRION_ENUM(TTrackBarOrientation, std::uint8_t, trHorizontal, trVertical)
TAVRION_ENUM(TTickMark, std::uint8_t, tmBottomRight, tmTopLeft, tmBoth)
TAVRION_ENUM(TTickStyle, std::uint8_t, tsNone, tsAuto, tsManual)

class TTrackBar : public TWinControl {
  TAVRION_CLASS(TTrackBar, TWinControl)

 public:
  explicit TTrackBar(TComponent* owner);

  std::int32_t LineSize() const { return line_size_; }
  void SetLineSize(std::int32_t value);
  std::int32_t Max() const { return max_; }
  void SetMax(std::int32_t value);
  std::int32_t Min() const { return min_; }
  void SetMin(std::int32_t value);
  TTrackBarOrientation Orientation() const { return orientation_; }
  void SetOrientation(TTrackBarOrientation value);
  std::int32_t PageSize() const { return page_size_; }
  void SetPageSize(std::int32_t value);
  std::int32_t Frequency() const { return frequency_; }
  void SetFrequency(std::int32_t value);
  // The field: the scroll notifications keep it in step with the window.
  std::int32_t Position() const { return position_; }
  void SetPosition(std::int32_t value) { SetParams(value, min_, max_); }
  bool SliderVisible() const { return slider_visible_; }
  void SetSliderVisible(bool value);
  std::int32_t SelEnd() const { return sel_end_; }
  void SetSelEnd(std::int32_t value);
  std::int32_t SelStart() const { return sel_start_; }
  void SetSelStart(std::int32_t value);
  std::int32_t ThumbLength();
  void SetThumbLength(std::int32_t value);
  TTickMark TickMarks() const { return tick_marks_; }
  void SetTickMarks(TTickMark value);
  TTickStyle TickStyle() const { return tick_style_; }
  void SetTickStyle(TTickStyle value);

  // The one place where range and position change: the position is clamped
  // into the range, and OnChange follows a real change of it.
  void SetParams(std::int32_t value, std::int32_t min, std::int32_t max);

  TNotifyEvent OnChange;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  virtual void DoChange();
  void UpdateSelection();
  void CNScroll(TMessage& message);

 private:
  std::int32_t line_size_ = 1;
  std::int32_t max_ = 10;
  std::int32_t min_ = 0;
  TTrackBarOrientation orientation_ = trHorizontal;
  std::int32_t page_size_ = 2;
  std::int32_t frequency_ = 1;
  std::int32_t position_ = 0;
  bool slider_visible_ = true;
  std::int32_t sel_end_ = 0;
  std::int32_t sel_start_ = 0;
  std::int32_t thumb_length_ = 20;
  TTickMark tick_marks_ = tmBottomRight;
  TTickStyle tick_style_ = tsAuto;
};
