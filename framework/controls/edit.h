// TCustomEdit and TEdit: a single-line text field over the system "EDIT"
// class. Its OnChange fires once for every change of its text, by the user
// or by the program, and never for an assignment that changes nothing.
#pragma once

#include <cstdint>

#include "framework/controls/win_control.h"

TAVRION_ENUM(TBorderStyle, std::uint8_t, bsNone, bsSingle)
TAVRION_ENUM(TEditCharCase, std::uint8_t, ecNormal, ecUpperCase, ecLowerCase)

class TCustomEdit : public TWinControl {
  TAVRION_CLASS(TCustomEdit, TWinControl)

 public:
  explicit TCustomEdit(TComponent* owner);

  std::int32_t MaxLength() const { return max_length_; }
  void SetMaxLength(std::int32_t value);
  TBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TBorderStyle value);
  char PasswordChar() const { return password_char_; }
  void SetPasswordChar(char value);
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool value);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  bool AutoSelect() const { return auto_select_; }
  void SetAutoSelect(bool value) { auto_select_ = value; }
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool value);
  bool OEMConvert() const { return oem_convert_; }
  void SetOEMConvert(bool value);
  TEditCharCase CharCase() const { return char_case_; }
  void SetCharCase(TEditCharCase value);
  // True only while the window is being made.
  bool Creating() const { return creating_; }
  bool Modified();
  void SetModified(bool value);

  void SelectAll();

  TNotifyEvent OnChange;

 protected:
  ~TCustomEdit() override = default;
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  virtual void Change();

  void CNCommand(TMessage& message);
  void CMTextChanged(TMessage& message);
  void CMEnter(TMessage& message);
  void CMFontChanged(TMessage& message);
  void CMCtl3DChanged(TMessage& message);
  void WMSetFont(TMessage& message);

 private:
  bool MultiLine();
  // With AutoSize and a single border the height follows the font.
  void UpdateHeight();
  void AdjustHeight();
  // Stores a style field and makes the window again when it changed.
  template <typename V>
  void SetStyleField(V& field, V value);

  std::int32_t max_length_ = 0;
  TBorderStyle border_style_ = bsSingle;
  char password_char_ = '\0';
  bool read_only_ = false;
  bool auto_size_ = true;
  bool auto_select_ = true;
  bool hide_selection_ = true;
  bool oem_convert_ = false;
  TEditCharCase char_case_ = ecNormal;
  bool creating_ = false;
  bool modified_ = false;
};

class TEdit : public TCustomEdit {
  TAVRION_CLASS(TEdit, TCustomEdit)

 public:
  using TCustomEdit::TCustomEdit;

 protected:
  ~TEdit() override = default;
};
