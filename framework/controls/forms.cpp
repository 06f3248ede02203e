#include "framework/controls/forms.h"

#include <algorithm>

#include "framework/controls/application.h"
#include "framework/controls/handle_exception.h"
#include "framework/rtl/format.h"
#include "framework/rtl/scope_exit.h"
#include "framework/rtl/sysconst.h"
#include "framework/streaming/form_loading.h"
#include "framework/streaming/streams.h"
#include "rtl/resstrings.h"

TScreen* Screen = nullptr;

TAVRION_CLASS_INFO(TCustomForm, "Forms") {
  c.Message<CM_SHOWINGCHANGED>(&TCustomForm::CMShowingChanged);
  c.Message<CM_ACTIVATE>(&TCustomForm::CMActivate);
  c.Message<CM_DEACTIVATE>(&TCustomForm::CMDeactivate);
  c.Message<CM_DIALOGKEY>(&TCustomForm::CMDialogKey);
  c.Message<CM_RELEASE>(&TCustomForm::CMRelease);
  c.Message<WM_ACTIVATE>(&TCustomForm::WMActivate);
  c.Message<WM_CLOSE>(&TCustomForm::WMClose);
}

TAVRION_CLASS_INFO(TForm, "Forms") {
  c.Property<&TControl::Left, &TControl::SetLeft>("Left");
  c.Property<&TControl::Top, &TControl::SetTop>("Top");
  c.Property<&TControl::ClientWidth, &TControl::SetClientWidth>("ClientWidth");
  c.Property<&TControl::ClientHeight, &TControl::SetClientHeight>("ClientHeight");
  c.Property<&TControl::Caption, &TControl::SetCaption>("Caption");
  c.Property<&TCustomForm::ActiveControl, &TCustomForm::SetActiveControl>("ActiveControl");
  c.Property<&TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons>("BorderIcons");
  c.Property<&TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle>("BorderStyle");
  c.Property<&TCustomForm::Icon, &TCustomForm::SetIcon>("Icon");
  c.Property<&TCustomForm::OldCreateOrder, &TCustomForm::SetOldCreateOrder>("OldCreateOrder");
  c.Property<&TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch>("PixelsPerInch");
  c.Property<&TCustomForm::Position, &TCustomForm::SetPosition>("Position");
  c.Property<&TCustomForm::Scaled, &TCustomForm::SetScaled>("Scaled");
  c.Property<&TCustomForm::TextHeight, &TCustomForm::SetTextHeight>("TextHeight");
  c.Property<&TCustomForm::WindowState, &TCustomForm::SetWindowState>("WindowState");
  PublishControlProperties(c);
  c.Property<&TCustomForm::OnActivate, &TCustomForm::OnActivate>("OnActivate");
  c.Property<&TCustomForm::OnClose, &TCustomForm::OnClose>("OnClose");
  c.Property<&TCustomForm::OnCloseQuery, &TCustomForm::OnCloseQuery>("OnCloseQuery");
  c.Property<&TCustomForm::OnCreate, &TCustomForm::OnCreate>("OnCreate");
  c.Property<&TCustomForm::OnDeactivate, &TCustomForm::OnDeactivate>("OnDeactivate");
  c.Property<&TCustomForm::OnDestroy, &TCustomForm::OnDestroy>("OnDestroy");
  c.Property<&TCustomForm::OnHide, &TCustomForm::OnHide>("OnHide");
  c.Property<&TCustomForm::OnShow, &TCustomForm::OnShow>("OnShow");
}

TAVRION_CLASS_INFO(TScreen, "Forms") {}

TCustomForm::TCustomForm(TComponent* owner)
    : TWinControl(owner), canvas_(Construct<TControlCanvas>()), icon_(Construct<TIcon>()) {
  icon_->OnChange = MethodOf<&TCustomForm::IconChanged>(this);
  control_style_ = csAcceptsControls | csCaptureMouse | csClickEvents | csDoubleClicks;
  SetBounds(0, 0, 320, 240);
  visible_ = false;
  color_ = clBtnFace;
  Brush()->SetColor(color_);
  parent_color_ = false;
  parent_font_ = false;
  border_icons_.Include(biSystemMenu).Include(biMinimize).Include(biMaximize);
  canvas_->SetControl(this);
  if (Screen != nullptr) {
    pixels_per_inch_ = Screen->PixelsPerInch();
    Screen->AddForm(this);
  }
}

void TCustomForm::AfterConstruction() {
  TWinControl::AfterConstruction();
  {
    WriteLock lock(NameSpaceLock());
    if (!create_new_ && ClassType() != &TForm::StaticClass()) {
      form_state_ |= fsCreating;
      const ScopeExit created([this] { form_state_ &= ~fsCreating; });
      if (!InitInheritedComponent(this, &TForm::StaticClass())) {
        throw EResNotFound(Format(LoadResString(SResNotFound), {ClassName()}));
      }
    }
  }
  DoCreate();
  if ((form_state_ & fsActivated) != 0) {
    form_state_ &= ~fsActivated;
    Activate();
  }
}

