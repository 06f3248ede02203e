// THintWindow: the small top-most pop-up that shows a control's short hint
// below the mouse cursor without taking the focus.
#pragma once

#include <string>

#include "framework/controls/graphic_control.h"

class THintWindow : public TCustomControl {
  TAVRION_CLASS(THintWindow, TCustomControl)

 public:
  explicit THintWindow(TComponent* owner);

  // Shows `hint` in the window at `rect` (screen coordinates), kept on the
  // screen, above every window and without activation.
  virtual void ShowHintAt(RECT rect, const std::string& hint);
  // The size the window needs for `hint`, wrapped at `max_width`.
  virtual RECT MeasureHint(int max_width, const std::string& hint);
  // Whether a message passing through the application's loop ends a hint.
  virtual bool EndsHint(const MSG& message) const;
  // Destroys the window and keeps the object.
  void ReleaseHandle() { DestroyHandle(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void WMNCHitTest(TMessage& message);

 private:
  bool activating_ = false;
};
