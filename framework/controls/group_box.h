// TCustomGroupBox and TGroupBox: a framed container with its caption set
// into the top line of the frame, drawn by itself.
#pragma once

#include "framework/controls/graphic_control.h"

class TCustomGroupBox : public TCustomControl {
  TAVRION_CLASS(TCustomGroupBox, TCustomControl)

 public:
  explicit TCustomGroupBox(TComponent* owner);

  // The area inside the frame, below the caption, that children fill;
  // measured with the box's canvas, so on its window.
  RECT AdjustClientRect(RECT rect);

 protected:
  ~TCustomGroupBox() override = default;
  void CreateParams(TCreateParams& params) override;
  void Paint() override;

  void CMDialogChar(TMessage& message);
  void CMTextChanged(TMessage& message);
  void CMCtl3DChanged(TMessage& message);
  void WMSize(TMessage& message);

 private:
  // The height of a line of the caption in the box's font.
  int CaptionHeight();
};

class TGroupBox : public TCustomGroupBox {
  TAVRION_CLASS(TGroupBox, TCustomGroupBox)

 public:
  using TCustomGroupBox::TCustomGroupBox;

 protected:
  ~TGroupBox() override = default;
};
