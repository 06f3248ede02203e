#include "framework/controls/control.h"

#include <algorithm>
#include <cstring>

#include "framework/controls/application.h"
#include "framework/controls/forms.h"
#include "framework/controls/win_control.h"
#include "framework/graphics/canvas.h"
#include "framework/rtl/format.h"
#include "framework/rtl/scope_exit.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace {
// The control without a window whose parent holds the capture for it.
TControl* capture_control = nullptr;
}  // namespace

TAVRION_CLASS_INFO(TControl, "Controls") {
  c.Property<&TControl::Left, &TControl::SetLeft>("Left");
  c.Property<&TControl::Top, &TControl::SetTop>("Top");
  c.Property<&TControl::Width, &TControl::SetWidth>("Width");
  c.Property<&TControl::Height, &TControl::SetHeight>("Height");
  c.Message<WM_LBUTTONDOWN>(&TControl::WMLButtonDown);
  c.Message<WM_LBUTTONDBLCLK>(&TControl::WMLButtonDown);
  c.Message<WM_LBUTTONUP>(&TControl::WMLButtonUp);
  c.Message<CM_VISIBLECHANGED>(&TControl::CMVisibleChanged);
  c.Message<CM_ENABLEDCHANGED>(&TControl::CMEnabledChanged);
  c.Message<CM_FONTCHANGED>(&TControl::CMFontChanged);
  c.Message<CM_COLORCHANGED>(&TControl::CMColorChanged);
  c.Message<CM_PARENTFONTCHANGED>(&TControl::CMParentFontChanged);
  c.Message<CM_PARENTCOLORCHANGED>(&TControl::CMParentColorChanged);
  c.Message<CM_PARENTSHOWHINTCHANGED>(&TControl::CMParentShowHintChanged);
}

TControl::TControl(TComponent* owner)
    : TComponent(owner), WindowProc(MethodOf<&TControl::WndProc>(this)), font_(Construct<TFont>()) {
  font_->OnChange = MethodOf<&TControl::FontChanged>(this);
}

TControl::~TControl() {
  if (Application != nullptr) Application->ControlDestroyed(this);
  if (capture_control == this) capture_control = nullptr;
  SetParent(nullptr);
}

LRESULT TControl::Perform(TControl* control, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (control == nullptr) return 0;
  TMessage message{msg, static_cast<std::intptr_t>(wparam), lparam, 0};
  control->WindowProc(message);
  return message.Result;
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent == static_cast<TControl*>(this)) {
    throw EInvalidOperation(LoadResString(SControlParentSetToSelf));
  }
  if (parent_ != nullptr) parent_->RemoveControl(this);
  if (parent != nullptr) parent->InsertControl(this);
}

void TControl::SetParentComponent(TComponent* value) {
  if (auto* parent = dynamic_cast<TWinControl*>(value)) SetParent(parent);
}

TComponent* TControl::GetParentComponent() {
  return parent_;
}

void TControl::ReadState(TReader* reader) {
  {
    control_state_.Include(csReadingState);
    const ScopeExit clear([this] { control_state_.Exclude(csReadingState); });
    TComponent::ReadState(reader);
  }
  if (parent_ != nullptr) {
    Perform(CM_PARENTCOLORCHANGED);
    Perform(CM_PARENTFONTCHANGED);
    Perform(CM_PARENTSHOWHINTCHANGED);
    Perform(CM_PARENTBIDIMODECHANGED);
  }
}