void TCustomForm::DoCreate() {
  Guarded(this, [this] { OnCreate(this); });
  if ((form_state_ & fsVisible) != 0) SetVisible(true);
}

void TCustomForm::BeforeDestruction() {
  WriteLock lock(NameSpaceLock());
  Destroying();
  if (Screen != nullptr) Screen->ForgetSavedFocus(this);
  SetVisible(false);
  Guarded(this, [this] { OnDestroy(this); });
  TWinControl::BeforeDestruction();
}

TCustomForm::~TCustomForm() {
  // The window goes first (its children's with it), then the form leaves
  // the screen, and the components it owns go last.
  DestroyHandle();
  if (Screen != nullptr) Screen->RemoveForm(this);
  if (Application != nullptr) Application->FormDestroyed(this);
  canvas_.reset();
  icon_.reset();
  DestroyComponents();
}

void TCustomForm::SetVisible(bool value) {
  if ((form_state_ & fsCreating) != 0) {
    // While the definition is read, the wish is only recorded.
    if (value) {
      form_state_ |= fsVisible;
    } else {
      form_state_ &= ~fsVisible;
    }
    return;
  }
  TWinControl::SetVisible(value);
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  if (Parent() != nullptr || ParentWindow() != nullptr) return;
  params.Style &= ~(WS_CHILD | WS_GROUP | WS_TABSTOP);
  params.WndParent = Application != nullptr ? Application->Handle() : nullptr;
  params.WindowClass.style = CS_DBLCLKS;
  if (position_ == poDefault || position_ == poDefaultPosOnly) {
    params.X = CW_USEDEFAULT;
    params.Y = CW_USEDEFAULT;
  }
  TBorderIcons icons = border_icons_;
  switch (border_style_) {
    case TFormBorderStyle::bsNone:
      params.Style |= WS_POPUP;
      icons = {};
      break;
    case TFormBorderStyle::bsSingle:
    case TFormBorderStyle::bsToolWindow:
      params.Style |= WS_CAPTION | WS_BORDER;
      break;
    case TFormBorderStyle::bsSizeable:
    case TFormBorderStyle::bsSizeToolWin:
      params.Style |= WS_CAPTION | WS_THICKFRAME;
      if (position_ == poDefault || position_ == poDefaultSizeOnly) {
        params.Width = CW_USEDEFAULT;
        params.Height = CW_USEDEFAULT;
      }
      break;
    case TFormBorderStyle::bsDialog:
      params.Style |= WS_POPUP | WS_CAPTION;
      params.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      params.WindowClass.style = CS_DBLCLKS | CS_SAVEBITS | CS_BYTEALIGNWINDOW;
      icons = {};
      if (border_icons_.Contains(biSystemMenu)) icons.Include(biSystemMenu);
      if (border_icons_.Contains(biHelp)) icons.Include(biHelp);
      break;
  }
  if (border_style_ == TFormBorderStyle::bsToolWindow ||
      border_style_ == TFormBorderStyle::bsSizeToolWin) {
    params.ExStyle |= WS_EX_TOOLWINDOW;
    icons = {};
    if (border_icons_.Contains(biSystemMenu)) icons.Include(biSystemMenu);
  }
  if (border_style_ == TFormBorderStyle::bsNone || border_style_ == TFormBorderStyle::bsSingle ||
      border_style_ == TFormBorderStyle::bsSizeable) {
    if (icons.Contains(biMinimize)) params.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) params.Style |= WS_MAXIMIZEBOX;
    if (window_state_ == wsMinimized) params.Style |= WS_MINIMIZE;
    if (window_state_ == wsMaximized) params.Style |= WS_MAXIMIZE;
  }
  if (icons.Contains(biSystemMenu)) params.Style |= WS_SYSMENU;
  if (icons.Contains(biHelp)) params.ExStyle |= WS_EX_CONTEXTHELP;
}

void TCustomForm::CreateWnd() {
  TWinControl::CreateWnd();
  IconChanged(this);
}

void TCustomForm::IconChanged(TObject*) {
  if (HandleAllocated() && !icon_->Empty()) {
    SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_->Handle()));
  }
}

void TCustomForm::SetBorderStyle(TFormBorderStyle value) {
  if (border_style_ == value) return;
  border_style_ = value;
  RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons value) {
  if (border_icons_ == value) return;
  border_icons_ = value;
  RecreateWnd();
}

