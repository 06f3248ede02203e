// The application's hints: when a control's hint shows, moves on and goes.
#include "framework/controls/application.h"
#include "framework/controls/handle_exception.h"

std::string GetShortHint(const std::string& hint) {
  return hint.substr(0, hint.find('|'));
}

std::string GetLongHint(const std::string& hint) {
  const std::size_t bar = hint.find('|');
  return bar == std::string::npos ? hint : hint.substr(bar + 1);
}

TWinControl* WindowControlAt(POINT screen) {
  HWND window = WindowFromPoint(screen);
  TWinControl* windowed = nullptr;
  while (window != nullptr && (windowed = FindControl(window)) == nullptr) {
    window = GetParent(window);
  }
  return windowed;
}

TControl* ControlAt(POINT screen) {
  TWinControl* windowed = WindowControlAt(screen);
  if (windowed == nullptr) return nullptr;
  POINT client = screen;
  ScreenToClient(windowed->Handle(), &client);
  TControl* child = windowed->ControlAtPos(client);
  return child != nullptr ? child : windowed;
}

namespace {

// The control that shows hints for `control`: itself or the first parent
// with ShowHint.
TControl* HintControlOf(TControl* control) {
  while (control != nullptr && !control->ShowHint()) control = control->Parent();
  return control;
}

RECT ScreenRectOf(TControl* control) {
  RECT rect = control->BoundsRect();
  if (TWinControl* parent = control->Parent()) {
    MapWindowPoints(parent->Handle(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
  }
  return rect;
}

}  // namespace

void TApplication::HintTimerExpired(HWND, UINT, UINT_PTR, DWORD) {
  TApplication* app = Application;
  if (app == nullptr) return;
  // The callback runs inside DispatchMessageA: it is guarded like a message.
  Guarded(app, [app] {
    const bool hide = app->hint_timer_hides_;
    app->StopHintTimer();
    if (hide) {
      app->HideHint();
      return;
    }
    POINT cursor{};
    GetCursorPos(&cursor);
    app->ActivateHint(cursor);
  });
}

void TApplication::ControlDestroyed(TControl* control) {
  if (mouse_control_ == control) mouse_control_ = nullptr;
  if (hint_control_ == control) CancelHint();
}

void TApplication::SetShowHint(bool value) {
  if (ShowHint() == value) return;
  if (value) {
    hint_window_ = MakeHintWindow();
  } else {
    CancelHint();
    hint_window_->Free();
    hint_window_ = nullptr;
  }
}

void TApplication::HintMouseMessage(TControl* control, const TMessage& message) {
  if (hint_window_ == nullptr) return;
  POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
  if (auto* windowed = dynamic_cast<TWinControl*>(control)) {
    ClientToScreen(windowed->Handle(), &at);
  } else if (control->Parent() != nullptr) {
    at.x += control->Left();
    at.y += control->Top();
    ClientToScreen(control->Parent()->Handle(), &at);
  }
  TControl* hinted = HintControlOf(ControlAt(at));
  if (hinted == nullptr) {
    CancelHint();
    return;
  }
  if (hinted == hint_control_ && PtInRect(&hint_cursor_rect_, at)) return;
  const bool was_active = hint_active_;
  int pause = was_active ? hint_short_pause_ : hint_pause_;
  hinted->Perform(CM_HINTSHOWPAUSE, was_active ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
  if (was_active && pause == 0) {
    SetHintControl(hinted);
    ActivateHint(at);
    return;
  }
  CancelHint();
  hint_active_ = was_active;
  SetHintControl(hinted);
  hint_cursor_rect_ = ScreenRectOf(hinted);
  StartHintTimer(pause, false);
}

void TApplication::ActivateHint(POINT cursor) {
  if (hint_control_ == nullptr) return;
  cursor.y += CursorHeightMargin();
  const int max_width = GetSystemMetrics(SM_CXSCREEN);
  const RECT cursor_rect = ScreenRectOf(hint_control_);
  const std::string text = GetShortHint(hint_control_->Hint());
  const bool may_show = hint_control_->Perform(CM_HINTSHOW) == 0;
  hint_active_ = may_show;
  if (!may_show || text.empty() || hint_window_ == nullptr) {
    CancelHint();
    return;
  }
  if (hint_window_->ClassType() != HintWindowClass()) {
    hint_window_->Free();
    hint_window_ = MakeHintWindow();
  }
  RECT rect = hint_window_->MeasureHint(max_width, text, nullptr);
  OffsetRect(&rect, cursor.x, cursor.y);
  hint_cursor_rect_ = cursor_rect;
  hint_window_->SetColor(hint_color_);
  hint_window_->ShowHintWithData(rect, text, nullptr);
  HookHintHooks();
  StartHintTimer(hint_hide_pause_, true);
}

void TApplication::HideHint() {
  if (hint_window_ != nullptr && hint_window_->HandleAllocated() &&
      IsWindowVisible(hint_window_->Handle())) {
    ShowWindow(hint_window_->Handle(), SW_HIDE);
  }
}

void TApplication::CancelHint() {
  if (hint_control_ == nullptr) return;
  HideHint();
  SetHintControl(nullptr);
  hint_active_ = false;
  UnhookHintHooks();
  StopHintTimer();
}

void TApplication::IsHintMsg(const MSG& message) {
  if (hint_window_ != nullptr && hint_window_->EndsHint(message)) CancelHint();
}

void TApplication::SetHintControl(TControl* control) {
  hint_control_ = control;
  hint_watch_.control_set.store(control != nullptr);
}

THintWindow* TApplication::MakeHintWindow() {
  auto* window = static_cast<THintWindow*>(HintWindowClass()->Create(this));
  window->SetColor(hint_color_);
  return window;
}

void TApplication::StartHintTimer(int pause, bool hide) {
  StopHintTimer();
  hint_timer_hides_ = hide;
  hint_timer_ = SetTimer(nullptr, 0, static_cast<UINT>(pause), &HintTimerExpired);
  if (hint_timer_ == 0) CancelHint();
}

void TApplication::StopHintTimer() {
  if (hint_timer_ == 0) return;
  KillTimer(nullptr, hint_timer_);
  hint_timer_ = 0;
}
