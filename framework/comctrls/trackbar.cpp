#include "framework/comctrls/trackbar.h"

#include "framework/comctrls/common_controls.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

TAVRION_CLASS_INFO(TTrackBar, "ComCtrls") {
  PublishWinControlProperties(c);
  c.Property<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop").Default(1);
  c.Property<&TTrackBar::LineSize, &TTrackBar::SetLineSize>("LineSize").Default(1);
  c.Property<&TTrackBar::Max, &TTrackBar::SetMax>("Max").Default(10);
  c.Property<&TTrackBar::Min, &TTrackBar::SetMin>("Min").Default(0);
  c.Property<&TTrackBar::Orientation, &TTrackBar::SetOrientation>("Orientation");
  c.Property<&TTrackBar::PageSize, &TTrackBar::SetPageSize>("PageSize").Default(2);
  c.Property<&TTrackBar::Frequency, &TTrackBar::SetFrequency>("Frequency");
  c.Property<&TTrackBar::Position, &TTrackBar::SetPosition>("Position");
  c.Property<&TTrackBar::SliderVisible, &TTrackBar::SetSliderVisible>("SliderVisible").Default(1);
  c.Property<&TTrackBar::SelEnd, &TTrackBar::SetSelEnd>("SelEnd");
  c.Property<&TTrackBar::SelStart, &TTrackBar::SetSelStart>("SelStart");
  c.Property<&TTrackBar::ThumbLength, &TTrackBar::SetThumbLength>("ThumbLength").Default(20);
  c.Property<&TTrackBar::TickMarks, &TTrackBar::SetTickMarks>("TickMarks");
  c.Property<&TTrackBar::TickStyle, &TTrackBar::SetTickStyle>("TickStyle");
  c.Property<&TTrackBar::OnChange, &TTrackBar::OnChange>("OnChange");
  c.Message<CN_HSCROLL>(&TTrackBar::CNScroll);
  c.Message<CN_VSCROLL>(&TTrackBar::CNScroll);
}

TTrackBar::TTrackBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(left_, top_, 150, 45);
  SetTabStop(true);
  // A quick second press moves the slider again rather than double-clicking.
  control_style_.Exclude(csDoubleClicks);
}

void TTrackBar::CreateParams(TCreateParams& params) {
  InitCommonControl(ICC_BAR_CLASSES);
  TWinControl::CreateParams(params);
  CreateSubClass(params, TRACKBAR_CLASSA);
  if (orientation_ == trVertical) params.Style |= TBS_VERT;
  switch (tick_style_) {
    case tsNone:
      params.Style |= TBS_NOTICKS;
      break;
    case tsAuto:
      params.Style |= TBS_AUTOTICKS;
      break;
    case tsManual:
      break;
  }
  if (tick_marks_ == tmTopLeft) params.Style |= TBS_TOP;
  if (tick_marks_ == tmBoth) params.Style |= TBS_BOTH;
  params.Style |= TBS_FIXEDLENGTH | TBS_ENABLESELRANGE;
  if (!slider_visible_) params.Style |= TBS_NOTHUMB;
  params.WindowClass.style = (params.WindowClass.style & ~(CS_HREDRAW | CS_VREDRAW)) | CS_DBLCLKS;
}

void TTrackBar::CreateWnd() {
  TWinControl::CreateWnd();
  if (!HandleAllocated()) return;
  const HWND window = Handle();
  SendMessageA(window, TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumb_length_), 0);
  SendMessageA(window, TBM_SETLINESIZE, 0, line_size_);
  SendMessageA(window, TBM_SETPAGESIZE, 0, page_size_);
  SendMessageA(window, TBM_SETRANGEMIN, 0, min_);
  SendMessageA(window, TBM_SETRANGEMAX, 0, max_);
  UpdateSelection();
  SendMessageA(window, TBM_SETPOS, TRUE, position_);
  SendMessageA(window, TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 1);
}

void TTrackBar::SetParams(std::int32_t value, std::int32_t min, std::int32_t max) {
  if (min > max) {
    throw EInvalidOperation(Format(LoadResString(SPropertyOutOfRange), {ClassName()}));
  }
  if (value < min) value = min;
  if (value > max) value = max;
  if (min != min_) {
    min_ = min;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETRANGEMIN, TRUE, min_);
  }
  if (max != max_) {
    max_ = max;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETRANGEMAX, TRUE, max_);
  }
  if (value != position_) {
    position_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), TBM_SETPOS, TRUE, position_);
    DoChange();
  }
}

void TTrackBar::SetMax(std::int32_t value) {
  if (value == max_ || value < min_) return;
  SetParams(position_, min_, value);
}

void TTrackBar::SetMin(std::int32_t value) {
  if (value == min_ || value > max_) return;
  SetParams(position_, value, max_);
}

void TTrackBar::SetLineSize(std::int32_t value) {
  if (!Store(line_size_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), TBM_SETLINESIZE, 0, line_size_);
}

void TTrackBar::SetPageSize(std::int32_t value) {
  if (!Store(page_size_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), TBM_SETPAGESIZE, 0, page_size_);
}

void TTrackBar::SetFrequency(std::int32_t value) {
  if (!Store(frequency_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency_), 1);
}

std::int32_t TTrackBar::ThumbLength() {
  if (!HandleAllocated()) return thumb_length_;
  return static_cast<std::int32_t>(SendMessageA(Handle(), TBM_GETTHUMBLENGTH, 0, 0));
}

void TTrackBar::SetThumbLength(std::int32_t value) {
  if (!Store(thumb_length_, value)) return;
  if (HandleAllocated()) {
    SendMessageA(Handle(), TBM_SETTHUMBLENGTH, static_cast<WPARAM>(thumb_length_), 0);
  }
}

void TTrackBar::SetSelEnd(std::int32_t value) {
  if (Store(sel_end_, value)) UpdateSelection();
}

void TTrackBar::SetSelStart(std::int32_t value) {
  if (Store(sel_start_, value)) UpdateSelection();
}

void TTrackBar::UpdateSelection() {
  if (!HandleAllocated()) return;
  if (sel_start_ == 0 && sel_end_ == 0) {
    SendMessageA(Handle(), TBM_CLEARSEL, TRUE, 0);
  } else {
    SendMessageA(Handle(), TBM_SETSEL, TRUE,
                 MAKELPARAM(static_cast<WORD>(sel_start_), static_cast<WORD>(sel_end_)));
  }
}

void TTrackBar::SetOrientation(TTrackBarOrientation value) {
  if (!Store(orientation_, value)) return;
  if (!ComponentState().HasAny(csLoading | csUpdating)) SetBounds(left_, top_, height_, width_);
  RecreateWnd();
}

void TTrackBar::SetSliderVisible(bool value) {
  if (Store(slider_visible_, value)) RecreateWnd();
}

void TTrackBar::SetTickMarks(TTickMark value) {
  if (Store(tick_marks_, value)) RecreateWnd();
}

void TTrackBar::SetTickStyle(TTickStyle value) {
  if (Store(tick_style_, value)) RecreateWnd();
}

void TTrackBar::DoChange() {
  if (OnChange.Assigned()) OnChange(this);
}

// Every notification counts, also one that leaves the position where it was.
void TTrackBar::CNScroll(TMessage& message) {
  DefaultHandler(message);
  position_ = static_cast<std::int32_t>(SendMessageA(Handle(), TBM_GETPOS, 0, 0));
  DoChange();
  message.Result = 0;
}
