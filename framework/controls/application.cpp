#include "framework/controls/application.h"

#include <cxxabi.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <exception>
#include <typeinfo>

#include "framework/controls/handle_exception.h"
#include "framework/controls/mouse.h"
#include "framework/graphics/bitmap.h"
#include "framework/rtl/format.h"
#include "framework/rtl/os_error.h"
#include "framework/rtl/scope_exit.h"
#include "framework/rtl/sysconst.h"
#include "platform/kernel.h"
#include "platform/resources.h"
#include "rtl/resstrings.h"

TApplication* Application = nullptr;

TAVRION_CLASS_INFO(TApplication, "Forms") {}

namespace {

// The executable's name: what follows the last separator, cut at the first
// "." and lower case but for the first character.
std::string TitleFromModule() {
  char path[257] = {};
  GetModuleFileNameA(nullptr, path, sizeof path);
  std::string name = path;
  const std::size_t slash = name.find_last_of("\\/");
  if (slash != std::string::npos) name.erase(0, slash + 1);
  const std::size_t dot = name.find('.');
  if (dot != std::string::npos) name.erase(dot);
  for (std::size_t i = 1; i < name.size(); ++i) {
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  }
  return name;
}

// The type of the exception in flight as the source spells it: all there is
// to say about a thrown int or string.
std::string CurrentExceptionTypeName() {
  const std::type_info* type = abi::__cxa_current_exception_type();
  if (type == nullptr) return "?";
  int status = 0;
  char* demangled = abi::__cxa_demangle(type->name(), nullptr, nullptr, &status);
  const ScopeExit release([demangled] { std::free(demangled); });
  return status == 0 ? demangled : type->name();
}

struct TaskWindows {
  HWND except;
  std::vector<HWND> disabled;
};

BOOL DisableTaskWindow(HWND window, LPARAM data) {
  auto* task = reinterpret_cast<TaskWindows*>(data);
  if (window != task->except && IsWindowVisible(window) && IsWindowEnabled(window)) {
    task->disabled.push_back(window);
    EnableWindow(window, FALSE);
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> DisableTaskWindows(HWND except) {
  TaskWindows task{except, {}};
  EnumThreadWindows(GetCurrentThreadId(), &DisableTaskWindow, reinterpret_cast<LPARAM>(&task));
  return task.disabled;
}

void EnableTaskWindows(const std::vector<HWND>& windows) {
  for (HWND window : windows) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

LRESULT TApplication::ApplicationWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam) {
  if (Application == nullptr || Application->handle_ != window) {
    return DefWindowProcA(window, msg, wparam, lparam);
  }
  TMessage message{msg, static_cast<std::intptr_t>(wparam), lparam, 0};
  TApplication* application = Application;
  Guarded(application, [&] { application->WndProc(message); });
  return message.Result;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner), title_(TitleFromModule()) {
  CreateHandle();
}

TApplication::~TApplication() {
  UnhookHintHooks();
  if (hint_watch_.event != nullptr) CloseHandle(hint_watch_.event);
  StopHintTimer();
  hint_window_ = nullptr;  // owned: it goes with the other components
  hint_control_ = nullptr;
  mouse_control_ = nullptr;
  // The forms go first, the last made first; the application window after.
  DestroyComponents();
  if (Application == this) Application = nullptr;
  if (handle_ != nullptr) DestroyWindow(handle_);
}

void TApplication::CreateHandle() {
  const HINSTANCE instance = GetModuleHandleA(nullptr);
  WNDCLASSA known{};
  if (GetClassInfoA(instance, "TApplication", &known) == 0) {
    WNDCLASSA window_class{};
    window_class.lpfnWndProc = &DefWindowProcA;
    window_class.hInstance = instance;
    window_class.lpszClassName = "TApplication";
    if (RegisterClassA(&window_class) == 0) {
      throw EOutOfResources(LoadResString(SWindowClass));
    }
  }
  handle_ = CreateWindowExA(0, "TApplication", title_.c_str(),
                            WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
                            GetSystemMetrics(SM_CXSCREEN) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 0,
                            0, nullptr, nullptr, instance, nullptr);
  if (handle_ == nullptr) RaiseLastOSError();
  title_.clear();
  SetWindowLongPtrA(handle_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ApplicationWndProc));
  // The program's main icon, or the system's application icon without one,
  // for the window and every window of its class.
  HICON icon = LoadIconA(instance, "MAINICON");
  if (icon == nullptr) icon = LoadIconA(nullptr, IDI_APPLICATION);
  SendMessageA(handle_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  SetClassLongPtrA(handle_, GCLP_HICON, reinterpret_cast<LONG_PTR>(icon));
  const HMENU menu = GetSystemMenu(handle_, FALSE);
  DeleteMenu(menu, SC_MAXIMIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_SIZE, MF_BYCOMMAND);
  DeleteMenu(menu, SC_MOVE, MF_BYCOMMAND);
}

void TApplication::Initialize() {
  // No initialisation hook is registered in this program.
}

std::string TApplication::Title() const {
  if (handle_ == nullptr) return title_;
  char text[256] = {};
  GetWindowTextA(handle_, text, sizeof text);
  return text;
}

void TApplication::SetTitle(const std::string& value) {
  if (handle_ == nullptr) {
    title_ = value;
    return;
  }
  if (title_.empty() && Title() == value) return;
  SetWindowTextA(handle_, value.c_str());
  title_.clear();
}

void TApplication::Run() {
  running_ = true;
  const ScopeExit stop([this] { running_ = false; });
  if (main_form_ == nullptr) return;
  TakeStartupShowCommand();
  if (show_main_form_) {
    if (main_form_->WindowState() == wsMinimized) {
      Minimize();
    } else {
      main_form_->SetVisible(true);
    }
  }
  while (!terminated_) HandleMessage();
}

void TApplication::HandleMessage() {
  MSG message{};
  if (!ProcessMessage(message)) Idle();
}

bool TApplication::ProcessMessage(MSG& message) {
  if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE) == 0) return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  OnMessage(message, handled);
  IsHintMsg(message);
  if (!handled && !IsKeyMsg(message)) {
    TranslateMessage(&message);
    DispatchMessageA(&message);
  }
  return true;
}

bool TApplication::IsKeyMsg(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  HWND target = GetCapture();
  if (target != nullptr) {
    if (reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(target, GWLP_HINSTANCE)) !=
        GetModuleHandleA(nullptr)) {
      return false;
    }
  } else {
    target = message.hwnd;
    HWND climb = target;
    while (climb != nullptr && FindControl(climb) == nullptr) climb = GetParent(climb);
    if (climb != nullptr) target = climb;
  }
  return target != nullptr &&
         SendMessageA(target, CN_BASE + message.message, message.wParam, message.lParam) != 0;
}

