// TCustomLabel and TLabel: a caption drawn on the parent's surface. With
// AutoSize it takes the size of its text; its accelerator focuses another
// control.
#pragma once

#include <cstdint>

#include "framework/controls/graphic_control.h"

TAVRION_ENUM(TAlignment, std::uint8_t, taLeftJustify, taRightJustify, taCenter)
TAVRION_ENUM(TTextLayout, std::uint8_t, tlTop, tlCenter, tlBottom)

class TCustomLabel : public TGraphicControl {
  TAVRION_CLASS(TCustomLabel, TGraphicControl)

 public:
  explicit TCustomLabel(TComponent* owner);

  TWinControl* FocusControl() const { return focus_control_; }
  void SetFocusControl(TWinControl* value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  bool AutoSize() const { return auto_size_; }
  void SetAutoSize(bool value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool WordWrap() const { return word_wrap_; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return show_accel_char_; }
  void SetShowAccelChar(bool value);
  // Without the opaque style the parent shows through.
  bool Transparent() const { return !control_style_.Has(csOpaque); }
  void SetTransparent(bool value);

 protected:
  ~TCustomLabel() override = default;
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  void Paint() override;
  // Draws (or with DT_CALCRECT measures) the caption in `rect`.
  virtual void DoDrawText(RECT& rect, UINT flags);
  // With AutoSize, takes the size of the text; a right-aligned label keeps
  // its right edge.
  virtual void AdjustBounds();

  void CMTextChanged(TMessage& message);
  void CMFontChanged(TMessage& message);
  void CMDialogChar(TMessage& message);

 private:
  TWinControl* focus_control_ = nullptr;
  TAlignment alignment_ = taLeftJustify;
  bool auto_size_ = true;
  TTextLayout layout_ = tlTop;
  bool word_wrap_ = false;
  bool show_accel_char_ = true;
};

class TLabel : public TCustomLabel {
  TAVRION_CLASS(TLabel, TCustomLabel)

 public:
  using TCustomLabel::TCustomLabel;

 protected:
  ~TLabel() override = default;
};
