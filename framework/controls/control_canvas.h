// TControlCanvas: the canvas of a control, drawing on the device context of
// the control's window (for a control without a window, its parent's,
// moved and clipped to the control). At most four such contexts are held by
// all control canvases together; each message's handling gives them back.
#pragma once

#include "framework/graphics/canvas.h"

class TControl;

class TControlCanvas : public TCanvas {
  TAVRION_CLASS(TControlCanvas, TCanvas)

 public:
  TControlCanvas() = default;
  TControl* Control() const { return control_; }
  // Changing the control gives back the context of the previous one.
  void SetControl(TControl* control);
  void AcquireHandle() override;

 protected:
  ~TControlCanvas() override;
  void FreeHandle() override;

 private:
  TControl* control_ = nullptr;
  HDC device_context_ = nullptr;
  HWND window_ = nullptr;
};

// Every control canvas (and bitmap canvas) that can be locked gives its
// context back.
void FreeDeviceContexts();
