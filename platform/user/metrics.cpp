// System metrics, colours and parameters of a plain, light desktop scheme.
#include <atomic>
#include <cstring>
#include <mutex>
#include <vector>

#include "../host/host.h"
#include "frame.h"
#include "state.h"
#include "window_table.h"

namespace user {

namespace {

constexpr UINT kWheelScrollLines = 3;
std::atomic<UINT> wheel_scroll_lines{kWheelScrollLines};

// WM_SETTINGCHANGE to every top-level window, as the parameter's owner
// announces a change made with SPIF_SENDCHANGE.
void AnnounceSetting(UINT action) {
  std::vector<HWND> windows;
  {
    std::lock_guard guard(Lock());
    for (const Window* w : Desktop()->children) windows.push_back(w->handle);
  }
  for (HWND window : windows) SendMessageA(window, WM_SETTINGCHANGE, action, 0);
}

}  // namespace

void ResetParameters() {
  wheel_scroll_lines = kWheelScrollLines;
}

Insets FrameInsets(DWORD style, DWORD ex_style) {
  int border = 0;
  if ((style & WS_THICKFRAME) != 0) {
    border = GetSystemMetrics(SM_CXFRAME);
  } else if ((style & WS_DLGFRAME) != 0 || (ex_style & WS_EX_DLGMODALFRAME) != 0) {
    border = GetSystemMetrics(SM_CXDLGFRAME);
  } else if ((style & WS_BORDER) != 0) {
    border = GetSystemMetrics(SM_CXBORDER);
  }
  if ((ex_style & WS_EX_CLIENTEDGE) != 0) border += GetSystemMetrics(SM_CXEDGE);
  if ((ex_style & WS_EX_STATICEDGE) != 0) border += GetSystemMetrics(SM_CXBORDER);
  int caption = 0;
  if ((style & WS_CAPTION) == WS_CAPTION) {
    caption = GetSystemMetrics((ex_style & WS_EX_TOOLWINDOW) != 0 ? SM_CYSMCAPTION : SM_CYCAPTION);
  }
  return {border, border + caption, border, border};
}

}  // namespace user

int GetSystemMetrics(int index) {
  const SIZE screen = host::Current().ScreenSize();
  switch (index) {
    case SM_CXSCREEN:
    case SM_CXFULLSCREEN:
    case SM_CXVIRTUALSCREEN:
      return screen.cx;
    case SM_CYSCREEN:
    case SM_CYVIRTUALSCREEN:
      return screen.cy;
    case SM_XVIRTUALSCREEN:
    case SM_YVIRTUALSCREEN:
      return 0;
    case SM_CYFULLSCREEN:
      return screen.cy - 19;
    case SM_CXVSCROLL:
    case SM_CYVSCROLL:
    case SM_CYHSCROLL:
      return 16;
    case SM_CYCAPTION:
    case SM_CYMENU:
      return 19;
    case SM_CXBORDER:
    case SM_CYBORDER:
      return 1;
    case SM_CXDLGFRAME:
    case SM_CYDLGFRAME:
      return 3;
    case SM_CXFRAME:
    case SM_CYFRAME:
      return 4;
    case SM_CXEDGE:
    case SM_CYEDGE:
      return 2;
    case SM_CXICON:
    case SM_CYICON:
    case SM_CXCURSOR:
    case SM_CYCURSOR:
      return 32;
    case SM_CXSMICON:
    case SM_CYSMICON:
      return 16;
    case SM_CXSIZE:
    case SM_CYSIZE:
      return 18;
    case SM_CYSMCAPTION:
      return 15;
    case SM_CXMIN:
      return 112;
    case SM_CYMIN:
      return 27;
    case SM_CXDOUBLECLK:
    case SM_CYDOUBLECLK:
      return 4;
    case SM_CMONITORS:
    case SM_MOUSEPRESENT:
    case SM_MOUSEWHEELPRESENT:
      return 1;
    default:
      return 0;
  }
}

UINT GetDoubleClickTime() {
  return 500;
}