void TCustomForm::SetWindowState(TWindowState value) {
  if (window_state_ == value) return;
  window_state_ = value;
  if (Showing()) {
    ShowWindow(Handle(), value == wsMinimized   ? SW_MINIMIZE
                         : value == wsMaximized ? SW_SHOWMAXIMIZED
                                                : SW_RESTORE);
  }
}

void TCustomForm::PlaceByPosition() {
  if (position_ != poScreenCenter && position_ != poDesktopCenter &&
      position_ != poMainFormCenter && position_ != poOwnerFormCenter) {
    return;
  }
  RECT around{0, 0, Screen->Width(), Screen->Height()};
  TCustomForm* main = Application != nullptr ? Application->MainForm() : nullptr;
  if ((position_ == poMainFormCenter || position_ == poOwnerFormCenter) && main != nullptr &&
      main != this) {
    around = main->BoundsRect();
  }
  SetBounds(around.left + (around.right - around.left - width_) / 2,
            around.top + (around.bottom - around.top - height_) / 2, width_, height_);
}

void TCustomForm::CMShowingChanged(TMessage&) {
  if (Showing()) {
    OnShow(this);
    PlaceByPosition();
    ShowWindow(Handle(), window_state_ == wsMinimized   ? SW_SHOWMINNOACTIVE
                         : window_state_ == wsMaximized ? SW_SHOWMAXIMIZED
                                                        : SW_SHOWNORMAL);
  } else {
    OnHide(this);
    ShowWindow(Handle(), SW_HIDE);
  }
}

void TCustomForm::WMActivate(TMessage& message) {
  SetActive(LOWORD(message.WParam) != WA_INACTIVE);
}

void TCustomForm::SetActive(bool value) {
  active_ = value;
  if (!value) return;
  if (active_control_ == nullptr) SetActiveControl(FindNextControl(nullptr, true, true, false));
  SetWindowFocus();
}

void TCustomForm::SetWindowFocus() {
  TWinControl* focused = active_control_ != nullptr ? active_control_ : this;
  ::SetFocus(focused->Handle());
}

void TCustomForm::SetActiveControl(TWinControl* control) {
  if (active_control_ == control) return;
  if (control != nullptr && (control == this || GetParentForm(control) != this ||
                             (!ComponentState().Has(csLoading) && !control->CanFocus()))) {
    throw EInvalidOperation(LoadResString(SCannotFocus));
  }
  active_control_ = control;
  if (!ComponentState().Has(csLoading) && active_) SetWindowFocus();
}

void TCustomForm::FocusControl(TWinControl* control) {
  const bool was_active = active_;
  SetActiveControl(control);
  if (!was_active) SetFocus();
}

void TCustomForm::SetFocus() {
  if (active_) return;
  if (!visible_ || !enabled_) throw EInvalidOperation(LoadResString(SCannotFocus));
  SetWindowFocus();
}

void TCustomForm::DefocusControl(TWinControl* control, bool removing) {
  if (removing && control->ContainsControl(focused_control_)) focused_control_ = control->Parent();
  if (control->ContainsControl(active_control_)) active_control_ = nullptr;
}

namespace {

// Sends a focus message; false when the focus moved on meanwhile.
int focus_count = 0;
bool SendFocusMessage(HWND window, UINT msg) {
  const int count = ++focus_count;
  SendMessageA(window, msg, 0, 0);
  return focus_count == count;
}

}  // namespace

bool TCustomForm::SetFocusedControl(TWinControl* control) {
  ++focus_count;
  active_control_ = control != this ? control : nullptr;
  Screen->SetActive(this, control);
  if (control->ControlState().Has(csFocusing)) return false;
  control->SetControlState(control->ControlState().Include(csFocusing));
  const ScopeExit clear(
      [control] { control->SetControlState(control->ControlState().Exclude(csFocusing)); });
  if (Screen->FocusedForm() != this) {
    if (Screen->FocusedForm() != nullptr) {
      const HWND previous = Screen->FocusedForm()->Handle();
      Screen->SetFocusedForm(nullptr);
      if (!SendFocusMessage(previous, CM_DEACTIVATE)) return false;
    }
    Screen->SetFocusedForm(this);
    if (!SendFocusMessage(Handle(), CM_ACTIVATE)) return false;
  }
  if (focused_control_ == nullptr) focused_control_ = this;
  if (focused_control_ != control) {
    while (focused_control_ != nullptr && !focused_control_->ContainsControl(control)) {
      const HWND leaving = focused_control_->Handle();
      focused_control_ = focused_control_->Parent();
      if (!SendFocusMessage(leaving, CM_EXIT)) return false;
    }
    while (focused_control_ != control) {
      TWinControl* step = control;
      while (step->Parent() != focused_control_) step = step->Parent();
      focused_control_ = step;
      if (!SendFocusMessage(step->Handle(), CM_ENTER)) return false;
    }
    Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(control));
  }
  return true;
}

