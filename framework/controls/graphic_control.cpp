#include "framework/controls/graphic_control.h"

#include "framework/rtl/scope_exit.h"

TAVRION_CLASS_INFO(TGraphicControl, "Controls") {
  c.Message<WM_PAINT>(&TGraphicControl::WMPaint);
}

TAVRION_CLASS_INFO(TCustomControl, "Controls") {
  c.Message<WM_PAINT>(&TCustomControl::WMPaint);
}

TGraphicControl::TGraphicControl(TComponent* owner)
    : TControl(owner), canvas_(Construct<TControlCanvas>()) {
  canvas_->SetControl(this);
}

void TGraphicControl::WMPaint(TMessage& message) {
  const auto dc = reinterpret_cast<HDC>(message.WParam);
  if (dc == nullptr) return;
  PaintOn(canvas_.get(), dc, [this] { Paint(); });
}

TCustomControl::TCustomControl(TComponent* owner)
    : TWinControl(owner), canvas_(Construct<TControlCanvas>()) {
  canvas_->SetControl(this);
}

void TCustomControl::WMPaint(TMessage& message) {
  control_state_.Include(csCustomPaint);
  const ScopeExit clear([this] { control_state_.Exclude(csCustomPaint); });
  TWinControl::WMPaint(message);
}

void TCustomControl::PaintWindow(HDC dc) {
  PaintOn(canvas_.get(), dc, [this] { Paint(); });
}