void TControl::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height) {
  ConstrainedResize(width, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  InvalidateControl(visible_, false);
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  Invalidate();
  Perform(WM_WINDOWPOSCHANGED);
  if (!ComponentState().Has(csLoading)) Resize();
}

RECT TControl::ClientRect() {
  return {0, 0, width_, height_};
}

void TControl::SetClientSize(std::optional<std::int32_t> width,
                             std::optional<std::int32_t> height) {
  const RECT client = ClientRect();
  SetBounds(left_, top_, width_ - client.right + width.value_or(client.right),
            height_ - client.bottom + height.value_or(client.bottom));
}

bool TControl::IsVisibleUp() const {
  for (const TControl* c = this; c != nullptr; c = c->parent_) {
    if (!c->visible_) return false;
  }
  return true;
}

void TControl::SetVisible(bool value) {
  if (visible_ == value) return;
  VisibleChanging();
  visible_ = value;
  Perform(CM_VISIBLECHANGED, value ? 1 : 0);
}

void TControl::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetParentFont(bool value) {
  if (parent_font_ == value) return;
  parent_font_ = value;
  if (parent_ != nullptr) Perform(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor value) {
  if (color_ == value) return;
  color_ = value;
  parent_color_ = false;
  Perform(CM_COLORCHANGED);
}

void TControl::SetParentColor(bool value) {
  if (parent_color_ == value) return;
  parent_color_ = value;
  if (parent_ != nullptr) Perform(CM_PARENTCOLORCHANGED);
}

void TControl::SetShowHint(bool value) {
  if (show_hint_ == value) return;
  show_hint_ = value;
  parent_show_hint_ = false;
}

void TControl::SetParentShowHint(bool value) {
  if (parent_show_hint_ == value) return;
  parent_show_hint_ = value;
  if (parent_ != nullptr) Perform(CM_PARENTSHOWHINTCHANGED);
}

std::string TControl::GetText() {
  const auto length = static_cast<std::size_t>(std::max<LRESULT>(Perform(WM_GETTEXTLENGTH), 0));
  std::string text(length + 1, '\0');
  if (length > 0) Perform(WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(text.data()));
  text.resize(std::strlen(text.c_str()));
  return text;
}

void TControl::SetText(const std::string& value) {
  if (GetText() != value) SetTextBuf(value.c_str());
}

void TControl::SetTextBuf(const char* buffer) {
  Perform(WM_SETTEXT, 0, reinterpret_cast<LPARAM>(buffer));
  Perform(CM_TEXTCHANGED);
}

void TControl::Click() {
  OnClick(this);
}

void TControl::Invalidate() {
  InvalidateControl(visible_, control_style_.Has(csOpaque));
}

void TControl::InvalidateControl(bool visible, bool opaque) {
  if (!visible || parent_ == nullptr || !parent_->HandleAllocated()) return;
  const RECT rect = BoundsRect();
  const bool parent_opaque = parent_->control_style_.Has(csOpaque);
  InvalidateRect(parent_->Handle(), &rect, (opaque || parent_opaque) ? FALSE : TRUE);
}

HDC TControl::GetDeviceContext(HWND& window) {
  if (parent_ == nullptr) throw EInvalidOperation(Format(LoadResString(SParentRequired), {Name()}));
  const HDC dc = parent_->GetDeviceContext(window);
  SetViewportOrgEx(dc, left_, top_, nullptr);
  IntersectClipRect(dc, 0, 0, width_, height_);
  return dc;
}

void TControl::FontChanged(TObject*) {
  parent_font_ = false;
  Perform(CM_FONTCHANGED);
}

TControl* CaptureControl() {
  return capture_control;
}

bool TControl::MouseCapture() const {
  if (capture_control == this) return true;
  const auto* windowed = dynamic_cast<const TWinControl*>(this);
  return windowed != nullptr && windowed->HandleAllocated() && GetCapture() == windowed->handle_;
}

void TControl::SetMouseCapture(bool value) {
  if (MouseCapture() == value) return;
  ReleaseCapture();
  capture_control = nullptr;
  if (!value) return;
  TWinControl* holder = dynamic_cast<TWinControl*>(this);
  if (holder == nullptr) {
    if (parent_ == nullptr) return;
    capture_control = this;
    holder = parent_;
  }
  SetCapture(holder->Handle());
}

void TControl::WndProc(TMessage& message) {
  const UINT msg = message.Msg;
  if (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && form->WantChildKey(this, message)) return;
  } else if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    if (!control_style_.Has(csDoubleClicks)) {
      switch (msg) {
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
          message.Msg = msg - 2;
          break;
        default:
          break;
      }
    }
    if (message.Msg == WM_MOUSEMOVE && Application != nullptr) {
      Application->HintMouseMessage(this, message);
    }
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK) {
      control_state_.Include(csLButtonDown);
    } else if (message.Msg == WM_LBUTTONUP) {
      control_state_.Exclude(csLButtonDown);
    }
  }
  Dispatch(message);
}

// The window's own handling of a press or release comes first, so a system
// control sees its release before the capture goes.
void TControl::WMLButtonDown(TMessage& message) {
  Inherited(message);
  if (control_style_.Has(csCaptureMouse)) SetMouseCapture(true);
  if (control_style_.Has(csClickEvents)) control_state_.Include(csClicked);
}

void TControl::WMLButtonUp(TMessage& message) {
  Inherited(message);
  if (control_style_.Has(csCaptureMouse)) SetMouseCapture(false);
  if (!control_state_.Has(csClicked)) return;
  control_state_.Exclude(csClicked);
  const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  const RECT client = ClientRect();
  if (PtInRect(&client, at)) Click();
}

void TControl::DefaultHandler(TMessage& message) {
  switch (message.Msg) {
    case WM_SETTEXT: {
      const auto* text = reinterpret_cast<const char*>(message.LParam);
      text_ = text != nullptr ? std::string(text) : std::string();
      break;
    }
    case WM_GETTEXT: {
      auto* out = reinterpret_cast<char*>(message.LParam);
      if (out == nullptr || message.WParam <= 0) {
        message.Result = 0;
        break;
      }
      const std::string& text = text_ ? *text_ : std::string();
      const std::size_t count = std::min(text.size(), static_cast<std::size_t>(message.WParam) - 1);
      std::memcpy(out, text.data(), count);
      out[count] = '\0';
      message.Result = static_cast<LRESULT>(count);
      break;
    }
    case WM_GETTEXTLENGTH:
      message.Result = text_ ? static_cast<LRESULT>(text_->size()) : 0;
      break;
    default:
      break;
  }
}

void TControl::CMVisibleChanged(TMessage&) {
  InvalidateControl(true, visible_ && control_style_.Has(csOpaque));
}

void TControl::CMEnabledChanged(TMessage&) {
  Invalidate();
}

void TControl::CMFontChanged(TMessage&) {
  Invalidate();
}

void TControl::CMColorChanged(TMessage&) {
  Invalidate();
}

void TControl::CMParentFontChanged(TMessage& message) {
  if (!parent_font_) return;
  if (message.WParam != 0) {
    SetFont(reinterpret_cast<TFont*>(message.LParam));
  } else if (parent_ != nullptr) {
    SetFont(parent_->Font());
  }
  parent_font_ = true;
}

void TControl::CMParentColorChanged(TMessage& message) {
  if (!parent_color_) return;
  if (message.WParam != 0) {
    SetColor(static_cast<TColor>(message.LParam));
  } else if (parent_ != nullptr) {
    SetColor(parent_->Color());
  }
  parent_color_ = true;
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!parent_show_hint_ || parent_ == nullptr) return;
  SetShowHint(parent_->ShowHint());
  parent_show_hint_ = true;
}
