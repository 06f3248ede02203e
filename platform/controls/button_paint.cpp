// Drawing the "BUTTON" class in the plain, flat, light look: push buttons as
// framed faces, check boxes as a box with a check or a grey mark beside the
// text.
#include <string>

#include <platform/api.h>

#include "button.h"

namespace controls {
namespace {

constexpr int kBoxSize = 13;  // the check box's square
constexpr int kBoxGap = 4;    // between the box and its text

std::string Text(HWND window) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(window)) + 1, '\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextA(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

UINT HorizontalFormat(DWORD style, UINT otherwise) {
  switch (style & BS_CENTER) {
    case BS_LEFT:
      return DT_LEFT;
    case BS_RIGHT:
      return DT_RIGHT;
    case BS_CENTER:
      return DT_CENTER;
    default:
      return otherwise;
  }
}

void Frame(HDC dc, RECT rect, int colour, int width) {
  for (int i = 0; i < width; ++i) {
    FrameRect(dc, &rect, GetSysColorBrush(colour));
    InflateRect(&rect, -1, -1);
  }
}

// Asks the parent (the button itself when it has none) for its colours.
HBRUSH AskColours(HWND button, HDC dc, UINT message) {
  HWND parent = GetParent(button);
  return reinterpret_cast<HBRUSH>(SendMessageA(parent != nullptr ? parent : button, message,
                                               reinterpret_cast<WPARAM>(dc),
                                               reinterpret_cast<LPARAM>(button)));
}

void PaintPushButton(HWND button, HDC dc, const ButtonState& s, DWORD style, bool enabled) {
  // Push buttons take the text colour of the scheme, whatever the parent answers.
  AskColours(button, dc, WM_CTLCOLORBTN);
  RECT rect;
  GetClientRect(button, &rect);
  const bool pushed = (s.state & BST_PUSHED) != 0;
  const bool is_default = (style & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  // A disabled button lies flat on the face; a pressed one turns the
  // highlight's light shade with a highlight frame; the default one wears a
  // double highlight frame.
  const int face = !enabled ? COLOR_BTNFACE : pushed ? COLOR_INACTIVECAPTION : COLOR_3DLIGHT;
  FillRect(dc, &rect, GetSysColorBrush(face));
  if (enabled && (pushed || is_default)) {
    Frame(dc, rect, COLOR_HIGHLIGHT, is_default ? 2 : 1);
  } else {
    Frame(dc, rect, COLOR_BTNSHADOW, 1);
  }
  RECT text = rect;
  InflateRect(&text, -3, -3);
  if (pushed) OffsetRect(&text, 1, 1);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  // FIXME: BS_MULTILINE and the vertical alignments are drawn as one centred line.
  const std::string caption = Text(button);
  DrawTextA(dc, caption.c_str(), -1, &text,
            HorizontalFormat(style, DT_CENTER) | DT_VCENTER | DT_SINGLELINE);
  if ((s.state & BST_FOCUS) != 0) {
    RECT focus = rect;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

// A check in the 13 x 13 box at (x, y), two pixels thick.
void DrawCheck(HDC dc, int x, int y, COLORREF colour) {
  HPEN pen = CreatePen(PS_SOLID, 1, colour);
  HGDIOBJ old = SelectObject(dc, pen);
  for (int row = 0; row < 2; ++row) {
    const POINT points[] = {{x + 3, y + 5 + row}, {x + 5, y + 7 + row}, {x + 10, y + 2 + row}};
    Polyline(dc, points, 3);
  }
  SelectObject(dc, old);
  DeleteObject(pen);
}

void PaintCheckBox(HWND button, HDC dc, const ButtonState& s, DWORD style, bool enabled) {
  // A check box stands on its parent like static text and takes its colours.
  HBRUSH background = AskColours(button, dc, WM_CTLCOLORSTATIC);
  if (background == nullptr) background = GetSysColorBrush(COLOR_BTNFACE);
  RECT client;
  GetClientRect(button, &client);
  FillRect(dc, &client, background);

  const bool box_right = (style & BS_LEFTTEXT) != 0;
  const int box_x = box_right ? client.right - kBoxSize : client.left;
  const int box_y = client.top + (client.bottom - client.top - kBoxSize) / 2;
  RECT box{box_x, box_y, box_x + kBoxSize, box_y + kBoxSize};
  const bool pushed = (s.state & BST_PUSHED) != 0;
  FillRect(dc, &box, GetSysColorBrush(enabled && !pushed ? COLOR_WINDOW : COLOR_BTNFACE));
  Frame(dc, box, enabled ? COLOR_3DDKSHADOW : COLOR_BTNSHADOW, 1);
  const WPARAM check = s.state & (BST_CHECKED | BST_INDETERMINATE);
  if (check == BST_CHECKED) {
    DrawCheck(dc, box_x, box_y, GetSysColor(enabled ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  } else if (check == BST_INDETERMINATE) {
    RECT mark = box;
    InflateRect(&mark, -3, -3);
    FillRect(dc, &mark, GetSysColorBrush(COLOR_BTNSHADOW));
  }

  RECT text = client;
  if (box_right) {
    text.right = box.left - kBoxGap;
  } else {
    text.left = box.right + kBoxGap;
  }
  const UINT format = HorizontalFormat(style, box_right ? DT_RIGHT : DT_LEFT);
  SetBkMode(dc, TRANSPARENT);
  if (!enabled) SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
  const std::string caption = Text(button);
  DrawTextA(dc, caption.c_str(), -1, &text, format | DT_VCENTER | DT_SINGLELINE);
  if ((s.state & BST_FOCUS) != 0 && !caption.empty()) {
    // The focus frames the text alone, one pixel out.
    RECT measured = text;
    DrawTextA(dc, caption.c_str(), -1, &measured, format | DT_SINGLELINE | DT_CALCRECT);
    const int width = measured.right - measured.left;
    const int height = measured.bottom - measured.top;
    RECT focus{text.left, text.top + (text.bottom - text.top - height) / 2, 0, 0};
    if ((format & DT_RIGHT) != 0) focus.left = text.right - width;
    if ((format & DT_CENTER) != 0) focus.left = text.left + (text.right - text.left - width) / 2;
    focus.right = focus.left + width;
    focus.bottom = focus.top + height;
    InflateRect(&focus, 1, 1);
    IntersectRect(&focus, &focus, &client);
    DrawFocusRect(dc, &focus);
  }
}

}  // namespace

void PaintButton(HWND button, HDC dc, const ButtonState& s) {
  const int saved = SaveDC(dc);
  if (s.font != nullptr) SelectObject(dc, s.font);
  const DWORD style = static_cast<DWORD>(GetWindowLongA(button, GWL_STYLE));
  const bool enabled = IsWindowEnabled(button) != FALSE;
  switch (style & BS_TYPEMASK) {
    case BS_PUSHBUTTON:
    case BS_DEFPUSHBUTTON:
      PaintPushButton(button, dc, s, style, enabled);
      break;
    default:
      // FIXME: radio buttons and group boxes are drawn as check boxes.
      PaintCheckBox(button, dc, s, style, enabled);
      break;
  }
  RestoreDC(dc, saved);
}

}  // namespace controls
