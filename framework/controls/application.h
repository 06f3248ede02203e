// TApplication: the one application object. It owns the hidden application
// window and the forms made through CreateForm, runs the message loop, and
// shows every exception that escapes a message's handling.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "framework/controls/forms.h"
#include "framework/controls/hint_hooks.h"
#include "framework/controls/hint_window.h"

TAVRION_EVENT(TMessageEvent, void(MSG& message, bool& handled))
TAVRION_EVENT(TIdleEvent, void(TObject* sender, bool& done))
TAVRION_EVENT(TExceptionEvent, void(TObject* sender, const Exception& error))
// Sees a message of the application window first; true when it handled it.
using TWindowHook = TEvent<bool(TMessage& message)>;

class TApplication : public TComponent {
  TAVRION_CLASS(TApplication, TComponent)

 public:
  explicit TApplication(TComponent* owner);

  HWND Handle() const { return handle_; }
  TCustomForm* MainForm() const { return main_form_; }
  bool Terminated() const { return terminated_; }
  bool Running() const { return running_; }
  bool Active() const { return active_; }
  bool ShowMainForm() const { return show_main_form_; }
  void SetShowMainForm(bool value) { show_main_form_ = value; }
  // Whether a change of the system's settings makes a new hint window.
  bool UpdateMetricSettings() const { return update_metric_settings_; }
  void SetUpdateMetricSettings(bool value) { update_metric_settings_ = value; }
  TControl* MouseControl() const { return mouse_control_; }

  void Initialize();
  std::string Title() const;
  void SetTitle(const std::string& value);

  // Makes a form owned by the application, stored in `reference` before
  // its definition is read; the first TForm made is the main form, and its
  // window exists once this returns.
  template <typename T>
  void CreateForm(T*& reference) {
    ConstructInto(reference, this);
    if (main_form_ == nullptr) {
      if (auto* form = dynamic_cast<TForm*>(static_cast<TComponent*>(reference))) {
        form->HandleNeeded();
        main_form_ = form;
      }
    }
  }

  // Shows the main form and handles messages until the loop is told to end.
  void Run();
  // One message, or the idle work when none is waiting.
  void HandleMessage();
  // Takes and handles one message; false when none was waiting.
  bool ProcessMessage(MSG& message);
  void Terminate();

  // Shows the exception in flight (or hands a framework one to OnException);
  // called inside a catch block.
  void HandleException(TObject* sender);
  void ShowException(const Exception& error);
  // A system message box owned by the application window, modal to all the
  // program's windows.
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  // A control that goes is forgotten as the one under the mouse or hinted.
  void ControlDestroyed(TControl* control);
  // Hooks on the application window, asked in the order they were added.
  void HookMainWindow(const TWindowHook& hook);
  void UnhookMainWindow(const TWindowHook& hook);
  void Minimize();
  void Restore();
  // The visible top-most windows the application window owns stop being
  // top-most until the matching RestoreTopMosts; calls nest.
  void NormalizeTopMosts();
  void RestoreTopMosts();

  // A form that goes stops being the main form.
  void FormDestroyed(TCustomForm* form) {
    if (main_form_ == form) main_form_ = nullptr;
  }

  // Hints: a control with ShowHint shows the short part of its Hint after
  // HintPause ms of rest, for HintHidePause ms.
  bool ShowHint() const { return hint_window_ != nullptr; }
  void SetShowHint(bool value);
  THintWindow* HintWindow() const { return hint_window_; }
  TControl* HintControl() const { return hint_control_; }
  TColor HintColor() const { return hint_color_; }
  void SetHintColor(TColor value) { hint_color_ = value; }
  int HintPause() const { return hint_pause_; }
  void SetHintPause(int value) { hint_pause_ = value; }
  int HintHidePause() const { return hint_hide_pause_; }
  void SetHintHidePause(int value) { hint_hide_pause_ = value; }
  int HintShortPause() const { return hint_short_pause_; }
  void SetHintShortPause(int value) { hint_short_pause_ = value; }
  // The long part of the hint of the control under the mouse.
  const std::string& Hint() const { return hint_; }
  // Every mouse message a control gets passes here.
  void HintMouseMessage(TControl* control, const TMessage& message);
  void CancelHint();
  // Cancels the hint when the hint window says `message` ends it; every
  // message a loop of this thread takes passes here.
  void IsHintMsg(const MSG& message);

