#include "framework/controls/buttons.h"

#include "framework/controls/accelerator.h"
#include "framework/controls/forms.h"

TAVRION_CLASS_INFO(TButtonControl, "StdCtrls") {}

TAVRION_CLASS_INFO(TButton, "StdCtrls") {
  PublishWinControlProperties(c);
  c.Property<&TButton::Cancel, &TButton::SetCancel>("Cancel").Default(0);
  c.Property<&TControl::Caption, &TControl::SetCaption>("Caption");
  c.Property<&TButton::Default, &TButton::SetDefault>("Default").Default(0);
  c.Property<&TButton::ModalResult, &TButton::SetModalResult>("ModalResult").Default(0);
  c.Message<CN_COMMAND>(&TButton::CNCommand);
  c.Message<CM_DIALOGKEY>(&TButton::CMDialogKey);
  c.Message<CM_DIALOGCHAR>(&TButton::CMDialogChar);
  c.Message<CM_FOCUSCHANGED>(&TButton::CMFocusChanged);
  c.Message<WM_ERASEBKGND>(&TButton::WMEraseBkgnd);
}

TAVRION_CLASS_INFO(TCustomCheckBox, "StdCtrls") {
  c.Message<CN_COMMAND>(&TCustomCheckBox::CNCommand);
  c.Message<CM_DIALOGCHAR>(&TCustomCheckBox::CMDialogChar);
  c.Message<CM_CTL3DCHANGED>(&TCustomCheckBox::CMCtl3DChanged);
  c.Message<WM_SIZE>(&TCustomCheckBox::WMSize);
}

TAVRION_CLASS_INFO(TCheckBox, "StdCtrls") {
  PublishWinControlProperties(c);
  c.Property<&TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment>("Alignment")
      .Default(static_cast<std::int32_t>(TLeftRight::taRightJustify));
  c.Property<&TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed>("AllowGrayed")
      .Default(0);
  c.Property<&TControl::Caption, &TControl::SetCaption>("Caption");
  c.Property<&TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked>("Checked").Default(0);
  c.Property<&TCustomCheckBox::State, &TCustomCheckBox::SetState>("State").Default(cbUnchecked);
}

namespace {

// The control that has the focus on the control's form, or none.
TWinControl* FocusedOnForm(TWinControl* form) {
  TWinControl* focused = FindControl(GetFocus());
  return focused != nullptr && form->ContainsControl(focused) ? focused : nullptr;
}

}  // namespace

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) {
  // The system button takes the mouse itself.
  control_style_ = csDoubleClicks;
}

void TButtonControl::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (!ComponentState().Has(csDesigning) && !Focused()) {
        clicks_disabled_ = true;
        ::SetFocus(Handle());
        clicks_disabled_ = false;
        if (!Focused()) return;
      }
      break;
    case CN_COMMAND:
      if (clicks_disabled_) return;
      break;
    default:
      break;
  }
  TWinControl::WndProc(message);
}

TButton::TButton(TComponent* owner) : TButtonControl(owner) {
  SetBounds(left_, top_, 75, 25);
  SetTabStop(true);
}

void TButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  if (!HandleAllocated()) return;
  if (TCustomForm* form = GetParentForm(this)) {
    form->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(FocusedOnForm(form)));
  }
}

void TButton::Click() {
  if (TCustomForm* form = GetParentForm(this)) form->SetModalResult(modal_result_);
  TButtonControl::Click();
}

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  TButtonControl::CreateWnd();
  active_ = default_;
}

void TButton::SetButtonStyle(bool is_default) {
  if (!HandleAllocated()) return;
  const DWORD style = is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((static_cast<DWORD>(GetWindowLongA(Handle(), GWL_STYLE)) & 0xF) != style) {
    SendMessageA(Handle(), BM_SETSTYLE, style, 1);
  }
}

void TButton::CNCommand(TMessage& message) {
  if (HIWORD(static_cast<WPARAM>(message.WParam)) == BN_CLICKED) Click();
}

void TButton::CMDialogKey(TMessage& message) {
  const auto key = static_cast<WPARAM>(message.WParam);
  if (((key == VK_RETURN && active_) || (key == VK_ESCAPE && cancel_)) &&
      NoShiftKeys(message.LParam) && CanFocus()) {
    Click();
    message.Result = 1;
    return;
  }
  Inherited(message);
}

void TButton::CMDialogChar(TMessage& message) {
  if (IsAccel(static_cast<WPARAM>(message.WParam), GetText()) && CanFocus()) {
    Click();
    message.Result = 1;
    return;
  }
  Inherited(message);
}

void TButton::CMFocusChanged(TMessage& message) {
  auto* focused = reinterpret_cast<TWinControl*>(message.LParam);
  if (auto* button = dynamic_cast<TButton*>(focused)) {
    active_ = button == this;
  } else {
    active_ = default_;
  }
  SetButtonStyle(active_);
  Inherited(message);
}

void TButton::WMEraseBkgnd(TMessage& message) {
  DefaultHandler(message);
}

TCustomCheckBox::TCustomCheckBox(TComponent* owner) : TButtonControl(owner) {
  SetBounds(left_, top_, 97, 17);
  SetTabStop(true);
}

void TCustomCheckBox::SetAlignment(TLeftRight value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
  if (state_ == value) return;
  state_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, state_, 0);
  if (!ClicksDisabled()) Click();
}

void TCustomCheckBox::Toggle() {
  switch (state_) {
    case cbUnchecked:
      SetState(allow_grayed_ ? cbGrayed : cbChecked);
      break;
    case cbChecked:
      SetState(cbUnchecked);
      break;
    case cbGrayed:
      SetState(cbChecked);
      break;
  }
}

void TCustomCheckBox::Click() {
  Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
  TButtonControl::Click();
}

void TCustomCheckBox::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  CreateSubClass(params, "BUTTON");
  // Not an automatic box: the mark changes only through SetState.
  params.Style |= BS_3STATE;
  if (alignment_ == TLeftRight::taLeftJustify) params.Style |= BS_LEFTTEXT;
  params.WindowClass.style &= ~(CS_HREDRAW | CS_VREDRAW);
}

void TCustomCheckBox::CreateWnd() {
  TButtonControl::CreateWnd();
  SendMessageA(Handle(), BM_SETCHECK, state_, 0);
}

void TCustomCheckBox::CNCommand(TMessage& message) {
  if (HIWORD(static_cast<WPARAM>(message.WParam)) == BN_CLICKED) Toggle();
}

void TCustomCheckBox::CMDialogChar(TMessage& message) {
  if (IsAccel(static_cast<WPARAM>(message.WParam), GetText()) && CanFocus()) {
    SetFocus();
    if (Focused()) Toggle();
    message.Result = 1;
    return;
  }
  Inherited(message);
}

void TCustomCheckBox::CMCtl3DChanged(TMessage& message) {
  RecreateWnd();
  Inherited(message);
}

void TCustomCheckBox::WMSize(TMessage& message) {
  Invalidate();
  Inherited(message);
}
