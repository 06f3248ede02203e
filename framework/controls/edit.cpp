#include "framework/controls/edit.h"

#include <platform/text.h>

#include "framework/rtl/scope_exit.h"

TAVRION_CLASS_INFO(TCustomEdit, "StdCtrls") {
  c.Message<CN_COMMAND>(&TCustomEdit::CNCommand);
  c.Message<CM_TEXTCHANGED>(&TCustomEdit::CMTextChanged);
  c.Message<CM_ENTER>(&TCustomEdit::CMEnter);
  c.Message<CM_FONTCHANGED>(&TCustomEdit::CMFontChanged);
  c.Message<CM_CTL3DCHANGED>(&TCustomEdit::CMCtl3DChanged);
  c.Message<WM_SETFONT>(&TCustomEdit::WMSetFont);
}

TAVRION_CLASS_INFO(TEdit, "StdCtrls") {
  PublishWinControlProperties(c);
  c.Property<&TCustomEdit::AutoSelect, &TCustomEdit::SetAutoSelect>("AutoSelect").Default(1);
  c.Property<&TCustomEdit::AutoSize, &TCustomEdit::SetAutoSize>("AutoSize").Default(1);
  c.Property<&TCustomEdit::BorderStyle, &TCustomEdit::SetBorderStyle>("BorderStyle")
      .Default(bsSingle);
  c.Property<&TCustomEdit::CharCase, &TCustomEdit::SetCharCase>("CharCase").Default(ecNormal);
  c.Property<&TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection>("HideSelection")
      .Default(1);
  c.Property<&TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength>("MaxLength").Default(0);
  c.Property<&TCustomEdit::OEMConvert, &TCustomEdit::SetOEMConvert>("OEMConvert").Default(0);
  c.Property<&TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar>("PasswordChar").Default(0);
  c.Property<&TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly>("ReadOnly").Default(0);
  c.Property<&TControl::GetText, &TControl::SetText>("Text");
  c.Property<&TCustomEdit::OnChange, &TCustomEdit::OnChange>("OnChange");
}

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  // The system edit takes the mouse itself.
  control_style_ = csClickEvents | csDoubleClicks | csFixedHeight;
  SetBounds(left_, top_, 121, 25);
  SetTabStop(true);
  SetParentColor(false);
  UpdateHeight();
}

void TCustomEdit::SetMaxLength(std::int32_t value) {
  if (max_length_ == value) return;
  max_length_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

template <typename V>
void TCustomEdit::SetStyleField(V& field, V value) {
  if (field == value) return;
  field = value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (border_style_ == value) return;
  border_style_ = value;
  UpdateHeight();
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
  SetStyleField(hide_selection_, value);
}

void TCustomEdit::SetOEMConvert(bool value) {
  SetStyleField(oem_convert_, value);
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
  SetStyleField(char_case_, value);
}

void TCustomEdit::SetPasswordChar(char value) {
  if (password_char_ == value) return;
  password_char_ = value;
  // The system edit shows the new character itself; writing the text again
  // would report a change that did not happen.
  if (HandleAllocated()) {
    SendMessageA(Handle(), EM_SETPASSWORDCHAR, static_cast<unsigned char>(value), 0);
  }
}

void TCustomEdit::SetReadOnly(bool value) {
  if (read_only_ == value) return;
  read_only_ = value;
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetAutoSize(bool value) {
  if (auto_size_ == value) return;
  auto_size_ = value;
  UpdateHeight();
}

bool TCustomEdit::Modified() {
  if (HandleAllocated()) return SendMessageA(Handle(), EM_GETMODIFY, 0, 0) != 0;
  return modified_;
}

void TCustomEdit::SetModified(bool value) {
  if (HandleAllocated()) {
    SendMessageA(Handle(), EM_SETMODIFY, value ? TRUE : FALSE, 0);
  } else {
    modified_ = value;
  }
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageA(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  static constexpr DWORD kCharCases[] = {0, ES_UPPERCASE, ES_LOWERCASE};
  TWinControl::CreateParams(params);
  CreateSubClass(params, "EDIT");
  params.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL | kCharCases[char_case_];
  if (border_style_ == bsSingle) {
    // A sunken edge in place of the flat border when drawn in 3D.
    if (Ctl3D()) {
      params.ExStyle |= WS_EX_CLIENTEDGE;
    } else {
      params.Style |= WS_BORDER;
    }
  }
  if (password_char_ != '\0') params.Style |= ES_PASSWORD;
  if (read_only_) params.Style |= ES_READONLY;
  if (!hide_selection_) params.Style |= ES_NOHIDESEL;
  if (oem_convert_) params.Style |= ES_OEMCONVERT;
}

void TCustomEdit::CreateWnd() {
  // The text comes in as the window's own; its EN_CHANGE is no change.
  {
    creating_ = true;
    const ScopeExit created([this] { creating_ = false; });
    TWinControl::CreateWnd();
  }
  const HWND window = Handle();
  SendMessageA(window, EM_LIMITTEXT, static_cast<WPARAM>(max_length_), 0);
  if (modified_) SendMessageA(window, EM_SETMODIFY, TRUE, 0);
  if (password_char_ != '\0') {
    SendMessageA(window, EM_SETPASSWORDCHAR, static_cast<unsigned char>(password_char_), 0);
  }
  UpdateHeight();
}

void TCustomEdit::DestroyWnd() {
  modified_ = Modified();
  TWinControl::DestroyWnd();
}

bool TCustomEdit::MultiLine() {
  return HandleAllocated() && (GetWindowLongA(Handle(), GWL_STYLE) & ES_MULTILINE) != 0;
}

void TCustomEdit::Change() {
  Perform(CM_CHANGED, 0, reinterpret_cast<LPARAM>(this));
  OnChange(this);
}

void TCustomEdit::CNCommand(TMessage& message) {
  if (HIWORD(static_cast<WPARAM>(message.WParam)) == EN_CHANGE && !creating_) Change();
}

void TCustomEdit::CMTextChanged(TMessage& message) {
  Inherited(message);
  // A single-line window reports the change itself with EN_CHANGE.
  if (!HandleAllocated() || MultiLine()) Change();
}

void TCustomEdit::CMEnter(TMessage& message) {
  if (auto_select_ && !control_state_.Has(csLButtonDown) && !MultiLine()) SelectAll();
  Inherited(message);
}

void TCustomEdit::CMFontChanged(TMessage& message) {
  Inherited(message);
  if (!ComponentState().HasAny(csDesigning | csLoading)) UpdateHeight();
}

void TCustomEdit::CMCtl3DChanged(TMessage& message) {
  if (border_style_ == bsSingle) {
    UpdateHeight();
    RecreateWnd();
  }
  Inherited(message);
}

void TCustomEdit::WMSetFont(TMessage& message) {
  DefaultHandler(message);
  if (!MultiLine()) {
    SendMessageA(Handle(), EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, 0);
  }
}

void TCustomEdit::UpdateHeight() {
  if (auto_size_ && border_style_ == bsSingle) {
    control_style_.Include(csFixedHeight);
    AdjustHeight();
  } else {
    control_style_.Exclude(csFixedHeight);
  }
}

void TCustomEdit::AdjustHeight() {
  const HDC dc = GetDC(nullptr);
  const HGDIOBJ saved = SelectObject(dc, Font()->Handle());
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  SelectObject(dc, saved);
  ReleaseDC(nullptr, dc);
  // Room for the border and the margins above and below the text.
  const int extra = GetSystemMetrics(SM_CYBORDER) * (Ctl3D() ? 8 : 6);
  SetHeight(metrics.tmHeight + extra);
}
