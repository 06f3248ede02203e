// The window of a windowed control: making and destroying it, the window
// procedure that leads each message to its object, the default handling,
// the reflection of child notifications, and painting.
#include <cstdio>

#include "framework/controls/control_canvas.h"
#include "framework/controls/forms.h"
#include "framework/controls/handle_exception.h"
#include "framework/controls/win_control.h"
#include "framework/rtl/format.h"
#include "framework/rtl/os_error.h"
#include "framework/rtl/scope_exit.h"
#include "framework/rtl/sysconst.h"
#include "platform/commctrl.h"
#include "platform/kernel.h"
#include "rtl/resstrings.h"

namespace {

// The control whose window is being made, between CreateWnd and the first
// message of the new window.
TWinControl* creation_control = nullptr;

std::string AtomName(const char* format, std::uint32_t a, std::uint32_t b = 0) {
  char name[32];
  std::snprintf(name, sizeof name, format, a, b);
  return name;
}

LPCSTR AtomKey(ATOM atom) {
  return MAKEINTATOM(atom);
}

LRESULT ObjectWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  TWinControl* control = FindControl(window);
  if (control == nullptr) return DefWindowProcA(window, msg, wparam, lparam);
  TMessage message{msg, static_cast<std::intptr_t>(wparam), lparam, 0};
  control->MainWndProc(message);
  return message.Result;
}

}  // namespace

ATOM WindowAtom() {
  static const ATOM atom = GlobalAddAtomA(
      AtomName("Quorva%.8X", static_cast<std::uint32_t>(GetCurrentProcessId())).c_str());
  return atom;
}

ATOM ControlAtom() {
  static const ATOM atom = GlobalAddAtomA(
      AtomName(
          "ControlOfs%.8X%.8X",
          static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(GetModuleHandleA(nullptr))),
          static_cast<std::uint32_t>(GetCurrentThreadId()))
          .c_str());
  return atom;
}

namespace {
// Both atoms exist from start-up on.
[[maybe_unused]] const bool atoms_added = (WindowAtom(), ControlAtom(), true);
}  // namespace

TWinControl* FindControl(HWND window) {
  if (window == nullptr) return nullptr;
  return static_cast<TWinControl*>(GetPropA(window, AtomKey(ControlAtom())));
}

TCustomForm* GetParentForm(TControl* control) {
  if (control == nullptr) return nullptr;
  TControl* top = control;
  while (top->Parent() != nullptr) top = top->Parent();
  return dynamic_cast<TCustomForm*>(top);
}

LRESULT FirstMessageProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  TWinControl* control = creation_control;
  if (control == nullptr) return DefWindowProcA(window, msg, wparam, lparam);
  creation_control = nullptr;
  control->handle_ = window;
  SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ObjectWndProc));
  if ((GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0 &&
      GetWindowLongPtrA(window, GWLP_ID) == 0) {
    SetWindowLongPtrA(window, GWLP_ID, reinterpret_cast<LONG_PTR>(window));
  }
  SetPropA(window, AtomKey(ControlAtom()), control);
  SetPropA(window, AtomKey(WindowAtom()), control);
  TMessage message{msg, static_cast<std::intptr_t>(wparam), lparam, 0};
  control->MainWndProc(message);
  return message.Result;
}

HWND TWinControl::Handle() {
  HandleNeeded();
  return handle_;
}

void TWinControl::HandleNeeded() {
  if (handle_ != nullptr) return;
  if (parent_ != nullptr) parent_->HandleNeeded();
  CreateHandle();
}

void TWinControl::CreateParams(TCreateParams& params) {
  params = TCreateParams{};
  params.Caption = GetText();
  params.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (control_style_.Has(csAcceptsControls)) {
    params.Style |= WS_CLIPCHILDREN;
    params.ExStyle |= WS_EX_CONTROLPARENT;
  }
  if (!enabled_) params.Style |= WS_DISABLED;
  if (tab_stop_) params.Style |= WS_TABSTOP;
  params.X = left_;
  params.Y = top_;
  params.Width = width_;
  params.Height = height_;
  params.WndParent = parent_ != nullptr ? parent_->Handle() : parent_window_;
  params.WindowClass.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
  params.WindowClass.lpfnWndProc = &DefWindowProcA;
  params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  params.WindowClass.hbrBackground = nullptr;
  params.WindowClass.hInstance = GetModuleHandleA(nullptr);
  params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* class_name) {
  constexpr UINT kDropped = CS_OWNDC | CS_CLASSDC | CS_PARENTDC | CS_GLOBALCLASS;
  const HINSTANCE instance = params.WindowClass.hInstance;
  WNDCLASSA system{};
  const HINSTANCE main = GetModuleHandleA(nullptr);
  if (GetClassInfoA(main, class_name, &system) == 0 &&
      GetClassInfoA(nullptr, class_name, &system) == 0) {
    GetClassInfoA(instance, class_name, &system);
  }
  params.WindowClass = system;
  params.WindowClass.hInstance = instance;
  params.WindowClass.style = (system.style & ~kDropped) | CS_VREDRAW | CS_HREDRAW;
}