void TApplication::Idle() {
  DoMouseIdle();
  if (ShowHint() && mouse_control_ == nullptr) CancelHint();
  TControl* hinted = mouse_control_;
  while (hinted != nullptr && hinted->Hint().empty()) hinted = hinted->Parent();
  hint_ = hinted != nullptr ? GetLongHint(hinted->Hint()) : std::string();
  bool done = true;
  Guarded(this, [&] { OnIdle(this, done); });
  if (done) WaitMessage();
}

void TApplication::DoMouseIdle() {
  POINT at{};
  GetCursorPos(&at);
  TControl* control = ControlAt(at);
  if (control == mouse_control_) return;
  TControl::Perform(mouse_control_, CM_MOUSELEAVE, 0, 0);
  mouse_control_ = control;
  TControl::Perform(mouse_control_, CM_MOUSEENTER, 0, 0);
}

void TApplication::Terminate() {
  PostQuitMessage(0);
}

void TApplication::HandleException(TObject* sender) {
  if (GetCapture() != nullptr) SendMessageA(GetCapture(), WM_CANCELMODE, 0, 0);
  try {
    throw;
  } catch (const EAbort&) {
  } catch (const Exception& error) {
    if (OnException.Assigned()) {
      OnException(sender, error);
    } else {
      ShowException(error);
    }
  } catch (const std::exception& error) {
    ShowErrorText(error.what());
  } catch (...) {
    ShowErrorText(Format(LoadResString(SUnknownException), {CurrentExceptionTypeName()}));
  }
}

void TApplication::ShowException(const Exception& error) {
  ShowErrorText(error.Message());
}

