#include "framework/controls/win_control.h"

#include <algorithm>

#include "framework/controls/forms.h"

#include "framework/rtl/invariant.h"

TAVRION_CLASS_INFO(TWinControl, "Controls") {
  c.Message<CM_VISIBLECHANGED>(&TWinControl::CMVisibleChanged);
  c.Message<CM_ENABLEDCHANGED>(&TWinControl::CMEnabledChanged);
  c.Message<CM_FONTCHANGED>(&TWinControl::CMFontChanged);
  c.Message<CM_COLORCHANGED>(&TWinControl::CMColorChanged);
  c.Message<CM_SHOWINGCHANGED>(&TWinControl::CMShowingChanged);
  c.Message<CM_PARENTCTL3DCHANGED>(&TWinControl::CMParentCtl3DChanged);
  c.Message<CM_RECREATEWND>(&TWinControl::CMRecreateWnd);
  c.Message<CM_INVALIDATE>(&TWinControl::CMInvalidate);
  c.Message<CM_CHILDKEY>(&TWinControl::CMChildKey);
  c.Message<CM_DIALOGKEY>(&TWinControl::CMBroadcast);
  c.Message<CM_DIALOGCHAR>(&TWinControl::CMBroadcast);
  c.Message<CM_FOCUSCHANGED>(&TWinControl::CMBroadcast);
  c.Message<CM_CHANGED>(&TWinControl::CMChanged);
  c.Message<CN_KEYDOWN>(&TWinControl::CNKeyDown);
  c.Message<CN_SYSKEYDOWN>(&TWinControl::CNKeyDown);
  c.Message<WM_COMMAND>(&TWinControl::WMCommand);
  c.Message<WM_NOTIFY>(&TWinControl::WMNotify);
  c.Message<WM_HSCROLL>(&TWinControl::WMScroll);
  c.Message<WM_VSCROLL>(&TWinControl::WMScroll);
  c.Message<WM_PAINT>(&TWinControl::WMPaint);
  c.Message<WM_SETCURSOR>(&TWinControl::WMSetCursor);
  c.Message<WM_WINDOWPOSCHANGED>(&TWinControl::WMWindowPosChanged);
  c.Message<WM_NCDESTROY>(&TWinControl::WMNCDestroy);
  c.Message<WM_SYSCOLORCHANGE>(&TWinControl::WMSysColorChange);
  c.Message<WM_ERASEBKGND>(&TWinControl::WMEraseBkgnd);
}

TWinControl::TWinControl(TComponent* owner) : TControl(owner), brush_(Construct<TBrush>()) {
  brush_->SetColor(color_);
}

TWinControl::~TWinControl() {
  Destroying();
  if (parent_ != nullptr) RemoveFocus(true);
  if (handle_ != nullptr) DestroyWindowHandle();
  // Owned components leave while this part is still whole.
  DestroyComponents();
  // Children owned by another component go with their parent.
  while (ControlCount() > 0) {
    TControl* child = Controls(ControlCount() - 1);
    Forget(child);
    child->Free();
  }
}

TControl* TWinControl::Controls(int index) const {
  TAV_INVARIANT(index >= 0 && index < ControlCount(), "a child at the index exists");
  const int windowless = static_cast<int>(controls_.size());
  if (index < windowless) return controls_[static_cast<std::size_t>(index)];
  return win_controls_[static_cast<std::size_t>(index - windowless)];
}

bool TWinControl::ContainsControl(TControl* control) const {
  for (TControl* c = control; c != nullptr; c = c->parent_) {
    if (c == this) return true;
  }
  return false;
}

void TWinControl::InsertControl(TControl* control) {
  control->ValidateContainer(this);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    win_controls_.push_back(windowed);
    tab_list_.push_back(windowed);
  } else {
    controls_.push_back(control);
  }
  control->parent_ = this;
  if (!control->control_state_.Has(csReadingState)) {
    control->Perform(CM_PARENTCOLORCHANGED);
    control->Perform(CM_PARENTFONTCHANGED);
    control->Perform(CM_PARENTSHOWHINTCHANGED);
    control->Perform(CM_PARENTBIDIMODECHANGED);
    if (dynamic_cast<TWinControl*>(control) != nullptr) {
      control->Perform(CM_PARENTCTL3DCHANGED);
      UpdateControlState();
    } else if (HandleAllocated()) {
      control->Invalidate();
    }
  }
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), TRUE);
}

