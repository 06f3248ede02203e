#include "framework/controls/hint_window.h"

#include <platform/text.h>

#include "framework/controls/forms.h"
#include "framework/rtl/format.h"
#include "framework/rtl/scope_exit.h"
#include "framework/rtl/sysconst.h"
#include "rtl/resstrings.h"

namespace {
TClass hint_window_class = &THintWindow::StaticClass();
}  // namespace

TClass HintWindowClass() {
  return hint_window_class;
}

void SetHintWindowClass(TClass value) {
  if (value == nullptr || !value->InheritsFrom(&THintWindow::StaticClass()) ||
      value->Create == nullptr) {
    throw EInvalidOperation(
        Format(LoadResString(SNotHintWindowClass), {value != nullptr ? value->ClassName : "nil"}));
  }
  hint_window_class = value;
}

TAVRION_CLASS_INFO(THintWindow, "Controls") {
  c.Message<WM_NCHITTEST>(&THintWindow::WMNCHitTest);
  c.Message<WM_NCPAINT>(&THintWindow::WMNCPaint);
  c.Message<CM_TEXTCHANGED>(&THintWindow::CMTextChanged);
}

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetColor(0x0080FFFF);
  if (Screen != nullptr) Canvas()->Font()->Assign(Screen->HintFont());
  Canvas()->Brush()->SetStyle(bsClear);
}

void THintWindow::CreateParams(TCreateParams& params) {
  TCustomControl::CreateParams(params);
  params.Style = WS_POPUP | WS_BORDER;
  params.WindowClass.style |= CS_SAVEBITS;
  params.ExStyle = WS_EX_TOOLWINDOW;
}

RECT THintWindow::MeasureHint(int max_width, const std::string& hint, void*) {
  RECT rect{0, 0, max_width, 0};
  DrawTextA(Canvas()->Handle(), hint.c_str(), -1, &rect, DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK);
  rect.right += 6;
  rect.bottom += 2;
  return rect;
}

void THintWindow::ShowHintAt(RECT rect, const std::string& hint) {
  activating_ = true;
  const ScopeExit clear([this] { activating_ = false; });
  SetText(hint);
  rect.bottom += 4;
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  SetBounds(rect.left, rect.top, width, height);
  // Kept on the virtual desktop, its top-left corner winning over the rest.
  int left = rect.left;
  int top = rect.top;
  const int desk_left = GetSystemMetrics(SM_XVIRTUALSCREEN);
  const int desk_top = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const int desk_width = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int desk_height = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  if (top + height > desk_height) top = desk_height - height;
  if (left + width > desk_width) left = desk_width - width;
  if (left < desk_left) left = desk_left;
  if (top < desk_top) top = desk_top;
  SetWindowPos(Handle(), HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Perform(CM_INVALIDATE);
}

void THintWindow::ShowHintWithData(RECT rect, const std::string& hint, void*) {
  ShowHintAt(rect, hint);
}

bool THintWindow::EndsHint(const MSG& message) const {
  const UINT msg = message.message;
  return (msg >= WM_KEYFIRST && msg <= WM_KEYLAST) ||
         (msg >= WM_LBUTTONDOWN && msg <= WM_MOUSEWHEEL) || msg == WM_NCMOUSEMOVE ||
         msg == WM_COMMAND || msg == CM_ACTIVATE || msg == CM_DEACTIVATE || msg == CM_APPKEYDOWN ||
         msg == CM_APPSYSCOMMAND;
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

void THintWindow::WMNCPaint(TMessage&) {
  const HDC dc = GetWindowDC(Handle());
  RECT frame{0, 0, Width(), Height()};
  DrawEdge(dc, &frame, BDR_RAISEDOUTER, BF_RECT);
  ReleaseDC(Handle(), dc);
}

void THintWindow::CMTextChanged(TMessage& message) {
  Inherited(message);
  if (activating_) return;
  const std::string text = GetText();
  SetWidth(Canvas()->TextWidth(text) + 6);
  SetHeight(Canvas()->TextHeight(text) + 4);
}