void TApplication::ShowErrorText(std::string text) {
  if (!text.empty() && static_cast<unsigned char>(text.back()) > '.') text += '.';
  MessageBox(text, Title(), MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  const HWND active = GetActiveWindow();
  const std::vector<HWND> disabled = DisableTaskWindows(nullptr);
  // A top-most window of ours would hide the box.
  NormalizeTopMosts();
  const ScopeExit restore([&] {
    RestoreTopMosts();
    EnableTaskWindows(disabled);
    SetActiveWindow(active);
  });
  return MessageBoxA(handle_, text.c_str(), caption.c_str(), flags);
}

void TApplication::HookMainWindow(const TWindowHook& hook) {
  window_hooks_.push_back(hook);
}

void TApplication::UnhookMainWindow(const TWindowHook& hook) {
  const auto it = std::find(window_hooks_.begin(), window_hooks_.end(), hook);
  if (it != window_hooks_.end()) window_hooks_.erase(it);
}

void TApplication::Minimize() {
  if (IsIconic(handle_)) return;
  SetActiveWindow(handle_);
  ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (!IsIconic(handle_)) return;
  SetActiveWindow(handle_);
  ShowWindow(handle_, SW_RESTORE);
  // A main form that started minimised was never shown: it shows now.
  if (main_form_ != nullptr && main_form_->WindowState() == wsMinimized && !main_form_->Visible()) {
    main_form_->RecordWindowState(wsNormal);
    main_form_->SetVisible(true);
  }
}

void TApplication::WndProc(TMessage& message) {
  // A hook may remove itself while it runs: the list is walked on a copy.
  for (const TWindowHook& hook : std::vector<TWindowHook>(window_hooks_)) {
    if (hook(message)) return;
  }
  switch (message.Msg) {
    case WM_CLOSE:
      if (main_form_ != nullptr) main_form_->Close();
      return;
    case WM_ENDSESSION:
      if (message.WParam != 0) terminated_ = true;
      return;
    case WM_ACTIVATEAPP:
      message.Result =
          DefWindowProcA(handle_, message.Msg, static_cast<WPARAM>(message.WParam), message.LParam);
      ActiveChanged(message.WParam != 0);
      PostMessageA(handle_, active_ ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
      return;
    case CM_ACTIVATE:
      OnActivate(this);
      return;
    case CM_DEACTIVATE:
      OnDeactivate(this);
      return;
    case CM_HINTMOUSEGONE: {
      // The watcher saw the cursor outside; it may be back by now.
      POINT cursor{};
      GetCursorPos(&cursor);
      if (WindowControlAt(cursor) == nullptr) CancelHint();
      return;
    }
    case WM_SYSCOMMAND:
      if ((message.WParam & 0xFFF0) == SC_MINIMIZE) {
        Minimize();
      } else if ((message.WParam & 0xFFF0) == SC_RESTORE) {
        Restore();
      } else {
        message.Result = DefWindowProcA(handle_, message.Msg, static_cast<WPARAM>(message.WParam),
                                        message.LParam);
      }
      return;
    case WM_SETTINGCHANGE:
      WMSettingChange(message);
      return;
    default:
      message.Result =
          DefWindowProcA(handle_, message.Msg, static_cast<WPARAM>(message.WParam), message.LParam);
  }
}

void StartApplication() {
  if (Application != nullptr) return;
  Mouse = Construct<TMouse>();
  Screen = Construct<TScreen>(nullptr);
  Application = Construct<TApplication>(nullptr);
  Application->SetShowHint(true);
  ApplicationHandleException = MethodOf<&TApplication::HandleException>(Application);
}

void DoneApplication() {
  if (Application == nullptr) return;
  if (Application->Handle() != nullptr) ShowOwnedPopups(Application->Handle(), FALSE);
  Application->SetShowHint(false);
  Application->Destroying();
  Application->DestroyComponents();
}

void StopApplication() {
  DoneApplication();
  ApplicationHandleException = {};
  if (Application != nullptr) {
    Application->Free();
    Application = nullptr;
  }
  if (Screen != nullptr) {
    Screen->Free();
    Screen = nullptr;
  }
  if (Mouse != nullptr) {
    Mouse->Free();
    Mouse = nullptr;
  }
}