void TWinControl::CreateWindowHandle(const TCreateParams& params) {
  CreateWindowExA(params.ExStyle, params.WinClassName.c_str(), params.Caption.c_str(), params.Style,
                  params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                  params.WindowClass.hInstance, params.Param);
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) != 0 && params.WndParent == nullptr) {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    if (owner != nullptr && owner->ComponentState().Has(csLoading)) {
      params.WndParent = owner->Handle();
    } else {
      throw EInvalidOperation(Format(LoadResString(SParentRequired), {Name()}));
    }
  }
  def_wnd_proc_ = params.WindowClass.lpfnWndProc;
  WNDCLASSA registered{};
  const bool known =
      GetClassInfoA(params.WindowClass.hInstance, params.WinClassName.c_str(), &registered) != 0;
  if (!known || registered.lpfnWndProc != &FirstMessageProc) {
    if (known) UnregisterClassA(params.WinClassName.c_str(), params.WindowClass.hInstance);
    params.WindowClass.lpfnWndProc = &FirstMessageProc;
    params.WindowClass.lpszClassName = params.WinClassName.c_str();
    if (RegisterClassA(&params.WindowClass) == 0) RaiseLastOSError();
  }
  {
    creation_control = this;
    const ScopeExit created([] { creation_control = nullptr; });
    CreateWindowHandle(params);
  }
  if (handle_ == nullptr) RaiseLastOSError();
  // From now on the window holds the text.
  text_.reset();
  UpdateBounds();
  ApplyClientSize();
  Perform(WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), 1);
}

void TWinControl::CreateHandle() {
  if (handle_ != nullptr) return;
  CreateWnd();
  SetPropA(handle_, AtomKey(ControlAtom()), this);
  SetPropA(handle_, AtomKey(WindowAtom()), this);
  if (parent_ != nullptr) {
    SetWindowPos(handle_, PrecedingWindow(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
}

// The z-order follows WinControls whatever order the windows are made in:
// right after the nearest earlier sibling that has a window, else on top.
HWND TWinControl::PrecedingWindow() const {
  const auto& siblings = parent_->win_controls_;
  auto self = std::find(siblings.begin(), siblings.end(), this);
  while (self != siblings.begin()) {
    --self;
    if ((*self)->handle_ != nullptr) return (*self)->handle_;
  }
  return HWND_TOP;
}

void TWinControl::DestroyWnd() {
  // The window's text goes back into the control before the window goes.
  text_ = GetText();
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  DestroyWindow(handle_);
  handle_ = nullptr;
}

void TWinControl::DestroyHandle() {
  if (handle_ == nullptr) return;
  for (TWinControl* child : win_controls_) child->DestroyHandle();
  DestroyWnd();
}

void TWinControl::WMNCDestroy(TMessage& message) {
  DefaultHandler(message);
  RemovePropA(handle_, AtomKey(ControlAtom()));
  RemovePropA(handle_, AtomKey(WindowAtom()));
  handle_ = nullptr;
  showing_ = false;
}

void TWinControl::MainWndProc(TMessage& message) {
  try {
    const ScopeExit release([] { FreeDeviceContexts(); });
    WindowProc(message);
  } catch (...) {
    HandleControlException(this);
  }
}

void TWinControl::WndProc(TMessage& message) {
  const UINT msg = message.Msg;
  if (msg >= WM_MOUSEFIRST && msg <= WM_MOUSELAST) {
    TControl* target = nullptr;
    if (GetCapture() != handle_) {
      const POINT at{GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam)};
      target = ControlAtPos(at);
    } else if (CaptureControl() != nullptr && CaptureControl()->Parent() == this) {
      target = CaptureControl();
    }
    if (target != nullptr) {
      const RECT r = target->BoundsRect();
      const int x = GET_X_LPARAM(message.LParam) - r.left;
      const int y = GET_Y_LPARAM(message.LParam) - r.top;
      message.Result = target->Perform(msg, static_cast<WPARAM>(message.WParam), MAKELPARAM(x, y));
      if (message.Result == 0) {
        DefWindowProcA(handle_, msg, static_cast<WPARAM>(message.WParam), message.LParam);
      }
      return;
    }
  } else if (msg == WM_SETFOCUS) {
    TCustomForm* form = GetParentForm(this);
    if (form != nullptr && !form->SetFocusedControl(this)) return;
  } else if (msg == WM_KILLFOCUS) {
    if (control_state_.Has(csFocusing)) return;
  }
  TControl::WndProc(message);
}

void TWinControl::DefaultHandler(TMessage& message) {
  if (handle_ == nullptr) {
    TControl::DefaultHandler(message);
    return;
  }
  const UINT msg = message.Msg;
  if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
    message.Result = SendMessageA(reinterpret_cast<HWND>(message.LParam), CN_BASE + msg,
                                  static_cast<WPARAM>(message.WParam), message.LParam);
    return;
  }
  if (msg >= CN_CTLCOLORMSGBOX && msg <= CN_CTLCOLORSTATIC) {
    const HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ResolveColor(Font()->Color()));
    SetBkColor(dc, ResolveColor(brush_->Color()));
    message.Result = reinterpret_cast<LRESULT>(brush_->Handle());
    return;
  }
  message.Result = CallWindowProcA(def_wnd_proc_, handle_, msg, static_cast<WPARAM>(message.WParam),
                                   message.LParam);
}