void TCustomForm::CMActivate(TMessage&) {
  if ((form_state_ & fsCreating) != 0 || ComponentState().Has(csReading)) {
    form_state_ |= fsActivated;
  } else {
    Activate();
  }
}

void TCustomForm::CMDeactivate(TMessage&) {
  Deactivate();
}

void TCustomForm::CMDialogKey(TMessage& message) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (message.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          SelectNext(active_control_, GetKeyState(VK_SHIFT) >= 0, true);
          message.Result = 1;
          return;
        }
        break;
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN:
        if (active_control_ != nullptr && active_control_->Parent() != nullptr) {
          active_control_->Parent()->SelectNext(
              active_control_, message.WParam == VK_RIGHT || message.WParam == VK_DOWN, false);
          message.Result = 1;
        }
        return;
      default:
        break;
    }
  }
  Broadcast(message);
}

void TCustomForm::WMClose(TMessage&) {
  Close();
}

bool TCustomForm::CloseQuery() {
  bool can_close = true;
  OnCloseQuery(this, can_close);
  return can_close;
}

void TCustomForm::Close() {
  if ((form_state_ & fsModal) != 0) {
    modal_result_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TCloseAction action = caHide;
  DoClose(action);
  if (action == caNone) return;
  if (Application != nullptr && Application->MainForm() == this) {
    Application->Terminate();
  } else if (action == caHide) {
    SetVisible(false);
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TCustomForm::Release() {
  PostMessageA(Handle(), CM_RELEASE, 0, 0);
}

void TCustomForm::CMRelease(TMessage&) {
  Free();
}

void TCustomForm::CloseModal() {
  TCloseAction action = caNone;
  if (CloseQuery()) {
    action = caHide;
    DoClose(action);
  }
  if (action == caNone) modal_result_ = mrNone;
  if (action == caFree) Release();
}

int TCustomForm::ShowModal() {
  if (visible_ || !enabled_ || (form_state_ & fsModal) != 0) {
    throw EInvalidOperation(LoadResString(SCannotShowModal));
  }
  if (GetCapture() != nullptr) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  form_state_ |= fsModal;
  HWND active_window = GetActiveWindow();
  Screen->PushFocusedForm(this);
  const std::vector<HWND> disabled = DisableTaskWindows(nullptr);
  const ScopeExit restore([&] {
    SetVisible(false);
    EnableTaskWindows(disabled);
    Screen->PopFocusedForm();
    if (active_window != nullptr) SetActiveWindow(active_window);
    form_state_ &= ~fsModal;
  });
  SetVisible(true);
  SendMessageA(Handle(), CM_ACTIVATE, 0, 0);
  modal_result_ = mrNone;
  do {
    Application->HandleMessage();
    if (Application->Terminated()) {
      modal_result_ = mrCancel;
    } else if (modal_result_ != mrNone) {
      CloseModal();
    }
  } while (modal_result_ == mrNone);
  SendMessageA(Handle(), CM_DEACTIVATE, 0, 0);
  if (GetActiveWindow() != Handle()) active_window = nullptr;
  return modal_result_;
}

TScreen::TScreen(TComponent* owner) : TComponent(owner) {
  const HDC dc = GetDC(nullptr);
  pixels_per_inch_ = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  ReadHintFont();
  CreateCursors();
}

TScreen::~TScreen() {
  DestroyCursors();
}

void TScreen::ReadHintFont() {
  NONCLIENTMETRICSA metrics{};
  metrics.cbSize = sizeof metrics;
  if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0) != 0) {
    hint_font_->SetHandle(CreateFontIndirectA(&metrics.lfStatusFont));
  } else {
    hint_font_->SetHandle(nullptr);
    hint_font_->SetSize(8);
  }
}

void TScreen::SetActive(TCustomForm* form, TWinControl* control) {
  active_control_ = control;
  active_form_ = form;
  std::erase(forms_, form);
  forms_.insert(forms_.begin(), form);
}

void TScreen::PushFocusedForm(TCustomForm* modal) {
  saved_focused_.insert(saved_focused_.begin(), focused_form_);
  focused_form_ = modal;
}

void TScreen::PopFocusedForm() {
  if (saved_focused_.empty()) return;
  focused_form_ = saved_focused_.front();
  saved_focused_.erase(saved_focused_.begin());
}

void TScreen::RemoveForm(TCustomForm* form) {
  std::erase(forms_, form);
  if (focused_form_ == form) focused_form_ = nullptr;
  if (active_form_ == form) active_form_ = nullptr;
}

int TScreen::Width() const {
  return GetSystemMetrics(SM_CXSCREEN);
}

int TScreen::Height() const {
  return GetSystemMetrics(SM_CYSCREEN);
}
