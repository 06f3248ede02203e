#include "framework/controls/hint_window.h"

#include <platform/text.h>

TAVRION_CLASS_INFO(THintWindow, "Controls") {
  c.Message<WM_NCHITTEST>(&THintWindow::WMNCHitTest);
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetColor(0x0080FFFF);
  Canvas()->Brush()->SetStyle(bsClear);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.WindowClass.style |= CS_SAVEBITS;
  params.ExStyle = WS_EX_TOOLWINDOW;
}

RECT THintWindow::MeasureHint(int max_width, const std::string& hint) {
  RECT rect{0, 0, max_width, 0};
  DrawTextA(Canvas()->Handle(), hint.c_str(), -1, &rect, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  rect.right += 6;
  rect.bottom += 2;
  return rect;
}

void THintWindow::ShowHintAt(RECT rect, const std::string& hint) {
  activating_ = true;
  struct Clear {
    bool& flag;
    ~Clear() { flag = false; }
  } clear{activating_};
  SetText(hint);
  rect.bottom += 4;
  int left = rect.left;
  int top = rect.top;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  const int desk_left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int desk_top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int desk_width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int desk_height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (top + height > desk_height) top = desk_height - height;
  if (left + width > desk_width) left = desk_width - width;
  if (left < desk_left) left = desk_left;
  if (top < desk_top) top = desk_top;
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  SetWindowPos(Handle(), HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

bool THintWindow::EndsHint(const MSG& message) const {
  const UINT msg = message.message;
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) || (msg > WM_MOUSEMOVE && msg <= WM_MOUSELAST) ||
         msg == WM_NCMOUSEMOVE || msg == WM_COMMAND || msg == CM_ACTIVATE || msg == CM_DEACTIVATE ||
         msg == CM_BASE + 0x16 || msg == CM_BASE + 0x17;
}

void THintWindow::Paint() {
  RECT rect = ClientRect();
  rect.left += 2;
  rect.top += 2;
  Canvas()->Font()->SetColor(clInfoText);
  const std::string text = GetText();
  DrawTextA(Canvas()->Handle(), text.c_str(), -1, &rect, DT_NOPREFIX | DT_WORDBREAK);
}

void THintWindow::WMNCHitTest(TMessage& message) {
  message.Result = HTTRANSPARENT;
}