DWORD GetSysColor(int index) {
  // 0x00BBGGRR.
  static const DWORD kColors[] = {
      0xC8C8C8,  // scroll bar
      0x6B4A22,  // desktop
      0xD1B499,  // active caption
      0xDBCDBF,  // inactive caption
      0xF0F0F0,  // menu
      0xFFFFFF,  // window
      0x646464,  // window frame
      0x000000,  // menu text
      0x000000,  // window text
      0x000000,  // caption text
      0xB4B4B4,  // active border
      0xFCF7F4,  // inactive border
      0xABABAB,  // application workspace
      0xD77800,  // highlight
      0xFFFFFF,  // highlight text
      0xF0F0F0,  // button face
      0xA0A0A0,  // button shadow
      0x6D6D6D,  // grey text
      0x000000,  // button text
      0x000000,  // inactive caption text
      0xFFFFFF,  // button highlight
      0x696969,  // 3D dark shadow
      0xE3E3E3,  // 3D light
      0x000000,  // info text
      0xE1FFFF,  // info background
  };
  if (index < 0 || index >= static_cast<int>(std::size(kColors))) return 0;
  return kColors[index];
}

namespace {

LOGFONTA UiFont(LONG height) {
  LOGFONTA font{};
  font.lfHeight = height;
  font.lfWeight = 400;
  font.lfCharSet = 1;  // DEFAULT_CHARSET
  std::strcpy(font.lfFaceName, "Tahoma");
  return font;
}

}  // namespace

BOOL SystemParametersInfoA(UINT action, UINT param, void* value, UINT winIni) {
  if (action == SPI_SETWHEELSCROLLLINES) {
    user::wheel_scroll_lines = param;
    if ((winIni & SPIF_SENDCHANGE) != 0) user::AnnounceSetting(action);
    return TRUE;
  }
  if (value == nullptr) return FALSE;
  if (action == SPI_GETWHEELSCROLLLINES) {
    *static_cast<UINT*>(value) = user::wheel_scroll_lines;
    return TRUE;
  }
  if (action == SPI_GETNONCLIENTMETRICS) {
    auto* metrics = static_cast<NONCLIENTMETRICSA*>(value);
    const UINT size = metrics->cbSize;
    *metrics = {};
    metrics->cbSize = size;
    metrics->iBorderWidth = 1;
    metrics->iScrollWidth = metrics->iScrollHeight = 16;
    metrics->iCaptionWidth = metrics->iCaptionHeight = 18;
    metrics->lfCaptionFont = UiFont(-11);
    metrics->lfCaptionFont.lfWeight = 700;
    metrics->iSmCaptionWidth = metrics->iSmCaptionHeight = 14;
    metrics->lfSmCaptionFont = UiFont(-11);
    metrics->iMenuWidth = metrics->iMenuHeight = 18;
    metrics->lfMenuFont = UiFont(-11);
    metrics->lfStatusFont = UiFont(-11);
    metrics->lfMessageFont = UiFont(-11);
    return TRUE;
  }
  if (action == SPI_GETWORKAREA) {
    const SIZE screen = host::Current().ScreenSize();
    *static_cast<RECT*>(value) = {0, 0, screen.cx, screen.cy};
    return TRUE;
  }
  return FALSE;
}

namespace {

// The one monitor.
HMONITOR const kMonitor = reinterpret_cast<HMONITOR>(std::uintptr_t{0x10001});

}  // namespace

HMONITOR MonitorFromWindow(HWND, DWORD) {
  return kMonitor;
}

HMONITOR MonitorFromPoint(POINT, DWORD) {
  return kMonitor;
}

BOOL GetMonitorInfoA(HMONITOR monitor, MONITORINFO* info) {
  if (monitor != kMonitor || info == nullptr) return FALSE;
  const SIZE screen = host::Current().ScreenSize();
  info->rcMonitor = info->rcWork = {0, 0, screen.cx, screen.cy};
  info->dwFlags = MONITORINFOF_PRIMARY;
  return TRUE;
}
