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
  // desktop, above every window and without activation.
  virtual void ShowHintAt(RECT rect, const std::string& hint);
  // The same with data for a hint window of another kind; this one ignores it.
  virtual void ShowHintWithData(RECT rect, const std::string& hint, void* data);
  // The size the window needs for `hint`, wrapped at `max_width`.
  virtual RECT MeasureHint(int max_width, const std::string& hint, void* data);
  // Whether a message reaching the application ends a hint.
  virtual bool EndsHint(const MSG& message) const;
  // Destroys the window and keeps the object.
  void ReleaseHandle() { DestroyHandle(); }

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void WMNCHitTest(TMessage& message);
  void WMNCPaint(TMessage& message);
  void CMTextChanged(TMessage& message);

 private:
  bool activating_ = false;
};

// The class of the hint windows the application makes: THintWindow or one
// derived from it. One setting for the whole process; a class of another
// kind is refused with EInvalidOperation and the setting stays.
TClass HintWindowClass();
void SetHintWindowClass(TClass value);
