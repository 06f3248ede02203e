#include "framework/comctrls/progress_bar.h"

#include "framework/comctrls/common_controls.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/format.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace {
constexpr std::int32_t kSixteenBitLimit = 65535;
}  // namespace

TAVRION_CLASS_INFO(TProgressBar, "ComCtrls") {
  PublishWinControlProperties(c);
  c.Property<&TWinControl::TabStop, &TWinControl::SetTabStop>("TabStop").Default(0);
  c.Property<&TProgressBar::Min, &TProgressBar::SetMin>("Min");
  c.Property<&TProgressBar::Max, &TProgressBar::SetMax>("Max");
  c.Property<&TProgressBar::Orientation, &TProgressBar::SetOrientation>("Orientation").Default(0);
  c.Property<&TProgressBar::Position, &TProgressBar::SetPosition>("Position").Default(0);
  c.Property<&TProgressBar::Smooth, &TProgressBar::SetSmooth>("Smooth").Default(0);
  c.Property<&TProgressBar::Step, &TProgressBar::SetStep>("Step").Default(10);
}

TProgressBar::TProgressBar(TComponent* owner)
    : TWinControl(owner), range_is_32bit_(InitCommonControl(ICC_PROGRESS_CLASS)) {
  SetBounds(left_, top_, 150, GetSystemMetrics(SM_CYVSCROLL));
}

void TProgressBar::CreateParams(TCreateParams& params) {
  if (!range_is_32bit_) InitCommonControls();
  TWinControl::CreateParams(params);
  CreateSubClass(params, PROGRESS_CLASSA);
  if (orientation_ == pbVertical) params.Style |= PBS_VERTICAL;
  if (smooth_) params.Style |= PBS_SMOOTH;
}

void TProgressBar::CreateWnd() {
  TWinControl::CreateWnd();
  SendRange(min_, max_);
  SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
  SetPosition(position_);
}

void TProgressBar::DestroyWnd() {
  position_ = Position();
  TWinControl::DestroyWnd();
}

void TProgressBar::SendRange(std::int32_t min, std::int32_t max) {
  if (range_is_32bit_) {
    SendMessageA(Handle(), PBM_SETRANGE32, static_cast<WPARAM>(min), max);
  } else {
    SendMessageA(Handle(), PBM_SETRANGE, 0,
                 MAKELPARAM(static_cast<WORD>(min), static_cast<WORD>(max)));
  }
}

void TProgressBar::CheckSixteenBit(std::int32_t value) const {
  if (range_is_32bit_ || (value >= 0 && value <= kSixteenBitLimit)) return;
  throw Exception(
      Format(LoadResString(SOutOfRange), {std::int64_t{0}, std::int64_t{kSixteenBitLimit}}));
}

std::int32_t TProgressBar::Min() {
  if (!HandleAllocated() || !range_is_32bit_) return min_;
  return static_cast<std::int32_t>(SendMessageA(Handle(), PBM_GETRANGE, TRUE, 0));
}

std::int32_t TProgressBar::Max() {
  if (!HandleAllocated() || !range_is_32bit_) return max_;
  return static_cast<std::int32_t>(SendMessageA(Handle(), PBM_GETRANGE, FALSE, 0));
}

void TProgressBar::SetParams(std::int32_t min, std::int32_t max) {
  if (min > max) {
    throw EInvalidOperation(Format(LoadResString(SPropertyOutOfRange), {ClassName()}));
  }
  CheckSixteenBit(min);
  CheckSixteenBit(max);
  if (min == min_ && max == max_) return;
  if (HandleAllocated()) {
    SendRange(min, max);
    if (min < min_) SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(min), 0);
  }
  min_ = min;
  max_ = max;
}

std::int32_t TProgressBar::Position() {
  if (!HandleAllocated()) return position_;
  const UINT ask = range_is_32bit_ ? PBM_GETPOS : PBM_DELTAPOS;
  return static_cast<std::int32_t>(SendMessageA(Handle(), ask, 0, 0));
}

void TProgressBar::SetPosition(std::int32_t value) {
  CheckSixteenBit(value);
  if (HandleAllocated()) {
    SendMessageA(Handle(), PBM_SETPOS, static_cast<WPARAM>(value), 0);
  } else {
    position_ = value;
  }
}

void TProgressBar::SetStep(std::int32_t value) {
  if (!Store(step_, value)) return;
  if (HandleAllocated()) SendMessageA(Handle(), PBM_SETSTEP, static_cast<WPARAM>(step_), 0);
}

void TProgressBar::SetOrientation(TProgressBarOrientation value) {
  if (Store(orientation_, value)) RecreateWnd();
}

void TProgressBar::SetSmooth(bool value) {
  if (Store(smooth_, value)) RecreateWnd();
}
