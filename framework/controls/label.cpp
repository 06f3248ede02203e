#include "framework/controls/label.h"

#include <platform/text.h>

#include "framework/controls/accelerator.h"

TAVRION_CLASS_INFO(TCustomLabel, "StdCtrls") {
  c.Message<CM_TEXTCHANGED>(&TCustomLabel::CMTextChanged);
  c.Message<CM_FONTCHANGED>(&TCustomLabel::CMFontChanged);
  c.Message<CM_DIALOGCHAR>(&TCustomLabel::CMDialogChar);
}

TAVRION_CLASS_INFO(TLabel, "StdCtrls") {
  PublishControlProperties(c);
  c.Property<&TCustomLabel::Alignment, &TCustomLabel::SetAlignment>("Alignment")
      .Default(taLeftJustify);
  c.Property<&TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize>("AutoSize").Default(1);
  c.Property<&TControl::Caption, &TControl::SetCaption>("Caption");
  c.Property<&TCustomLabel::FocusControl, &TCustomLabel::SetFocusControl>("FocusControl");
  c.Property<&TCustomLabel::Layout, &TCustomLabel::SetLayout>("Layout").Default(tlTop);
  c.Property<&TCustomLabel::ShowAccelChar, &TCustomLabel::SetShowAccelChar>("ShowAccelChar")
      .Default(1);
  c.Property<&TCustomLabel::Transparent, &TCustomLabel::SetTransparent>("Transparent").Default(0);
  c.Property<&TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap>("WordWrap").Default(0);
}

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  control_style_.Include(csOpaque);
  SetBounds(left_, top_, 65, 17);
}

void TCustomLabel::SetFocusControl(TWinControl* value) {
  if (focus_control_ == value) return;
  focus_control_ = value;
  if (value != nullptr) value->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  TGraphicControl::Notification(component, operation);
  if (operation == opRemove && component == focus_control_) focus_control_ = nullptr;
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TCustomLabel::SetAutoSize(bool value) {
  if (auto_size_ == value) return;
  auto_size_ = value;
  AdjustBounds();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (word_wrap_ == value) return;
  word_wrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (show_accel_char_ == value) return;
  show_accel_char_ = value;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (Transparent() == value) return;
  if (value) {
    control_style_.Exclude(csOpaque);
  } else {
    control_style_.Include(csOpaque);
  }
  Invalidate();
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::DoDrawText(RECT& rect, UINT flags) {
  std::string text = GetText();
  // An empty caption still measures one line high.
  if ((flags & DT_CALCRECT) != 0 && (text.empty() || (show_accel_char_ && text == "&"))) {
    text += ' ';
  }
  if (!show_accel_char_) flags |= DT_NOPREFIX;
  TCanvas* canvas = Canvas();
  canvas->SetFont(Font());
  const int length = static_cast<int>(text.size());
  if (Enabled()) {
    DrawTextA(canvas->Handle(), text.c_str(), length, &rect, flags);
    return;
  }
  OffsetRect(&rect, 1, 1);
  canvas->Font()->SetColor(clBtnHighlight);
  DrawTextA(canvas->Handle(), text.c_str(), length, &rect, flags);
  OffsetRect(&rect, -1, -1);
  canvas->Font()->SetColor(clBtnShadow);
  DrawTextA(canvas->Handle(), text.c_str(), length, &rect, flags);
}

void TCustomLabel::Paint() {
  static constexpr UINT kAlignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  TCanvas* canvas = Canvas();
  RECT rect = ClientRect();
  if (!Transparent()) {
    canvas->Brush()->SetColor(Color());
    canvas->Brush()->SetStyle(bsSolid);
    canvas->FillRect(rect);
  }
  canvas->Brush()->SetStyle(bsClear);
  UINT flags = DT_EXPANDTABS | kAlignments[alignment_];
  if (word_wrap_) flags |= DT_WORDBREAK;
  if (layout_ != tlTop) {
    RECT measured = rect;
    DoDrawText(measured, flags | DT_CALCRECT);
    const int space = height_ - measured.bottom;
    OffsetRect(&rect, 0, layout_ == tlBottom ? space : space / 2);
  }
  DoDrawText(rect, flags);
}

void TCustomLabel::AdjustBounds() {
  if (ComponentState().Has(csReading) || !auto_size_) return;
  RECT rect = ClientRect();
  const HDC dc = GetDC(nullptr);
  PaintOn(Canvas(), dc,
          [&] { DoDrawText(rect, DT_EXPANDTABS | DT_CALCRECT | (word_wrap_ ? DT_WORDBREAK : 0)); });
  ReleaseDC(nullptr, dc);
  const int left = alignment_ == taRightJustify ? left_ + width_ - rect.right : left_;
  SetBounds(left, top_, rect.right, rect.bottom);
}

void TCustomLabel::CMTextChanged(TMessage&) {
  Invalidate();
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& message) {
  Inherited(message);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& message) {
  if (focus_control_ != nullptr && Enabled() && show_accel_char_ &&
      IsAccel(static_cast<WPARAM>(message.WParam), GetText()) && focus_control_->CanFocus()) {
    focus_control_->SetFocus();
    message.Result = 1;
  }
}