void TWinControl::RemoveControl(TControl* control) {
  Perform(CM_CONTROLCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    windowed->RemoveFocus(true);
    windowed->DestroyHandle();
  } else if (HandleAllocated()) {
    control->InvalidateControl(control->visible_, false);
  }
  Forget(control);
  Perform(CM_CONTROLLISTCHANGE, reinterpret_cast<WPARAM>(control), FALSE);
}

void TWinControl::Forget(TControl* control) {
  TAV_INVARIANT(control->parent_ == this, "a control removed is a child");
  const auto is = [control](const TControl* c) { return c == control; };
  std::erase_if(controls_, is);
  std::erase_if(win_controls_, is);
  std::erase_if(tab_list_, is);
  control->parent_ = nullptr;
}

TControl* TWinControl::ControlAtPos(POINT pos) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    TControl* c = *it;
    const RECT r = c->BoundsRect();
    if (c->visible_ && pos.x >= r.left && pos.x < r.right && pos.y >= r.top && pos.y < r.bottom) {
      return c;
    }
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& message) {
  for (int i = 0; i < ControlCount(); ++i) {
    Controls(i)->WindowProc(message);
    if (message.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  TMessage message{msg, 0, 0, 0};
  Broadcast(message);
}

void TWinControl::ReadState(TReader* reader) {
  TControl::ReadState(reader);
  FixupTabList();
  if (parent_ != nullptr) Perform(CM_PARENTCTL3DCHANGED);
  UpdateControlState();
}

void TWinControl::SetParentWindow(HWND value) {
  if (parent_ != nullptr || parent_window_ == value) return;
  if (handle_ != nullptr && parent_window_ != nullptr && value != nullptr) {
    parent_window_ = value;
    ::SetParent(handle_, value);
  } else {
    DestroyHandle();
    parent_window_ = value;
  }
  UpdateControlState();
}

void TWinControl::SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                            std::int32_t height) {
  ConstrainedResize(width, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  if (handle_ != nullptr && !IsIconic(handle_)) {
    // The window's WM_WINDOWPOSCHANGED brings the new bounds back.
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  } else {
    // A new outer size replaces a client size still waiting for the window.
    if (width != width_) client_width_.reset();
    if (height != height_) client_height_.reset();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (handle_ != nullptr) {
      // Minimised: the window takes these bounds when it is restored.
      WINDOWPLACEMENT placement{};
      placement.length = sizeof placement;
      GetWindowPlacement(handle_, &placement);
      placement.rcNormalPosition = BoundsRect();
      SetWindowPlacement(handle_, &placement);
    }
  }
}

RECT TWinControl::ClientRect() {
  RECT rect{0, 0, client_width_.value_or(width_), client_height_.value_or(height_)};
  if (handle_ != nullptr) GetClientRect(handle_, &rect);
  return rect;
}

void TWinControl::SetClientSize(std::optional<std::int32_t> width,
                                std::optional<std::int32_t> height) {
  if (handle_ == nullptr && ComponentState().Has(csLoading)) {
    if (width) client_width_ = width;
    if (height) client_height_ = height;
    return;
  }
  HandleNeeded();
  TControl::SetClientSize(width, height);
}

void TWinControl::ApplyClientSize() {
  const auto width = client_width_;
  const auto height = client_height_;
  if (!ComponentState().Has(csLoading)) {
    client_width_.reset();
    client_height_.reset();
  }
  if (width || height) TControl::SetClientSize(width, height);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  if (handle_ != nullptr) ApplyClientSize();
}

void TWinControl::Invalidate() {
  if (handle_ != nullptr) InvalidateRect(handle_, nullptr, !control_style_.Has(csOpaque));
}

void TWinControl::CMInvalidate(TMessage&) {
  Invalidate();
}

void TWinControl::SetCtl3D(bool value) {
  if (ctl3d_ == value) return;
  ctl3d_ = value;
  parent_ctl3d_ = false;
  Perform(CM_CTL3DCHANGED);
}

void TWinControl::SetParentCtl3D(bool value) {
  if (parent_ctl3d_ == value) return;
  parent_ctl3d_ = value;
  if (parent_ != nullptr) Perform(CM_PARENTCTL3DCHANGED);
}

void TWinControl::UpdateControlState() {
  TWinControl* top = this;
  while (top->parent_ != nullptr) {
    top = top->parent_;
    if (!top->showing_) return;
  }
  if (dynamic_cast<TCustomForm*>(top) != nullptr || top->parent_window_ != nullptr) {
    UpdateShowing();
  }
}

void TWinControl::UpdateShowing() {
  const bool show = visible_ && !control_state_.Has(csReadingState);
  if (show) {
    if (handle_ == nullptr) CreateHandle();
    // A child's update may change the list; the index is checked each time.
    for (std::size_t i = 0; i < win_controls_.size(); ++i) win_controls_[i]->UpdateShowing();
  }
  if (handle_ != nullptr && showing_ != show) {
    showing_ = show;
    try {
      Perform(CM_SHOWINGCHANGED);
    } catch (...) {
      showing_ = !show;
      throw;
    }
  }
}

void TWinControl::CMShowingChanged(TMessage&) {
  constexpr UINT kShow = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW;
  constexpr UINT kHide = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW;
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0, showing_ ? kShow : kHide);
}

void TWinControl::CMVisibleChanged(TMessage&) {
  if (!visible_ && parent_ != nullptr) RemoveFocus(false);
  UpdateControlState();
}

void TWinControl::CMEnabledChanged(TMessage&) {
  if (!enabled_ && parent_ != nullptr) RemoveFocus(false);
  if (handle_ != nullptr) EnableWindow(handle_, enabled_ ? TRUE : FALSE);
}

void TWinControl::CMFontChanged(TMessage& message) {
  TControl::CMFontChanged(message);
  if (handle_ != nullptr) Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 0);
  NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::CMColorChanged(TMessage& message) {
  TControl::CMColorChanged(message);
  brush_->SetColor(color_);
  NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::CMParentCtl3DChanged(TMessage&) {
  if (!parent_ctl3d_ || parent_ == nullptr) return;
  SetCtl3D(parent_->ctl3d_);
  parent_ctl3d_ = true;
}

void TWinControl::CMRecreateWnd(TMessage&) {
  RecreateWnd();
}

void TWinControl::RecreateWnd() {
  if (handle_ == nullptr) return;
  const bool had_focus = Focused();
  DestroyHandle();
  UpdateControlState();
  if (had_focus && handle_ != nullptr) ::SetFocus(handle_);
}

void TWinControl::CMBroadcast(TMessage& message) {
  Broadcast(message);
}

void TWinControl::CMChanged(TMessage& message) {
  if (parent_ != nullptr) parent_->WindowProc(message);
}

void TWinControl::CMChildKey(TMessage& message) {
  if (parent_ != nullptr) {
    message.Result = parent_->Perform(CM_CHILDKEY, message.WParam, message.LParam);
  }
}

void TWinControl::UpdateBounds() {
  RECT rect{};
  GetWindowRect(handle_, &rect);
  const HWND parent =
      (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD) != 0 ? GetParent(handle_) : nullptr;
  if (parent != nullptr) MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  const std::int32_t width = rect.right - rect.left;
  const std::int32_t height = rect.bottom - rect.top;
  if (rect.left == left_ && rect.top == top_ && width == width_ && height == height_) return;
  left_ = rect.left;
  top_ = rect.top;
  width_ = width;
  height_ = height;
  Resize();
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
  if (handle_ != nullptr) UpdateBounds();
  // Only the window's own news has data for the default handling.
  if (message.LParam != 0) DefaultHandler(message);
}
