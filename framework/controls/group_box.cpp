#include "framework/controls/group_box.h"

#include <platform/text.h>

#include "framework/controls/accelerator.h"

TAVRION_CLASS_INFO(TCustomGroupBox, "StdCtrls") {
  c.Message<CM_DIALOGCHAR>(&TCustomGroupBox::CMDialogChar);
  c.Message<CM_TEXTCHANGED>(&TCustomGroupBox::CMTextChanged);
  c.Message<CM_CTL3DCHANGED>(&TCustomGroupBox::CMCtl3DChanged);
  c.Message<WM_SIZE>(&TCustomGroupBox::WMSize);
}

TAVRION_CLASS_INFO(TGroupBox, "StdCtrls") {
  PublishWinControlProperties(c);
  c.Property<&TControl::Caption, &TControl::SetCaption>("Caption");
}

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TCustomControl(owner) {
  control_style_ = csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks;
  SetBounds(left_, top_, 185, 105);
}

int TCustomGroupBox::CaptionHeight() {
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  return canvas->TextHeight("0");
}

RECT TCustomGroupBox::AdjustClientRect(RECT rect) {
  const int inset = Ctl3D() ? 2 : 1;
  rect.top += CaptionHeight();
  InflateRect(&rect, -inset, -inset);
  return rect;
}

void TCustomGroupBox::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomGroupBox::Paint() {
  TCanvas* canvas = Canvas();
  const int height = CaptionHeight();
  RECT frame{0, height / 2 - 1, width_, height_};
  if (Ctl3D()) {
    // A light line with a shadow line above and left of it: an etched frame.
    ++frame.left;
    ++frame.top;
    canvas->Brush()->SetColor(clBtnHighlight);
    canvas->FrameRect(frame);
    OffsetRect(&frame, -1, -1);
    canvas->Brush()->SetColor(clBtnShadow);
  } else {
    canvas->Brush()->SetColor(clWindowFrame);
  }
  canvas->FrameRect(frame);
  const std::string text = GetText();
  if (text.empty()) return;
  // The caption covers the frame line behind it.
  RECT caption{8, 0, 0, height};
  DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &caption,
            DT_SINGLELINE | DT_CALCRECT);
  canvas->Brush()->SetColor(Color());
  DrawTextA(canvas->Handle(), text.c_str(), static_cast<int>(text.size()), &caption, DT_SINGLELINE);
}

void TCustomGroupBox::CMDialogChar(TMessage& message) {
  if (!IsAccel(static_cast<WPARAM>(message.WParam), GetText()) || !CanFocus()) {
    Inherited(message);
    return;
  }
  TWinControl* first = FindNextControl(nullptr, true, true, false);
  if (first == nullptr) first = FindNextControl(nullptr, true, false, false);
  if (first != nullptr) first->SetFocus();
  message.Result = 1;
}

// FIXME: re-aligning the children waits for alignment in the control core.
void TCustomGroupBox::CMTextChanged(TMessage&) {
  Invalidate();
}

void TCustomGroupBox::CMCtl3DChanged(TMessage& message) {
  Inherited(message);
  Invalidate();
}

void TCustomGroupBox::WMSize(TMessage& message) {
  Invalidate();
  Inherited(message);
}
