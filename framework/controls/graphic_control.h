// TGraphicControl, a control without a window that paints on its parent's
// surface, and TCustomControl, a windowed control that paints itself; both
// through a canvas of their own.
#pragma once

#include <memory>

#include "framework/controls/control_canvas.h"
#include "framework/controls/win_control.h"
#include "framework/rtl/scope_exit.h"

// Paints on `dc` through the locked canvas; the canvas keeps no context.
template <typename Paint>
void PaintOn(TCanvas* canvas, HDC dc, Paint paint) {
  canvas->Lock();
  const ScopeExit unlock([canvas] {
    canvas->SetHandle(nullptr);
    canvas->Unlock();
  });
  canvas->SetHandle(dc);
  paint();
}

class TGraphicControl : public TControl {
  TAVRION_CLASS(TGraphicControl, TControl)

 public:
  explicit TGraphicControl(TComponent* owner);
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  // Draws the control on Canvas, whose origin is the control's corner.
  virtual void Paint() {}
  void WMPaint(TMessage& message);

 private:
  std::unique_ptr<TControlCanvas, FreeDeleter> canvas_;
};

class TCustomControl : public TWinControl {
  TAVRION_CLASS(TCustomControl, TWinControl)

 public:
  explicit TCustomControl(TComponent* owner);
  TCanvas* Canvas() const { return canvas_.get(); }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;
  void WMPaint(TMessage& message);

 private:
  std::unique_ptr<TControlCanvas, FreeDeleter> canvas_;
};