  TMessageEvent OnMessage;
  TIdleEvent OnIdle;
  TExceptionEvent OnException;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

 protected:
  ~TApplication() override;

 private:
  // The application window's procedure, in place of the class's.
  static LRESULT ApplicationWndProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam);
  void CreateHandle();
  void WndProc(TMessage& message);
  void WMSettingChange(TMessage& message);
  // WM_ACTIVATEAPP: out of the front, the top-most windows step back.
  void ActiveChanged(bool active);
  // The show command the process was started with, for the main form.
  void TakeStartupShowCommand();
  void Idle();
  // The stop box with `text` under the title, ended by a full stop when its
  // last byte is above ".".
  void ShowErrorText(std::string text);
  void DoMouseIdle();
  void ActivateHint(POINT cursor);
  void HideHint();
  THintWindow* MakeHintWindow();
  void SetHintControl(TControl* control);
  void StartHintTimer(int pause, bool hide);
  void StopHintTimer();
  static void HintTimerExpired(HWND, UINT, UINT_PTR, DWORD);
  // The message hook and the mouse watcher, in place while a hint shows.
  void HookHintHooks();
  void UnhookHintHooks();
  // Offers a key to the control it is for as CN_ message; true when taken.
  bool IsKeyMsg(MSG& message);

  HWND handle_ = nullptr;
  TCustomForm* main_form_ = nullptr;
  TControl* mouse_control_ = nullptr;
  std::string title_;
  bool terminated_ = false;
  bool running_ = false;
  bool active_ = true;
  bool show_main_form_ = true;
  bool update_metric_settings_ = true;
  std::vector<HWND> top_most_list_;  // top first
  int top_most_level_ = 0;
  THintWindow* hint_window_ = nullptr;
  TControl* hint_control_ = nullptr;
  RECT hint_cursor_rect_{};
  TColor hint_color_ = clInfoBk;
  int hint_pause_ = 500;
  int hint_hide_pause_ = 2500;
  int hint_short_pause_ = 0;
  bool hint_active_ = false;
  bool hint_timer_hides_ = false;
  UINT_PTR hint_timer_ = 0;
  HHOOK hint_hook_ = nullptr;
  HANDLE hint_thread_ = nullptr;
  DWORD hint_thread_id_ = 0;
  HintWatch hint_watch_;
  std::string hint_;
  std::vector<TWindowHook> window_hooks_;
};

// Every other visible and enabled top-level window of the thread is
// disabled until the returned list is enabled again: what makes a box or a
// modal form modal to the whole program.
std::vector<HWND> DisableTaskWindows(HWND except);
void EnableTaskWindows(const std::vector<HWND>& windows);

// The control under a screen point, windowed or not, disabled ones too: the
// first framework window up from the window there, or its graphic child.
TControl* ControlAt(POINT screen);
// The first framework window up from the window at a screen point; any
// thread may ask.
TWinControl* WindowControlAt(POINT screen);
// How far below the cursor's hot spot its picture ends: where a hint goes.
int CursorHeightMargin();

// The short part of a hint (before the first "|") and the long part (after
// it); a hint without "|" is both.
std::string GetShortHint(const std::string& hint);
std::string GetLongHint(const std::string& hint);

extern TApplication* Application;

// Makes the mouse, the screen and the application objects, in that order,
// once the program has chosen its host; StopApplication ends the application
// (DoneApplication) and frees them in the reverse order at the end.
void StartApplication();
void StopApplication();
// The application's pop-ups hide, its hint window goes, then the forms, the
// last made first; the application window stays until the object goes.
void DoneApplication();