void TWinControl::DoControlMsg(HWND child, TMessage& message) {
  TWinControl* control = FindControl(child);
  if (control == nullptr) {
    DefaultHandler(message);
    return;
  }
  message.Result =
      control->Perform(message.Msg + CN_BASE, static_cast<WPARAM>(message.WParam), message.LParam);
}

void TWinControl::WMCommand(TMessage& message) {
  DoControlMsg(reinterpret_cast<HWND>(message.LParam), message);
}

void TWinControl::WMNotify(TMessage& message) {
  const auto* header = reinterpret_cast<const NMHDR*>(message.LParam);
  DoControlMsg(header != nullptr ? header->hwndFrom : nullptr, message);
}

void TWinControl::WMScroll(TMessage& message) {
  DoControlMsg(reinterpret_cast<HWND>(message.LParam), message);
}

void TWinControl::WMPaint(TMessage& message) {
  if (!double_buffered_ || message.WParam != 0) {
    if (!control_state_.Has(csCustomPaint) && ControlCount() == 0) {
      DefaultHandler(message);
    } else {
      PaintHandler(message);
    }
    return;
  }
  // Double-buffered: erase and paint into a bitmap, then copy it at once.
  const RECT client = ClientRect();
  const HDC screen = GetDC(nullptr);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, client.right, client.bottom);
  ReleaseDC(nullptr, screen);
  const HDC memory = CreateCompatibleDC(nullptr);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(handle_, &paint);
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), reinterpret_cast<LPARAM>(memory));
  message.WParam = reinterpret_cast<std::intptr_t>(memory);
  WMPaint(message);
  message.WParam = 0;
  BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
  EndPaint(handle_, &paint);
  SelectObject(memory, old);
  DeleteDC(memory);
  DeleteObject(bitmap);
}

void TWinControl::PaintHandler(TMessage& message) {
  PAINTSTRUCT paint{};
  HDC dc = reinterpret_cast<HDC>(message.WParam);
  if (dc == nullptr) dc = BeginPaint(handle_, &paint);
  if (controls_.empty()) {
    PaintWindow(dc);
  } else {
    const int saved = SaveDC(dc);
    int clip = SIMPLEREGION;
    for (TControl* child : controls_) {
      if (!child->visible_ || !child->control_style_.Has(csOpaque)) continue;
      const RECT r = child->BoundsRect();
      clip = ExcludeClipRect(dc, r.left, r.top, r.right, r.bottom);
      if (clip == NULLREGION) break;
    }
    if (clip != NULLREGION) PaintWindow(dc);
    RestoreDC(dc, saved);
  }
  PaintControls(dc, nullptr);
  if (message.WParam == 0) EndPaint(handle_, &paint);
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = controls_.begin();
  if (first != nullptr) {
    it = std::find(controls_.begin(), controls_.end(), first);
    if (it == controls_.end()) it = controls_.begin();
  }
  // A child's painting may change the list; the index is checked each time.
  for (std::size_t i = static_cast<std::size_t>(it - controls_.begin()); i < controls_.size();
       ++i) {
    TControl* child = controls_[i];
    const RECT r = child->BoundsRect();
    if (!child->visible_ || RectVisible(dc, &r) == 0) continue;
    const int saved = SaveDC(dc);
    POINT origin{};
    GetWindowOrgEx(dc, &origin);
    SetWindowOrgEx(dc, origin.x - r.left, origin.y - r.top, nullptr);
    IntersectClipRect(dc, 0, 0, child->width_, child->height_);
    child->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

// The background is the control's brush, except where a double-buffered
// control paints into its own bitmap (which it erases itself).
void TWinControl::WMEraseBkgnd(TMessage& message) {
  if (!double_buffered_ || message.WParam == message.LParam) {
    RECT client{};
    GetClientRect(handle_, &client);
    FillRect(reinterpret_cast<HDC>(message.WParam), &client, brush_->Handle());
  }
  message.Result = 1;
}

void TWinControl::WMSysColorChange(TMessage& message) {
  SysColorChanged();
  DefaultHandler(message);
}

HDC TWinControl::GetDeviceContext(HWND& window) {
  window = Handle();
  return GetDC(window);
}

void TWinControl::PaintWindow(HDC dc) {
  TMessage message{WM_PAINT, reinterpret_cast<std::intptr_t>(dc), 0, 0};
  DefaultHandler(message);
}
