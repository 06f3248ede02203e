// What the system tells the application: the show command the process was
// started with, changed settings, and that it is no longer in front, when
// its top-most windows step back.
#include "framework/controls/application.h"
#include "framework/controls/mouse.h"
#include "platform/kernel.h"

void TApplication::TakeStartupShowCommand() {
  STARTUPINFOA info{};
  GetStartupInfoA(&info);
  if ((info.dwFlags & STARTF_USESHOWWINDOW) == 0) return;
  if (info.wShowWindow == SW_SHOWMAXIMIZED) {
    main_form_->SetWindowState(wsMaximized);
  } else if (info.wShowWindow == SW_SHOWMINNOACTIVE) {
    main_form_->RecordWindowState(wsMinimized);  // Run minimises the application instead
  }
}

void TApplication::WMSettingChange(TMessage& message) {
  if (update_metric_settings_ && ShowHint()) {
    // A new hint window takes the changed metrics and status-bar font.
    Screen->ReadHintFont();
    SetShowHint(false);
    SetShowHint(true);
  }
  if (Mouse != nullptr) Mouse->SettingChanged(static_cast<WPARAM>(message.WParam));
  message.Result =
      DefWindowProcA(handle_, message.Msg, static_cast<WPARAM>(message.WParam), message.LParam);
}

namespace {

struct TopMosts {
  HWND owner;
  std::vector<HWND>* list;
};

BOOL AddTopMost(HWND window, LPARAM data) {
  const auto* found = reinterpret_cast<const TopMosts*>(data);
  if (GetWindow(window, GW_OWNER) == found->owner && IsWindowVisible(window) &&
      (GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0) {
    found->list->push_back(window);
  }
  return TRUE;
}

constexpr UINT kKeepPlace = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;

}  // namespace

void TApplication::ActiveChanged(bool active) {
  // Told twice of the same state, the windows must not step back twice.
  if (active == active_) return;
  active_ = active;
  if (active) {
    RestoreTopMosts();
  } else {
    NormalizeTopMosts();
  }
}

void TApplication::NormalizeTopMosts() {
  if (top_most_level_++ > 0 || handle_ == nullptr) return;
  TopMosts found{handle_, &top_most_list_};
  EnumThreadWindows(GetCurrentThreadId(), &AddTopMost, reinterpret_cast<LPARAM>(&found));
  // Bottom first, each just below the top-most windows: the order is kept.
  for (auto it = top_most_list_.rbegin(); it != top_most_list_.rend(); ++it) {
    SetWindowPos(*it, HWND_NOTOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
}

void TApplication::RestoreTopMosts() {
  if (top_most_level_ == 0 || --top_most_level_ > 0) return;
  // Bottom first again, each on top.
  for (auto it = top_most_list_.rbegin(); it != top_most_list_.rend(); ++it) {
    if (IsWindow(*it)) SetWindowPos(*it, HWND_TOPMOST, 0, 0, 0, 0, kKeepPlace);
  }
  top_most_list_.clear();
}
