// TButtonControl, TButton and TCheckBox over the system "BUTTON" class. A
// press on a control without the focus first takes the focus, and a click
// the system reports while the focus moves is swallowed. The check box keeps
// its own mark: the system box only reports clicks.
#pragma once

#include <cstdint>

#include "framework/controls/win_control.h"

TAVRION_SCOPED_ENUM(TLeftRight, std::uint8_t, taLeftJustify, taRightJustify)
TAVRION_ENUM(TCheckBoxState, std::uint8_t, cbUnchecked, cbChecked, cbGrayed)

class TButtonControl : public TWinControl {
  TAVRION_CLASS(TButtonControl, TWinControl)

 public:
  explicit TButtonControl(TComponent* owner);
  void WndProc(TMessage& message) override;

 protected:
  ~TButtonControl() override = default;
  // While set, clicks reported by the system button are dropped.
  bool ClicksDisabled() const { return clicks_disabled_; }
  void SetClicksDisabled(bool value) { clicks_disabled_ = value; }

 private:
  bool clicks_disabled_ = false;
};

class TButton : public TButtonControl {
  TAVRION_CLASS(TButton, TButtonControl)

 public:
  explicit TButton(TComponent* owner);

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  // Whether Enter clicks this button now.
  bool Active() const { return active_; }
  std::int32_t ModalResult() const { return modal_result_; }
  void SetModalResult(std::int32_t value) { modal_result_ = value; }

  // Passes ModalResult to the form, then raises OnClick.
  void Click() override;

 protected:
  ~TButton() override = default;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  // Makes the window a default push button or a plain one.
  void SetButtonStyle(bool is_default);

  void CNCommand(TMessage& message);
  void CMDialogKey(TMessage& message);
  void CMDialogChar(TMessage& message);
  void CMFocusChanged(TMessage& message);
  void WMEraseBkgnd(TMessage& message);

 private:
  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
  std::int32_t modal_result_ = 0;
};

class TCustomCheckBox : public TButtonControl {
  TAVRION_CLASS(TCustomCheckBox, TButtonControl)

 public:
  explicit TCustomCheckBox(TComponent* owner);

  TLeftRight Alignment() const { return alignment_; }
  void SetAlignment(TLeftRight value);
  bool AllowGrayed() const { return allow_grayed_; }
  void SetAllowGrayed(bool value) { allow_grayed_ = value; }
  TCheckBoxState State() const { return state_; }
  // A change raises OnClick, after State has the new value.
  void SetState(TCheckBoxState value);
  bool Checked() const { return state_ == cbChecked; }
  void SetChecked(bool value) { SetState(value ? cbChecked : cbUnchecked); }
  // Unchecked, (grayed when allowed,) checked, unchecked again.
  virtual void Toggle();
  // Tells the parents of the change, then raises OnClick.
  void Click() override;

 protected:
  ~TCustomCheckBox() override = default;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;

  void CNCommand(TMessage& message);
  void CMDialogChar(TMessage& message);
  void CMCtl3DChanged(TMessage& message);
  void WMSize(TMessage& message);

 private:
  TLeftRight alignment_ = TLeftRight::taRightJustify;
  bool allow_grayed_ = false;
  TCheckBoxState state_ = cbUnchecked;
};

class TCheckBox : public TCustomCheckBox {
  TAVRION_CLASS(TCheckBox, TCustomCheckBox)

 public:
  using TCustomCheckBox::TCustomCheckBox;

 protected:
  ~TCheckBox() override = default;
};
